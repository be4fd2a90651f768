#include "data_file_exercise.h"

#include "app/asset_files.h"

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

std::uint32_t bigEndian(const std::string& bytes, std::size_t at)
{
    return std::uint32_t(static_cast<unsigned char>(bytes[at])) << 24 |
           std::uint32_t(static_cast<unsigned char>(bytes[at + 1])) << 16 |
           std::uint32_t(static_cast<unsigned char>(bytes[at + 2])) << 8 | static_cast<unsigned char>(bytes[at + 3]);
}

std::string withChecksums(std::string_view input)
{
    std::string bytes(input);
    for (std::size_t at = 8; at + 12 <= bytes.size();) {
        const std::uint64_t length = bigEndian(bytes, at);
        if (length > bytes.size() - at - 12)
            break;
        const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(bytes.data() + at + 4), static_cast<uInt>(length + 4));
        for (int i = 0; i < 4; ++i)
            bytes[at + 8 + length + i] = static_cast<char>(crc >> (24 - 8 * i));
        at += 12 + length;
    }
    return bytes;
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
    write(path, withChecksums(input));
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
