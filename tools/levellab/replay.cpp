#include "replay.h"

#include "picture.h"
#include "playtest.h"
#include "replay_file.h"
#include "report.h"

#include "app/assets.h"
#include "app/main_menu.h"
#include "app/play_loop.h"
#include "app/recording.h"
#include "app/run.h"
#include "ui/build_tool.h"
#include "ui/control.h"
#include "ui/message_box.h"
#include "world/level.h"
#include "datafiles/map_data.h"
#include "world/world.h"

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

const char* const entryNames[] = {"click", "key press", "close", "level", "level", "frame", "play's end"};

std::string hex(std::uint64_t value, bool prefix)
{
    char text[24];
    std::snprintf(text, sizeof text, prefix ? "0x%016" PRIx64 : "%016" PRIx64, value);
    return text;
}

std::string describe(const PlayEnd& end)
{
    char text[96];
    std::snprintf(text, sizeof text, "%s at %.3f s, tick %d, hash %s", playEndWord(end.kind),
                  static_cast<double>(end.ms) / 1000, end.ticks, hex(end.hash, true).c_str());
    return text;
}

bool same(const PlayEnd& a, const PlayEnd& b)
{
    return a.kind == b.kind && a.ticks == b.ticks && a.ms == b.ms && a.hash == b.hash;
}

// One play of a level, with its timeline.
struct Play
{
    int number = 0;
    int level = 0;
    std::unique_ptr<Timeline> timeline = std::make_unique<Timeline>();
    std::unique_ptr<TimelineRecorder> watcher = std::make_unique<TimelineRecorder>(*timeline);
    bool pictureSaved = false;
};

// Follows the recording entry by entry through the game's own functions.
class Replayer
{
public:
    Replayer(const ReplayOptions& options) : options_(options) {}
    ~Replayer()
    {
        screen_.reset();
        AppState = Menu;
    }

    // False when the recording does not follow this game (why() says how).
    bool take(const RecordedEntry& entry);
    void finish(bool cutOff);
    const std::string& why() const { return why_; }
    int differences() const { return differences_; }
    int unsavedPictures() const { return unsaved_; }

private:
    bool refuse(const RecordedEntry& entry, const std::string& what);
    bool inMenu(const RecordedEntry& entry);
    bool inPlay(const RecordedEntry& entry);
    void frame(std::int64_t micros);
    void startPlay(int level);
    void noteMissedPicture();
    void print(const PlayEnd& end, const std::optional<PlayEnd>& recorded);

    const ReplayOptions& options_;
    std::optional<LevelScreen> screen_;
    std::optional<PlayEventBatch> batch_;
    PlayWatch watch_;
    Play play_;
    std::unique_ptr<Timeline> finished_; // the timeline of a play its frame's events ended
    std::optional<PlayEnd> pending_;     // an end the replay reached, awaiting the game's own note
    int chosen_ = 0;                     // the level a menu click has just chosen
    int plays_ = 0;
    std::uint32_t clears_ = 0;
    long frames_ = 0;
    int differences_ = 0;
    int unsaved_ = 0; // pictures that could not be written
    std::string why_;
};

bool Replayer::refuse(const RecordedEntry& entry, const std::string& what)
{
    why_ = "line " + std::to_string(entry.line) + ": " + what + ": the recording does not follow this game";
    return false;
}

bool Replayer::take(const RecordedEntry& entry)
{
    if (entry.kind == RecordedEntry::End) {
        if (!pending_) {
            std::fprintf(options_.out, "the game recorded a play %s here, and the replay's play goes on\n",
                         describe(entry.end).c_str());
            ++differences_;
            return true;
        }
        print(*pending_, entry.end);
        pending_.reset();
        return true;
    }
    if (pending_) {
        print(*pending_, std::nullopt);
        pending_.reset();
    }
    if (options_.maxFrames >= 0 && frames_ >= options_.maxFrames)
        return true;
    return screen_ ? inPlay(entry) : inMenu(entry);
}

