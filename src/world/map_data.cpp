#include "world/map_data.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// Files larger than this are not level files.
constexpr std::size_t maxMapFileSize = 16u << 20;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Splits the text into whitespace-separated tokens, keeping line numbers.
class Tokens
{
public:
    explicit Tokens(std::string_view text) : text_(text) {}

    // The next token, or false at the end of the text.
    bool next(std::string_view& token)
    {
        while (pos_ < text_.size() && isSpace(text_[pos_])) {
            if (text_[pos_] == '\n')
                ++line_;
            ++pos_;
        }
        if (pos_ == text_.size())
            return false;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !isSpace(text_[pos_]))
            ++pos_;
        token = text_.substr(start, pos_ - start);
        return true;
    }

    // True when the last token ended the text with nothing after it: a
    // number read there runs into the end of the file.
    bool atEnd() const { return pos_ == text_.size(); }
    int line() const { return line_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

std::string quoted(std::string_view token)
{
    std::string shown;
    for (char c : token.substr(0, 24))
        shown += (c >= 32 && c < 127) ? c : '?';
    if (token.size() > 24)
        shown += "...";
    return "'" + shown + "'";
}

std::string lineError(int line, const std::string& what)
{
    return "line " + std::to_string(line) + ": " + what;
}

// A decimal integer with an optional sign. Integers too large for 32 bits
// are still integers: they are simply no known terrain code.
bool parseCode(std::string_view token, std::int64_t& code)
{
    std::size_t i = 0;
    bool negative = false;
    if (token[0] == '+' || token[0] == '-') {
        negative = token[0] == '-';
        i = 1;
    }
    if (i == token.size())
        return false;
    std::int64_t value = 0;
    for (; i < token.size(); ++i) {
        if (token[i] < '0' || token[i] > '9')
            return false;
        if (value < 1'000'000'000'000)
            value = value * 10 + (token[i] - '0');
    }
    code = negative ? -value : value;
    return true;
}

// A decimal real number: optional sign, digits, fraction and exponent. Words
// such as "nan" or "inf" and hexadecimal forms are not accepted.
bool parseReal(std::string_view token, float& value, std::string& problem)
{
    bool digit = false;
    for (char c : token) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c != '+' && c != '-' && c != '.' && c != 'e' && c != 'E') {
            problem = "is not a number";
            return false;
        }
    }
    if (!digit) {
        problem = "is not a number";
        return false;
    }
    const std::string copy(token);
    char* end = nullptr;
    errno = 0;
    const float parsed = std::strtof(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size()) {
        problem = "is not a number";
        return false;
    }
    if (errno == ERANGE && std::isinf(parsed)) {
        problem = "is too large";
        return false;
    }
    value = parsed;
    return true;
}

} // namespace

MapReadResult readMap(std::string_view text, MapData& data)
{
    Tokens tokens(text);
    std::string_view token;
    MapData read = data;
    read.waves.clear();
    read.totalWaveTime = 0.f;

    for (int row = 0; row < boardRows; ++row) {
        for (int column = 0; column < boardColumns; ++column) {
            if (!tokens.next(token)) {
                const int found = row * boardColumns + column;
                return {"the terrain has only " + std::to_string(found) + " of its " +
                        std::to_string(boardColumns * boardRows) + " codes"};
            }
            std::int64_t code = 0;
            if (!parseCode(token, code))
                return {lineError(tokens.line(), "terrain code " + quoted(token) + " is not a whole number")};
            if (code == 0)
                read.terrainCodes[column][row] = 0;
            else if (code == 1)
                read.terrainCodes[column][row] = 1;
            else if (code == 2)
                read.terrainCodes[column][row] = 3;
        }
    }

    for (;;) {
        float numbers[1 + 3 * wolfKindCount];
        int count = 0;
        for (float& number : numbers) {
            if (!tokens.next(token))
                break;
            std::string problem;
            if (!parseReal(token, number, problem))
                return {lineError(tokens.line(), "wave value " + quoted(token) + " " + problem)};
            ++count;
        }
        // A record during whose reading the file ends is dropped.
        if (count < 1 + 3 * wolfKindCount || tokens.atEnd())
            break;
        WaveRecord record;
        record.duration = numbers[0];
        for (int kind = 0; kind < wolfKindCount; ++kind) {
            record.peakRate[kind] = numbers[1 + 3 * kind];
            record.riseTime[kind] = numbers[2 + 3 * kind];
            record.startOffset[kind] = numbers[3 + 3 * kind];
        }
        read.waves.push_back(record);
        read.totalWaveTime += record.duration;
    }

    data = std::move(read);
    return {};
}

MapReadResult readMapFile(const std::string& path, MapData& data)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return {"cannot open the file"};
    std::ostringstream contents;
    char buffer[65536];
    std::size_t total = 0;
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        total += static_cast<std::size_t>(file.gcount());
        if (total > maxMapFileSize)
            return {"the file is larger than " + std::to_string(maxMapFileSize >> 20) + " MiB"};
        contents.write(buffer, file.gcount());
    }
    if (file.bad())
        return {"cannot read the file"};
    return readMap(contents.str(), data);
}

bool readMapFile(const std::string& path)
{
    return readMapFile(path, mapData).ok();
}
