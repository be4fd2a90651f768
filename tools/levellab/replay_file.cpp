#include "replay_file.h"

#include "app/recording.h"

#include <SFML/Window/Keyboard.hpp>

#include <charconv>
#include <vector>

namespace {

// No entry is longer; a longer line is no entry of a recording.
constexpr std::size_t longestLine = 80;

template <class Number>
std::optional<Number> wholeNumber(const std::string& text, Number low, Number high, int base = 10)
{
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, problem] = std::from_chars(text.data(), end, value, base);
    if (problem != std::errc() || stop != end || text.empty() || value < low || value > high)
        return std::nullopt;
    return value;
}

std::vector<std::string> words(const std::string& text)
{
    std::vector<std::string> result(1);
    for (char c : text) {
        if (c == ' ')
            result.emplace_back();
        else
            result.back() += c;
    }
    return result;
}

// The number of words each entry takes after its name.
std::optional<std::size_t> argumentsOf(const std::string& name)
{
    if (name == "click")
        return 2;
    if (name == "key" || name == "frame")
        return 1;
    if (name == "close")
        return 0;
    if (name == "level")
        return 2;
    if (name == "end")
        return 4;
    return std::nullopt;
}

std::string printable(const std::string& word)
{
    std::string shown;
    for (unsigned char c : word.substr(0, 24))
        shown += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    return shown;
}

} // namespace

bool RecordingReader::readLine()
{
    text_.clear();
    std::streambuf* source = in_.rdbuf();
    for (;;) {
        const int c = source ? source->sbumpc() : std::char_traits<char>::eof();
        if (c == std::char_traits<char>::eof()) {
            cutOff_ = !text_.empty();
            return false;
        }
        if (c == '\n')
            break;
        if (text_.size() <= longestLine)
            text_ += static_cast<char>(c);
    }
    ++line_;
    if (!text_.empty() && text_.back() == '\r')
        text_.pop_back();
    return true;
}

std::optional<RecordedEntry> RecordingReader::fail(const std::string& why)
{
    error_ = "line " + std::to_string(line_) + ": " + why;
    return std::nullopt;
}

std::optional<RecordedEntry> RecordingReader::next()
{
    if (!error_.empty())
        return std::nullopt;
    const bool first = line_ == 0;
    if (!readLine()) {
        if (first) {
            line_ = 1;
            return fail("the file is empty, or has no whole line: not a recording");
        }
        return std::nullopt;
    }
    if (text_.size() > longestLine)
        return fail("longer than any entry of a recording");
    const std::vector<std::string> w = words(text_);
    if (first) {
        if (w.size() != 2 || w[0] != recording::header)
            return fail(std::string("not a Brambleholt recording (the first line should be '") + recording::header +
                        " " + std::to_string(recording::formatVersion) + "')");
        const std::optional<int> version = wholeNumber(w[1], 1, 1 << 30);
        if (!version)
            return fail("the format version '" + printable(w[1]) + "' is not a number from 1 up");
        if (*version > recording::formatVersion)
            return fail("made in format " + w[1] + ", later than this lab reads (" +
                        std::to_string(recording::formatVersion) + "): use the level_lab of the same game");
        return next();
    }
    if (closed_ && (w[0] != "end" || endAfterClose_))
        return fail("more follows the closing of the window");
    const std::optional<std::size_t> count = argumentsOf(w[0]);
    if (!count)
        return fail("unknown entry '" + printable(w[0]) + "'");
    if (w.size() != *count + 1)
        return fail("'" + w[0] + "' takes " + std::to_string(*count) + " value" + (*count == 1 ? "" : "s") +
                    " after it, separated by single spaces");

    RecordedEntry entry;
    entry.line = line_;
    const auto number = [&](std::size_t i, auto low, auto high, const char* what) {
        const auto value = wholeNumber(w[i], low, high);
        if (!value)
            fail(std::string(what) + " '" + printable(w[i]) + "' is not a whole number from " + std::to_string(low) +
                 " to " + std::to_string(high));
        return value.value_or(low);
    };
    if (w[0] == "click") {
        entry.kind = RecordedEntry::Click;
        entry.x = number(1, -1000000, 1000000, "the click's x");
        entry.y = number(2, -1000000, 1000000, "the click's y");
    } else if (w[0] == "key") {
        entry.kind = RecordedEntry::Key;
        entry.code = number(1, -1, sf::Keyboard::KeyCount - 1, "the key code");
    } else if (w[0] == "close") {
        entry.kind = RecordedEntry::Close;
        closed_ = true;
    } else if (w[0] == "frame") {
        entry.kind = RecordedEntry::Frame;
        // A frame as long as a year is a stall of the computer; longer is damage.
        entry.micros = number(1, std::int64_t{0}, std::int64_t{31536000000000}, "the frame's length in microseconds");
    } else if (w[0] == "level") {
        entry.level = number(1, 1, 3, "the level");
        if (w[2] == "refused") {
            entry.kind = RecordedEntry::LevelRefused;
        } else {
            entry.kind = RecordedEntry::Level;
            if (w[2].size() != 16 || !wholeNumber(w[2], std::uint64_t{0}, ~std::uint64_t{0}, 16))
                return fail("the map's checksum '" + printable(w[2]) + "' is not 16 hexadecimal digits");
            entry.checksum = *wholeNumber(w[2], std::uint64_t{0}, ~std::uint64_t{0}, 16);
        }
    } else {
        entry.kind = RecordedEntry::End;
        const std::optional<PlayEnd::Kind> how = playEndKind(w[1].c_str());
        if (!how)
            return fail("a play ends won, lost, restarted, left or closed, not '" + printable(w[1]) + "'");
        entry.end.kind = *how;
        entry.end.ticks = number(2, 0, 2147483647, "the ticks");
        entry.end.ms = number(3, 0, 2147483647, "the level time");
        const std::string hash = w[4].rfind("0x", 0) == 0 ? w[4].substr(2) : std::string();
        if (hash.size() != 16 || !wholeNumber(hash, std::uint64_t{0}, ~std::uint64_t{0}, 16))
            return fail("the world's hash '" + printable(w[4]) + "' is not 0x and 16 hexadecimal digits");
        entry.end.hash = *wholeNumber(hash, std::uint64_t{0}, ~std::uint64_t{0}, 16);
        endAfterClose_ = closed_;
    }
    if (!error_.empty())
        return std::nullopt;
    return entry;
}

std::string checkRecordingText(std::istream& in)
{
    RecordingReader reader(in);
    while (reader.next()) {
    }
    return reader.error();
}