bool Replayer::inMenu(const RecordedEntry& entry)
{
    switch (entry.kind) {
    case RecordedEntry::Click:
        if (chosen_ != 0)
            return refuse(entry, "a click in the menu after level " + std::to_string(chosen_) + " was chosen");
        chosen_ = levelButtonAt(entry.x, entry.y);
        return true;
    case RecordedEntry::Close:
        return true;
    case RecordedEntry::Level:
    case RecordedEntry::LevelRefused: {
        if (entry.level != chosen_)
            return refuse(entry, "level " + std::to_string(entry.level) + " is loaded, but the click before chose " +
                                     (chosen_ ? "level " + std::to_string(chosen_) : std::string("none")));
        chosen_ = 0;
        const LevelLoadResult loaded = loadLevel(entry.level);
        if (entry.kind == RecordedEntry::LevelRefused) {
            if (loaded)
                return refuse(entry, "level " + std::to_string(entry.level) +
                                         "'s map was refused in the game, and loads here");
            std::fprintf(options_.out, "level %d: its map was refused, as in the game\n", entry.level);
            return true;
        }
        if (!loaded)
            return refuse(entry, "level " + std::to_string(entry.level) + " was played, and here " + loaded.message);
        startPlay(entry.level);
        return true;
    }
    default:
        return refuse(entry, std::string("a ") + entryNames[entry.kind] + " while the replay is in the menu");
    }
}

void Replayer::startPlay(int level)
{
    noteMissedPicture();
    AppState = Playing;
    screen_.emplace();
    watch_.begin();
    clears_ = worldClears;
    play_ = Play{++plays_, level};
}

void Replayer::noteMissedPicture()
{
    if (options_.at && !play_.pictureSaved && play_.number > 0) {
        std::fprintf(options_.out, "play %d (level %d) did not reach %.1f s: no board picture\n", play_.number,
                     play_.level, static_cast<double>(*options_.at));
        play_.pictureSaved = true;
    }
}

bool Replayer::inPlay(const RecordedEntry& entry)
{
    sf::Event event{};
    switch (entry.kind) {
    case RecordedEntry::Click:
        event.type = sf::Event::MouseButtonReleased;
        event.mouseButton = {sf::Mouse::Left, entry.x, entry.y};
        break;
    case RecordedEntry::Key:
        event.type = sf::Event::KeyPressed;
        event.key = {static_cast<sf::Keyboard::Key>(entry.code), false, false, false, false};
        break;
    case RecordedEntry::Close:
        watch_.beforeEvent();
        pending_ = watch_.closed();
        noteMissedPicture();
        screen_.reset();
        return true;
    case RecordedEntry::Frame:
        frame(entry.micros);
        return true;
    default:
        return refuse(entry, "level " + std::to_string(entry.level) + " is chosen while level " +
                                 std::to_string(play_.level) + " is played");
    }
    if (!batch_)
        batch_.emplace();
    watch_.beforeEvent();
    batch_->handle(event);
    return true;
}

void Replayer::frame(std::int64_t micros)
{
    ++frames_;
    if (worldClears != clears_) {
        // The frame's events restarted or left the play: its timeline is
        // complete, and a restart begins the next play.
        clears_ = worldClears;
        finished_ = std::move(play_.timeline);
        play_.timeline = std::make_unique<Timeline>();
        play_.watcher = std::make_unique<TimelineRecorder>(*play_.timeline);
        noteMissedPicture();
        if (AppState == Playing) {
            play_.number = ++plays_;
            play_.pictureSaved = false;
        }
    }
    const float before = static_cast<float>(elapsedMs) / 1000;
    play_.watcher->beforeTick();
    const bool ticked = advanceFrame(sf::microseconds(micros));
    const float now = static_cast<float>(elapsedMs) / 1000;
    if (ticked)
        play_.watcher->afterTick(before, now, mapData.totalWaveTime);
    batch_.reset();
    if (options_.at && ticked && !play_.pictureSaved && now >= *options_.at) {
        play_.pictureSaved = true;
        char name[96];
        std::snprintf(name, sizeof name, "%s_play%d_level%d_at_%.0fs.png", options_.picturePrefix.c_str(),
                      play_.number, play_.level, static_cast<double>(*options_.at));
        if (const std::string unsaved = saveBoardPicture(name, std::nullopt); !unsaved.empty()) {
            std::fprintf(options_.errors, "level_lab: %s\n", unsaved.c_str());
            ++unsaved_;
        } else {
            std::fprintf(options_.out, "the board at %.3f s of play %d (level %d): %s\n", static_cast<double>(now),
                         play_.number, play_.level, name);
        }
    }
    if (const std::optional<PlayEnd> end = watch_.afterFrame(ticked))
        pending_ = end;
    if (AppState != Playing)
        screen_.reset();
}

