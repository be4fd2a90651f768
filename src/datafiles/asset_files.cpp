#include "datafiles/asset_files.h"

#include "datafiles/file_kind.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

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

unsigned littleEndian16(const unsigned char* p)
{
    return unsigned(p[1]) << 8 | p[0];
}

bool readAt(std::ifstream& file, std::uint64_t offset, unsigned char* bytes, std::size_t count)
{
    file.clear();
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(reinterpret_cast<char*>(bytes), static_cast<std::streamsize>(count));
    return file.gcount() == static_cast<std::streamsize>(count);
}

bool readNext(std::ifstream& file, unsigned char* bytes, std::size_t count)
{
    file.read(reinterpret_cast<char*>(bytes), static_cast<std::streamsize>(count));
    return file.gcount() == static_cast<std::streamsize>(count);
}

std::optional<std::uint64_t> fileSize(const std::string& path)
{
    std::error_code error;
    const std::uint64_t size = std::filesystem::file_size(path, error);
    if (error)
        return std::nullopt;
    return size;
}

// --- PNG -------------------------------------------------------------------

struct PictureHeader
{
    std::uint32_t width = 0, height = 0;
    unsigned depth = 0, colourType = 0, interlace = 0;
};

unsigned samplesPerPixel(unsigned colourType)
{
    switch (colourType) {
    case 0: return 1; // grey
    case 2: return 3; // red, green, blue
    case 3: return 1; // palette index
    case 4: return 2; // grey and alpha
    default: return 4;
    }
}

bool validDepth(unsigned colourType, unsigned depth)
{
    switch (colourType) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6: return depth == 8 || depth == 16;
    default: return false;
    }
}

