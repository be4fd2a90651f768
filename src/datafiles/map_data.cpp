#include "datafiles/map_data.h"

#include "datafiles/file_kind.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <limits>
#include <sstream>

namespace {

// Files larger than this are not level files.
constexpr std::size_t maxMapFileSize = 16u << 20;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Splits the text into whitespace-separated tokens, keeping line numbers. A
// line ends with LF, CR LF or a lone CR.
class Tokens
{
public:
    explicit Tokens(std::string_view text) : text_(text) {}

    // The next token, or false at the end of the text.
    bool next(std::string_view& token)
    {
        while (pos_ < text_.size() && isSpace(text_[pos_])) {
            const bool crOnly = text_[pos_] == '\r' && (pos_ + 1 == text_.size() || text_[pos_ + 1] != '\n');
            if (text_[pos_] == '\n' || crOnly) {
                ++line_;
                lineStart_ = pos_ + 1;
            }
            ++pos_;
        }
        if (pos_ == text_.size())
            return false;
        start_ = pos_;
        while (pos_ < text_.size() && !isSpace(text_[pos_]))
            ++pos_;
        token = text_.substr(start_, pos_ - start_);
        return true;
    }

    // True when the last token ended the text with nothing after it: a
    // number read there runs into the end of the file.
    bool atEnd() const { return pos_ == text_.size(); }
    int line() const { return line_; }
    // The column of a byte of the last token, counting characters of UTF-8.
    int column(std::size_t indexInToken) const
    {
        int column = 1;
        for (std::size_t i = lineStart_; i < start_ + indexInToken; ++i)
            column += (static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80;
        return column;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t start_ = 0;
    std::size_t lineStart_ = 0;
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

std::string hex(unsigned value, int digits)
{
    static const char figures[] = "0123456789ABCDEF";
    std::string text;
    for (; value != 0 || digits > 0; value >>= 4, --digits)
        text.insert(text.begin(), figures[value & 15]);
    return text;
}

bool isControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

// The character of UTF-8 text at a position, named when it is one that
// looks like a space or a digit; a byte that starts no UTF-8 character is
// named as a byte.
RefusalDetail nameCharacter(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(0);
    const std::size_t length = lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    unsigned code = length == 4 ? lead & 0x07 : length == 3 ? lead & 0x0F : lead & 0x1F;
    bool valid = length != 0 && lead < 0xF5 && text.size() >= length;
    for (std::size_t i = 1; valid && i < length; ++i) {
        valid = (byte(i) & 0xC0) == 0x80;
        code = code << 6 | (byte(i) & 0x3F);
    }
    if (!valid)
        return refuse(refusals::notUtf8, {hex(lead, 2)});
    if (code == 0xA0)
        return refusals::noBreakSpace;
    if (code == 0x3000)
        return refusals::ideographicSpace;
    if (code >= 0xFF10 && code <= 0xFF19)
        return refuse(refusals::fullWidthDigit, {hex(code, 4), std::string(1, static_cast<char>('0' + code - 0xFF10))});
    return "U+" + hex(code, 4);
}

// A token that no number has: the first byte in it that is no printable
// ASCII, named with its line and column, or else the given reason.
Refusal whyNotRead(const Tokens& tokens, std::string_view token, const RefusalText& reason)
{
    for (std::size_t i = 0; i < token.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(token[i]);
        if (isControl(c))
            return refuse(refusals::control, {tokens.line(), tokens.column(i),
                                              c == 0 ? RefusalDetail(refusals::nul) : "U+" + hex(c, 4)});
        if (c >= 0x80)
            return refuse(refusals::nonAscii, {tokens.line(), tokens.column(i), nameCharacter(token.substr(i))});
    }
    return refuse(reason, {tokens.line(), quoted(token)});
}

// std::from_chars reads the decimal syntax that strtof reads, with the same
// result for every number, but it takes no leading '+': one is skipped here,
// unless another sign follows it (strtof refuses "+-1").
bool skipPlus(const char*& first, const char* last)
{
    if (first != last && *first == '+') {
        ++first;
        if (first != last && (*first == '+' || *first == '-'))
            return false;
    }
    return true;
}

// A decimal integer with an optional sign. Integers too large for 64 bits
// are still integers: they are simply no known terrain code.
bool parseCode(std::string_view token, std::int64_t& code)
{
    const char* first = token.data();
    const char* last = first + token.size();
    if (!skipPlus(first, last))
        return false;
    const auto [end, error] = std::from_chars(first, last, code);
    if (end != last)
        return false;
    if (error == std::errc::result_out_of_range)
        code = std::numeric_limits<std::int64_t>::max();
    return error == std::errc() || error == std::errc::result_out_of_range;
}

// Whether a decimal number whose float conversion is out of range is tiny
// (it then reads as zero, as strtof reads it) rather than huge: its decimal
// exponent, counted from its first non-zero digit, is negative.
bool isTiny(std::string_view token)
{
    const std::size_t e = token.find_first_of("eE");
    const std::string_view mantissa = token.substr(0, e);
    // The exponent is held within +-2^62, so adding the order (at most the
    // token's length) cannot overflow.
    constexpr long long exponentLimit = 1LL << 62;
    long long exponent = 0;
    if (e != std::string_view::npos) {
        const char* first = token.data() + e + 1;
        const char* last = token.data() + token.size();
        skipPlus(first, last);
        if (std::from_chars(first, last, exponent).ec == std::errc::result_out_of_range)
            exponent = *first == '-' ? -exponentLimit : exponentLimit;
        exponent = std::clamp(exponent, -exponentLimit, exponentLimit);
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstDigit = mantissa.find_first_of("123456789");
    const long long order = firstDigit < point ? static_cast<long long>(point - firstDigit) - 1
                                               : static_cast<long long>(point) - static_cast<long long>(firstDigit);
    return order + exponent < 0;
}

// A decimal real number: optional sign, digits, fraction and exponent. Words
// such as "nan" or "inf" and hexadecimal forms are not accepted.
const RefusalText* parseReal(std::string_view token, float& value)
{
    bool digit = false;
    for (char c : token) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c != '+' && c != '-' && c != '.' && c != 'e' && c != 'E')
            return &refusals::notNumber;
    }
    if (!digit)
        return &refusals::notNumber;
    const char* first = token.data();
    const char* last = first + token.size();
    if (!skipPlus(first, last))
        return &refusals::notNumber;
    float parsed = 0.f;
    const auto [end, error] = std::from_chars(first, last, parsed, std::chars_format::general);
    if (end != last || (error != std::errc() && error != std::errc::result_out_of_range))
        return &refusals::notNumber;
    // Out of range says nothing of the side: too large is refused, too small
    // is the signed zero that strtof gives.
    if (error == std::errc::result_out_of_range) {
        if (!isTiny(token))
            return &refusals::tooLargeNumber;
        parsed = *first == '-' ? -0.f : 0.f;
    }
    value = parsed;
    return nullptr;
}

} // namespace

MapReadResult readMap(std::string_view text, MapData& data)
{
    // Only ASCII text is read; a mark that a Unicode editor saved first is
    // named as such rather than as an odd first code.
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        return refuse(refusals::utf8Bom);
    if (text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF")
        return refuse(refusals::utf16Bom);

    Tokens tokens(text);
    std::string_view token;
    MapData read = data;
    read.waves.clear();
    read.totalWaveTime = 0.f;

    for (int row = 0; row < boardRows; ++row) {
        for (int column = 0; column < boardColumns; ++column) {
            if (!tokens.next(token))
                return refuse(refusals::shortTerrain, {row * boardColumns + column, boardColumns * boardRows});
            std::int64_t code = 0;
            if (!parseCode(token, code))
                return whyNotRead(tokens, token, refusals::notWhole);
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
            if (const RefusalText* problem = parseReal(token, number))
                return whyNotRead(tokens, token, *problem);
            ++count;
        }
        // A record during whose reading the file ends is dropped.
        if (count < 1 + 3 * wolfKindCount || tokens.atEnd())
            break;
        WaveRecord record;
        record.duration = numbers[0];
        // The six peak rates come first, then the six rise times, then the
        // six start offsets.
        for (int kind = 0; kind < wolfKindCount; ++kind) {
            record.peakRate[kind] = numbers[1 + kind];
            record.riseTime[kind] = numbers[1 + wolfKindCount + kind];
            record.startOffset[kind] = numbers[1 + 2 * wolfKindCount + kind];
        }
        read.waves.push_back(record);
        read.totalWaveTime += record.duration;
    }

    data = std::move(read);
    return {};
}

std::uint64_t WaveList::newStamp()
{
    static std::uint64_t last = 0;
    return ++last;
}

MapReadResult readMapFile(const std::string& path, MapData& data)
{
    if (Refusal kind = checkRegularFile(path); !kind.empty())
        return kind;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return refuse(refusals::cannotOpen);
    std::ostringstream contents;
    char buffer[65536];
    std::size_t total = 0;
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        total += static_cast<std::size_t>(file.gcount());
        if (total > maxMapFileSize)
            return refuse(refusals::tooLargeFile, {static_cast<int>(maxMapFileSize >> 20)});
        contents.write(buffer, file.gcount());
    }
    if (file.bad())
        return refuse(refusals::cannotRead);
    return readMap(contents.str(), data);
}
