#include "app/recording.h"

#include "app/play_watch.h"
#include "app/run.h"
#include "app/startup.h"

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace {

// Frames are written half a kilobyte at a time (about a second of play);
// whatever decides a play is written at once, so a crash or a killed game
// loses at most the frames since.
constexpr std::size_t flushSize = 512;

class Recorder
{
public:
    Recorder(std::FILE* file, std::string name) : file_(file), name_(std::move(name)) {}
    ~Recorder()
    {
        flush();
        std::fclose(file_);
    }

    void line(const char* format, ...) __attribute__((format(printf, 2, 3)))
    {
        char text[96];
        va_list arguments;
        va_start(arguments, format);
        const int length = std::vsnprintf(text, sizeof text, format, arguments);
        va_end(arguments);
        if (length > 0)
            buffer_.append(text, std::min(static_cast<std::size_t>(length), sizeof text - 1));
        buffer_ += '\n';
    }
    void end(const std::optional<PlayEnd>& end)
    {
        if (!end)
            return;
        line("end %s %d %" PRId32 " 0x%016" PRIx64, playEndWord(end->kind), end->ticks, end->ms, end->hash);
        flush();
    }
    void flushWhenFull()
    {
        if (buffer_.size() >= flushSize)
            flush();
    }
    void flush()
    {
        if (buffer_.empty() || broken_)
            return;
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size() || std::fflush(file_) != 0) {
            // The game goes on: a full disk must not end a player's level.
            std::fprintf(stderr,
                         "brambleholt: the recording %s cannot be written any more (%s); playing on without it\n",
                         name_.c_str(), std::strerror(errno));
            broken_ = true;
        }
        buffer_.clear();
    }

    PlayWatch watch;

private:
    std::FILE* file_;
    std::string name_;
    std::string buffer_;
    bool broken_ = false;
};

std::unique_ptr<Recorder> recorder;

[[noreturn]] void refuseStart(int status, const std::string& why)
{
    std::fprintf(stderr, "brambleholt: %s\n", why.c_str());
    std::exit(status);
}

} // namespace

std::string startRecording(const std::string& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::exists(status) && !fs::is_regular_file(status))
        return "it is not a regular file";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return std::strerror(errno);
    if (std::fprintf(file, "%s %d\n", recording::header, recording::formatVersion) < 0 || std::fflush(file) != 0) {
        const std::string why = std::strerror(errno);
        std::fclose(file);
        return why;
    }
    recorder = std::make_unique<Recorder>(file, path);
    return {};
}

void stopRecording()
{
    recorder.reset();
}

void startFromCommandLine(int argc, char** argv)
{
    if (argc <= 1)
        return;
    if (std::strcmp(argv[1], "--record") != 0)
        refuseStart(2, std::string("unknown option '") + argv[1] + "' (the game takes only --record FILE)");
    if (argc < 3 || argv[2][0] == '\0')
        refuseStart(2, "--record needs the name of the file to write");
    if (argc > 3)
        refuseStart(2, std::string("one recording at a time, not '") + argv[3] + "' as well");
    fs::path path = argv[2];
    if (path.is_relative() && !startingFolder().empty())
        path = startingFolder() / path;
    if (const std::string why = startRecording(path.string()); !why.empty())
        refuseStart(1, "cannot record to " + path.string() + ": " + why);
}

namespace {

// A click is kept as the point of the 800 x 600 picture it reached, so a
// window stretched by the window manager replays as it played.
void recordClick(const sf::Event::MouseButtonEvent& button)
{
    const sf::Vector2i point = viewPoint({button.x, button.y});
    recorder->line("click %d %d", point.x, point.y);
}

} // namespace

void recordMenuEvent(const sf::Event& event)
{
    if (!recorder)
        return;
    if (event.type == sf::Event::Closed)
        recorder->line("close");
    else if (event.type == sf::Event::MouseButtonReleased && event.mouseButton.button == sf::Mouse::Left)
        recordClick(event.mouseButton);
}

void recordPlayEvent(const sf::Event& event)
{
    if (!recorder)
        return;
    const bool click = event.type == sf::Event::MouseButtonReleased && event.mouseButton.button == sf::Mouse::Left;
    if (event.type != sf::Event::Closed && event.type != sf::Event::KeyPressed && !click)
        return;
    recorder->watch.beforeEvent();
    if (event.type == sf::Event::KeyPressed)
        recorder->line("key %d", static_cast<int>(event.key.code));
    else if (click)
        recordClick(event.mouseButton);
    else
        recorder->line("close");
}

void recordLevel(int level, bool loaded)
{
    if (!recorder)
        return;
    if (loaded) {
        const std::optional<std::uint64_t> checksum = fileChecksum("map/c" + std::to_string(level) + ".txt");
        recorder->line("level %d %016" PRIx64, level, checksum.value_or(0));
        recorder->watch.begin();
    } else {
        recorder->line("level %d refused", level);
    }
    recorder->flush();
}

void recordFrame(sf::Time dt, bool ticked)
{
    if (!recorder)
        return;
    recorder->line("frame %lld", static_cast<long long>(dt.asMicroseconds()));
    recorder->end(recorder->watch.afterFrame(ticked));
    recorder->flushWhenFull();
}

void recordLevelLeft()
{
    if (recorder)
        recorder->flush();
}

void recordClose()
{
    if (!recorder)
        return;
    recorder->end(recorder->watch.closed());
    recorder->flush();
}

std::optional<std::uint64_t> fileChecksum(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::uint64_t hash = 14695981039346656037ull;
    char block[4096];
    while (in.read(block, sizeof block) || in.gcount() > 0) {
        for (std::streamsize i = 0; i < in.gcount(); ++i) {
            hash ^= static_cast<unsigned char>(block[i]);
            hash *= 1099511628211ull;
        }
    }
    if (in.bad())
        return std::nullopt;
    return hash;
}