// The bytes of the picture's rows before compression, each row led by its
// filter byte. An interlaced picture is sent as seven smaller ones.
std::uint64_t rowBytes(const PictureHeader& header)
{
    const std::uint64_t bitsPerPixel = samplesPerPixel(header.colourType) * header.depth;
    const auto picture = [&](std::uint64_t width, std::uint64_t height) -> std::uint64_t {
        return width == 0 || height == 0 ? 0 : height * (1 + (width * bitsPerPixel + 7) / 8);
    };
    if (header.interlace == 0)
        return picture(header.width, header.height);
    const auto count = [](std::uint64_t size, unsigned first, unsigned step) -> std::uint64_t {
        return size > first ? (size - first + step - 1) / step : 0;
    };
    // Adam7: each pass's first column and row, and its steps across and down.
    static const unsigned passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                          {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    std::uint64_t total = 0;
    for (const auto& pass : passes)
        total += picture(count(header.width, pass[0], pass[2]), count(header.height, pass[1], pass[3]));
    return total;
}

// Reads the IHDR chunk's fields: a size, a colour type with its bit depth
// and methods that PNG has, within what the driver and the file can hold.
std::string checkPictureHeader(const unsigned char* fields, std::uint32_t length, unsigned maxSide,
                               std::uint64_t fileSize, PictureHeader& header)
{
    if (length != 13)
        return "its IHDR chunk has " + std::to_string(length) + " bytes instead of 13";
    header.width = bigEndian(fields);
    header.height = bigEndian(fields + 4);
    header.depth = fields[8];
    header.colourType = fields[9];
    header.interlace = fields[12];
    const std::string size = std::to_string(header.width) + " x " + std::to_string(header.height) + " pixels";
    if (header.width == 0 || header.height == 0 || header.width > 0x7FFFFFFF || header.height > 0x7FFFFFFF)
        return "its header gives a size of " + size;
    if (!validDepth(header.colourType, header.depth))
        return "its header gives colour type " + std::to_string(header.colourType) + " with " +
               std::to_string(header.depth) + " bits, which PNG does not have";
    if (fields[10] != 0 || fields[11] != 0 || header.interlace > 1)
        return "its header names an unknown compression, filter or interlace method";
    if (header.width > maxSide || header.height > maxSide)
        return size + " is more than the " + std::to_string(maxSide) + " x " + std::to_string(maxSide) +
               " the graphics driver takes";
    if (rowBytes(header) > deflateLimit * fileSize)
        return "its header claims " + size + ", more than a file of " + std::to_string(fileSize) + " bytes can hold";
    return {};
}

// Inflates the compressed pixels as they come, keeping only a count of the
// bytes they make: the library's decoder, given a stream that stops short,
// goes on making bytes out of nothing until memory runs out.
class PixelStream
{
public:
    explicit PixelStream(std::uint64_t expected) : expected_(expected)
    {
        broken_ = inflateInit(&stream_) != Z_OK;
    }
    ~PixelStream() { inflateEnd(&stream_); }
    PixelStream(const PixelStream&) = delete;
    PixelStream& operator=(const PixelStream&) = delete;

    void feed(const unsigned char* bytes, std::size_t count)
    {
        // Bytes after the stream's end are ignored, as PNG readers do.
        if (broken_ || ended_ || count == 0)
            return;
        stream_.next_in = const_cast<unsigned char*>(bytes);
        stream_.avail_in = static_cast<uInt>(count);
        for (;;) {
            unsigned char scratch[16384];
            stream_.next_out = scratch;
            stream_.avail_out = sizeof scratch;
            const uInt before = stream_.avail_in;
            const int result = inflate(&stream_, Z_NO_FLUSH);
            const std::size_t made = sizeof scratch - stream_.avail_out;
            made_ += made;
            if (made_ > expected_ || (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)) {
                broken_ = true;
                return;
            }
            if (result == Z_STREAM_END) {
                ended_ = true;
                return;
            }
            if ((stream_.avail_in == 0 && stream_.avail_out != 0) || (made == 0 && stream_.avail_in == before))
                return;
        }
    }
    // Why the stream is not exactly the picture's rows, or nothing.
    std::string problem() const
    {
        if (made_ > expected_)
            return "its compressed pixels make more than the " + std::to_string(expected_) +
                   " bytes of its rows";
        if (broken_)
            return "its compressed pixels are damaged";
        if (!ended_)
            return "its compressed pixels stop short of their end";
        if (made_ < expected_)
            return "its compressed pixels make " + std::to_string(made_) + " of the " + std::to_string(expected_) +
                   " bytes of its rows";
        return {};
    }

private:
    z_stream stream_{};
    std::uint64_t expected_;
    std::uint64_t made_ = 0;
    bool broken_ = false;
    bool ended_ = false;
};

bool isChunkName(const unsigned char* name)
{
    for (int i = 0; i < 4; ++i) {
        const unsigned char c = name[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

// --- WAV -------------------------------------------------------------------

const unsigned char pcmSubformat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                        0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

// The sample size the library takes from a format chunk starting at offset,
// or a reason it cannot play the sound.
std::string readFormat(std::ifstream& file, std::uint64_t offset, unsigned& bytesPerSample)
{
    unsigned char format[40];
    if (!readAt(file, offset, format, 16))
        return "its format (fmt chunk) is cut short";
    const unsigned tag = littleEndian16(format), bits = littleEndian16(format + 14);
    const std::string unplayable = "its sound is in a format the game cannot play (format " + std::to_string(tag) +
                                   ", " + std::to_string(bits) + " bits a sample)";
    if ((tag != 1 && tag != 0xFFFE) || (bits != 8 && bits != 16 && bits != 24 && bits != 32))
        return unplayable;
    if (tag == 0xFFFE) {
        if (!readAt(file, offset + 16, format + 16, 24))
            return "its format (fmt chunk) is cut short";
        if (std::memcmp(format + 24, pcmSubformat, sizeof pcmSubformat) != 0 || littleEndian16(format + 18) != bits)
            return unplayable;
    }
    bytesPerSample = bits / 8;
    return {};
}

} // namespace

std::string checkImageFile(const std::string& path, unsigned maxSide)
{
    if (std::string problem = checkDataFile(path); !problem.empty())
        return problem;
    std::ifstream file(path, std::ios::binary);
    const std::optional<std::uint64_t> size = fileSize(path);
    if (!file || !size)
        return {};
    unsigned char signature[8];
    if (!readNext(file, signature, sizeof signature) || std::memcmp(signature, "\x89PNG\r\n\x1a\n", 8) != 0)
        return "it is not a PNG picture";

    // Every chunk is its length, its name, its data and a checksum of name
    // and data. The walk reads the file once, front to back.
    PictureHeader header;
    std::optional<PixelStream> pixels;
    bool palette = false, pixelsBegun = false, pixelsOver = false;
    std::vector<unsigned char> block(65536);
    for (std::uint64_t at = 8;;) {
        unsigned char head[8];
        if (*size - at < 12 || !readNext(file, head, sizeof head))
            return "it ends at byte " + std::to_string(*size) + ", inside a chunk or before its IEND chunk";
        const std::uint32_t length = bigEndian(head);
        const std::string name(reinterpret_cast<const char*>(head + 4), 4);
        if (!isChunkName(head + 4))
            return "its chunk at byte " + std::to_string(at) + " has no name of letters";
        if (length > 0x7FFFFFFF || length > *size - at - 12)
            return "its " + name + " chunk at byte " + std::to_string(at) + " claims " + std::to_string(length) +
                   " bytes, more than the file holds";
        if ((at == 8) != (name == "IHDR"))
            return at == 8 ? "its first chunk is " + name + ", not IHDR" : "it has a second IHDR chunk";
        const bool isPixels = name == "IDAT";
        if (isPixels && pixelsOver)
            return "its IDAT chunks are not in one run";
        if (isPixels && header.colourType == 3 && !palette)
            return "its palette colours come before their PLTE chunk";
        pixelsOver = pixelsOver || (pixelsBegun && !isPixels);
        pixelsBegun = pixelsBegun || isPixels;

        unsigned char fields[13] = {};
        uLong crc = crc32(0, head + 4, 4);
        for (std::uint32_t left = length; left > 0;) {
            const std::uint32_t count = std::min<std::uint32_t>(left, static_cast<std::uint32_t>(block.size()));
            if (!readNext(file, block.data(), count))
                return "it cannot be read to its end";
            if (left == length)
                std::memcpy(fields, block.data(), std::min<std::size_t>(count, sizeof fields));
            crc = crc32(crc, block.data(), count);
            if (isPixels)
                pixels->feed(block.data(), count);
            left -= count;
        }
        // A header claiming what the game cannot take is refused as such,
        // whatever its checksum.
        if (name == "IHDR") {
            if (std::string problem = checkPictureHeader(fields, length, maxSide, *size, header); !problem.empty())
                return problem;
            pixels.emplace(rowBytes(header));
        }
        unsigned char stored[4];
        if (!readNext(file, stored, sizeof stored) || bigEndian(stored) != crc)
            return "its " + name + " chunk at byte " + std::to_string(at) + " has a wrong checksum";
        at += 12 + std::uint64_t(length);

        if (name == "PLTE") {
            if (palette || pixelsBegun || length % 3 != 0 || length == 0 || length > 3 * 256)
                return "its PLTE chunk is out of place or not a palette";
            palette = true;
        } else if (name == "IEND") {
            if (!pixelsBegun)
                return "it has no IDAT chunk: no pixels";
            return pixels->problem();
        } else if (!isPixels && name != "IHDR" && !(head[4] & 0x20)) {
            return "it has a chunk " + name + " that is needed to show it but that no PNG reader knows";
        }
    }
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
    const std::optional<std::uint64_t> size = fileSize(path);
    if (!size)
        return {};
    // The library's walk: a chunk is an id, a size and the data, and the next
    // chunk starts right after that many bytes, odd or even (the pad byte of
    // an odd-sized chunk is not skipped). The format chunk is read from its
    // start, whatever its size says.
    unsigned bytesPerSample = 0;
    std::uint64_t at = sizeof header;
    for (int chunks = 0; chunks < maxChunksBeforeSound; ++chunks) {
        unsigned char chunk[8];
        if (!readAt(file, at, chunk, sizeof chunk))
            return "its chunks, walked as the library walks them, lead to no sound (data chunk)";
        const std::uint64_t claimed = littleEndian(chunk + 4);
        at += sizeof chunk;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (std::string problem = readFormat(file, at, bytesPerSample); !problem.empty())
                return problem;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (bytesPerSample == 0)
                return "its sound (data chunk) comes before its format (fmt chunk)";
            if (claimed > *size - at)
                return "its header claims " + std::to_string(claimed) + " bytes of sound, but only " +
                       std::to_string(*size - at) + " follow";
            return {};
        }
        at += claimed;
    }
    return "more than " + std::to_string(maxChunksBeforeSound) + " chunks come before its sound";
}
