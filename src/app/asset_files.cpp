#include "app/asset_files.h"

#include "world/map_data.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

// Deflate packs at most 1032 bytes into one, so the pixel rows of a PNG take
// at most that many times its file size.
constexpr std::uint64_t deflateLimit = 1032;

std::uint32_t bigEndian(const unsigned char* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

std::uint32_t littleEndian(const unsigned char* p)
{
    return std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

bool readAt(std::ifstream& file, std::uint64_t offset, unsigned char* bytes, std::size_t count)
{
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(reinterpret_cast<char*>(bytes), static_cast<std::streamsize>(count));
    return file.gcount() == static_cast<std::streamsize>(count);
}

std::uint64_t samplesPerPixel(unsigned colourType)
{
    switch (colourType) {
    case 0: return 1; // grey
    case 2: return 3; // red, green, blue
    case 3: return 1; // palette index
    case 4: return 2; // grey and alpha
    default: return 4;
    }
}

} // namespace

std::string checkDataFile(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return {};
    return checkRegularFile(path).english;
}

std::string checkImageFile(const std::string& path, unsigned maxSide)
{
    if (std::string problem = checkDataFile(path); !problem.empty())
        return problem;
    std::ifstream file(path, std::ios::binary);
    unsigned char header[26];
    if (!readAt(file, 0, header, sizeof header) || std::memcmp(header, "\x89PNG\r\n\x1a\n", 8) != 0 ||
        std::memcmp(header + 12, "IHDR", 4) != 0)
        return {};
    const std::uint32_t width = bigEndian(header + 16), height = bigEndian(header + 20);
    const std::string size = std::to_string(width) + " x " + std::to_string(height) + " pixels";
    if (width > maxSide || height > maxSide)
        return size + " is more than the " + std::to_string(maxSide) + " x " + std::to_string(maxSide) +
               " the graphics driver takes";
    const std::uint64_t rowBytes = 1 + (width * samplesPerPixel(header[25]) * header[24] + 7) / 8;
    std::error_code error;
    const std::uint64_t fileSize = std::filesystem::file_size(path, error);
    if (!error && height * rowBytes > deflateLimit * fileSize)
        return "its header claims " + size + ", more than a file of " + std::to_string(fileSize) +
               " bytes can hold";
    return {};
}

std::string checkSoundFile(const std::string& path)
{
    if (std::string problem = checkDataFile(path); !problem.empty())
        return problem;
    std::ifstream file(path, std::ios::binary);
    unsigned char header[12];
    if (!readAt(file, 0, header, sizeof header) || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "WAVE", 4) != 0)
        return {};
    std::error_code error;
    const std::uint64_t fileSize = std::filesystem::file_size(path, error);
    if (error)
        return {};
    // Chunks follow one another, each an id, a size and that many bytes
    // (padded to an even count), until the sound itself.
    unsigned char chunk[8];
    for (std::uint64_t at = sizeof header; readAt(file, at, chunk, sizeof chunk);) {
        const std::uint64_t claimed = littleEndian(chunk + 4);
        at += sizeof chunk;
        if (std::memcmp(chunk, "data", 4) == 0) {
            if (claimed > fileSize - at)
                return "its header claims " + std::to_string(claimed) + " bytes of sound, but only " +
                       std::to_string(fileSize - at) + " follow";
            return {};
        }
        at += claimed + (claimed & 1);
    }
    return {};
}
