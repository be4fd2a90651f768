#pragma once
// Follows the play of a level frame by frame and tells how each play ended:
// won or lost at a tick, restarted, left for the menu, or cut short by the
// window closing. A play runs from the level's start (or restart) to its end;
// once won or lost it has ended, whatever the player does next. The game's
// recorder and the lab's replay of a recording follow the play with the same
// watch, so they count ticks alike and can be compared.

#include <cstdint>
#include <optional>

struct PlayEnd
{
    enum Kind
    {
        Won,
        Lost,
        Restarted,
        Left, // back to the menu
        Closed,
    };
    Kind kind;
    int ticks;             // ticks of the play up to its end
    std::int32_t ms;       // level time at its end
    std::uint64_t hash;    // the World then (for a play that was left: after its last tick)
};

// "won", "lost", "restarted", "left", "closed"; none for other words.
const char* playEndWord(PlayEnd::Kind kind);
std::optional<PlayEnd::Kind> playEndKind(const char* word);

class PlayWatch
{
public:
    // A level has just been loaded and its play begins.
    void begin();
    bool active() const { return active_; }
    bool decided() const { return decided_; }
    int ticks() const { return ticks_; }
    // A recorded window event is about to be handled.
    void beforeEvent();
    // After the frame's update (ticked: the World advanced): how the play
    // ended in this frame, if it did.
    std::optional<PlayEnd> afterFrame(bool ticked);
    // The window is closing.
    std::optional<PlayEnd> closed();

private:
    bool active_ = false;
    bool decided_ = false;
    bool sawEvent_ = false; // an event came in this frame, and the World before it is noted
    std::uint32_t clears_ = 0;
    int ticks_ = 0;
    std::int32_t msBefore_ = 0;
    std::uint64_t hashBefore_ = 0;
};
