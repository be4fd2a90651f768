#include "app/play_watch.h"

#include "app/run.h"
#include "app/world_hash.h"
#include "world/level.h"
#include "world/world.h"

#include <cstring>

namespace {

const char* const endWords[] = {"won", "lost", "restarted", "left", "closed"};

} // namespace

const char* playEndWord(PlayEnd::Kind kind)
{
    return endWords[kind];
}

std::optional<PlayEnd::Kind> playEndKind(const char* word)
{
    for (int kind = PlayEnd::Won; kind <= PlayEnd::Closed; ++kind) {
        if (std::strcmp(word, endWords[kind]) == 0)
            return static_cast<PlayEnd::Kind>(kind);
    }
    return std::nullopt;
}

void PlayWatch::begin()
{
    active_ = true;
    decided_ = false;
    sawEvent_ = false;
    clears_ = worldClears;
    ticks_ = 0;
}

void PlayWatch::beforeEvent()
{
    // Only an event ends a play before it is decided (a yes to a question,
    // or the window closing), and both empty the World: note it first.
    if (!active_ || decided_ || sawEvent_)
        return;
    sawEvent_ = true;
    msBefore_ = elapsedMs;
    hashBefore_ = hashWorld();
}

std::optional<PlayEnd> PlayWatch::afterFrame(bool ticked)
{
    if (!active_)
        return std::nullopt;
    std::optional<PlayEnd> end;
    if (worldClears != clears_) {
        if (!decided_)
            end = PlayEnd{AppState == Playing ? PlayEnd::Restarted : PlayEnd::Left, ticks_, msBefore_, hashBefore_};
        clears_ = worldClears;
        ticks_ = 0;
        decided_ = false;
        active_ = AppState == Playing;
    }
    sawEvent_ = false;
    if (active_ && ticked) {
        ++ticks_;
        if (!decided_ && (levelWon == 1 || levelLost == 1)) {
            decided_ = true;
            if (!end)
                end = PlayEnd{levelWon == 1 ? PlayEnd::Won : PlayEnd::Lost, ticks_, elapsedMs, hashWorld()};
        }
    }
    return end;
}

std::optional<PlayEnd> PlayWatch::closed()
{
    if (!active_ || decided_)
        return std::nullopt;
    active_ = false;
    if (!sawEvent_)
        return PlayEnd{PlayEnd::Closed, ticks_, elapsedMs, hashWorld()};
    return PlayEnd{PlayEnd::Closed, ticks_, msBefore_, hashBefore_};
}
