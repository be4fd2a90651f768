#include "data_file_exercise.h"

#include "datafiles/asset_files.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Image.hpp>

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// A scratch file for the process, removed at exit.
std::string scratchFile(const char* suffix)
{
    static std::vector<std::string> made;
    std::string name = (std::filesystem::temp_directory_path() / "brambleholt-fuzz-XXXXXX").string() + suffix;
    const int descriptor = mkstemps(name.data(), static_cast<int>(std::strlen(suffix)));
    if (descriptor < 0) {
        std::perror("scratch file");
        std::abort();
    }
    close(descriptor);
    if (made.empty())
        std::atexit([] {
            for (const std::string& path : made)
                std::remove(path.c_str());
        });
    made.push_back(name);
    return name;
}

void write(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::uint32_t bigEndian(std::string_view bytes, std::size_t at)
{
    return std::uint32_t(static_cast<unsigned char>(bytes[at])) << 24 |
           std::uint32_t(static_cast<unsigned char>(bytes[at + 1])) << 16 |
           std::uint32_t(static_cast<unsigned char>(bytes[at + 2])) << 8 | static_cast<unsigned char>(bytes[at + 3]);
}

std::string bigEndianBytes(std::uint32_t value)
{
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
            static_cast<char>(value)};
}

// The input's whole chunks, each with its checksum put right. When the input
// ends in an odd byte, the data of its IDAT chunks is taken for the picture's
// rows before compression and compressed into one IDAT chunk, so that the
// fuzzer reaches pictures the check accepts and the library decodes.
std::string prepared(std::string_view input)
{
    const bool compress = !input.empty() && (input.back() & 1);
    std::string bytes(input.substr(0, 8)), rows;
    std::size_t at = 8, firstRows = std::string::npos;
    const auto append = [&bytes](std::string_view chunk) {
        const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(chunk.data()), static_cast<uInt>(chunk.size()));
        bytes += bigEndianBytes(static_cast<std::uint32_t>(chunk.size() - 4)) + std::string(chunk) +
                 bigEndianBytes(static_cast<std::uint32_t>(crc));
    };
    while (at + 12 <= input.size() && bigEndian(input, at) <= input.size() - at - 12) {
        const std::string_view chunk = input.substr(at + 4, 4 + bigEndian(input, at));
        at += 8 + chunk.size();
        if (compress && chunk.substr(0, 4) == "IDAT") {
            rows += chunk.substr(4);
            if (firstRows != std::string::npos)
                continue;
            firstRows = bytes.size();
        }
        append(chunk);
    }
    const std::string rest(input.substr(std::min(at, input.size())));
    if (firstRows != std::string::npos) {
        uLongf size = compressBound(static_cast<uLong>(rows.size()));
        std::string packed(size, '\0');
        compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(rows.data()),
                  static_cast<uLong>(rows.size()), 6);
        const std::string after = bytes.substr(firstRows + 12 + bigEndian(bytes, firstRows));
        bytes.resize(firstRows);
        append("IDAT" + packed.substr(0, size));
        bytes += after;
    }
    return bytes + rest;
}

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "accepted, then %s\n", what);
    std::abort();
}

} // namespace

DataFileExercise exercisePicture(std::string_view input)
{
    static const std::string path = scratchFile(".png");
    write(path, prepared(input));
    DataFileExercise outcome;
    outcome.message = checkImageFile(path, fuzzPictureSide);
    outcome.accepted = outcome.message.empty();
    if (outcome.accepted) {
        sf::Image picture;
        outcome.read = picture.loadFromFile(path);
        if (picture.getSize().x > fuzzPictureSide || picture.getSize().y > fuzzPictureSide)
            fail("the library read a picture larger than the limit");
    }
    return outcome;
}

DataFileExercise exerciseSound(std::string_view input)
{
    static const std::string path = scratchFile(".wav");
    write(path, input);
    DataFileExercise outcome;
    outcome.message = checkSoundFile(path);
    outcome.accepted = outcome.message.empty();
    if (outcome.accepted) {
        sf::SoundBuffer sound;
        outcome.read = sound.loadFromFile(path);
        if (sound.getSampleCount() > input.size())
            fail("the library read more samples than the file has bytes");
    }
    return outcome;
}