void Replayer::print(const PlayEnd& end, const std::optional<PlayEnd>& recorded)
{
    const bool left = end.kind == PlayEnd::Left || end.kind == PlayEnd::Closed;
    std::fprintf(options_.out, "level %d: %s at %.3f s\n", play_.level, left ? "left" : playEndWord(end.kind),
                 static_cast<double>(end.ms) / 1000);
    std::fprintf(options_.out, "hash %s after tick %d", hex(end.hash, true).c_str(), end.ticks);
    if (end.kind == PlayEnd::Closed)
        std::fprintf(options_.out, " (the window closed)");
    if (end.kind == PlayEnd::Left)
        std::fprintf(options_.out, " (back to the menu)");
    if (recorded && same(end, *recorded)) {
        std::fprintf(options_.out, ", as the game recorded\n");
    } else if (recorded) {
        std::fprintf(options_.out, "; the game recorded %s: THE REPLAY DIFFERS\n", describe(*recorded).c_str());
        ++differences_;
    } else {
        std::fprintf(options_.out, "; the game recorded no end here: THE REPLAY DIFFERS\n");
        ++differences_;
    }
    if (!options_.printTimelines)
        return;
    const bool fromEvents = end.kind == PlayEnd::Restarted || end.kind == PlayEnd::Left;
    const Timeline& timeline = fromEvents && finished_ ? *finished_ : *play_.timeline;
    std::fprintf(options_.out, "  timeline:\n");
    printTimeline(timeline);
}

void Replayer::finish(bool cutOff)
{
    if (pending_) {
        print(*pending_, std::nullopt);
        pending_.reset();
    }
    if (screen_ && watch_.active() && !watch_.decided()) {
        std::fprintf(options_.out, "level %d: open at %.3f s when the recording ends%s\n", play_.level,
                     static_cast<double>(elapsedMs) / 1000, cutOff ? " (its last line was cut off)" : "");
        std::fprintf(options_.out, "hash %s after tick %d\n", hex(hashWorld(), true).c_str(), watch_.ticks());
        if (options_.printTimelines) {
            std::fprintf(options_.out, "  timeline:\n");
            printTimeline(*play_.timeline);
        }
    }
    noteMissedPicture();
}

// Reads the whole recording and checks its maps against those here.
std::string checkFile(std::istream& in, const ReplayOptions& options)
{
    RecordingReader reader(in);
    while (const std::optional<RecordedEntry> entry = reader.next()) {
        if (entry->kind != RecordedEntry::Level || !options.checkMaps)
            continue;
        const std::string map = levelFile(entry->level);
        const std::optional<std::uint64_t> here = fileChecksum(map);
        const std::string where = "line " + std::to_string(entry->line) + ": level " + std::to_string(entry->level);
        if (!here)
            return where + "'s map " + map + " cannot be read here";
        if (*here != entry->checksum)
            return where + " was played on a map with checksum " + hex(entry->checksum, false) + ", and " + map +
                   " here has " + hex(*here, false) + ": another map";
    }
    return reader.error();
}

} // namespace

void resetToProgramStart()
{
    clearWorld();
    if (rootPanel.children.size() == 3)
        delete rootPanel.children.back();
    rootPanel.children.clear();
    randomEngine.seed(std::mt19937::default_seed);
    pauseFlag = 0;
    currentTool = BuildTool::None;
    messageBoxOpen = 0;
    AppState = Menu;
    mapData = MapData{};
    levelWon = 0;
    levelLost = 0;
    buildLock = 0;
    buildLockTime = 0;
    elapsedMs = 0;
}

int replayRecording(std::istream& in, const std::string& name, const ReplayOptions& options)
{
    if (const std::string problem = checkFile(in, options); !problem.empty()) {
        std::fprintf(options.errors, "level_lab: %s: %s\n", name.c_str(), problem.c_str());
        return 1;
    }
    in.clear();
    in.seekg(0);
    resetToProgramStart();
    RecordingReader reader(in);
    int status = 0;
    {
        Replayer replayer(options);
        while (const std::optional<RecordedEntry> entry = reader.next()) {
            if (!replayer.take(*entry)) {
                std::fprintf(options.errors, "level_lab: %s: %s\n", name.c_str(), replayer.why().c_str());
                status = 1;
                break;
            }
        }
        if (status == 0)
            replayer.finish(reader.cutOff());
        if (replayer.unsavedPictures() > 0)
            status = 1;
        if (replayer.differences() > 0) {
            std::fprintf(options.out, "%d of the plays went otherwise than in the game\n", replayer.differences());
            status = 1;
        }
    }
    resetToProgramStart();
    return status;
}

int replayRecording(const std::string& path, const ReplayOptions& options)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        std::fprintf(stderr, "level_lab: %s: %s\n", path.c_str(),
                     std::filesystem::exists(path, error) ? "not a regular file" : "no such file");
        return 1;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "level_lab: %s: cannot open the file\n", path.c_str());
        return 1;
    }
    return replayRecording(in, path, options);
}
