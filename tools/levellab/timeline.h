#pragma once
// What happened in one lab run, for a designer to read: wolves on the board
// by kind in each 10 s, every building lost with what took it down, every
// click the board refused and why, and the wolves left where a run stalled.

#include "app/world_hash.h"

#include <SFML/System/Vector2.hpp>

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

class Wolf;
class Tower;
class Platform;

constexpr int timelineStep = 10; // seconds a row of the timeline covers

struct TimelineRow
{
    std::array<int, 6> arrived{}; // wolves of each kind that came in
    std::array<int, 6> most{};    // most wolves of each kind on the board at once
};

struct BuildingLoss
{
    float time;
    int column, row;
    std::string building; // "arrow tower", "platform", ...
    std::string cause;    // what took it down
};

struct RefusedClick
{
    float time;
    std::string placement; // "arrow 5 5"
    std::string reason;
};

// The wolf that reached the home and lost the run: where it came onto the
// board and the cell from which it stepped into the home.
struct Breach
{
    int kind = 0;
    int entryRow = 0;    // it came in at (1, entryRow), left of column 2
    sf::Vector2i from;   // the last cell before the home
};

struct Timeline
{
    std::vector<TimelineRow> rows;
    std::vector<BuildingLoss> losses;
    std::vector<RefusedClick> refused;
    std::vector<std::string> remaining; // the wolves left, where, when a run is undecided
    float firstWolf = -1;               // level time of the first wolf, -1 if none came
    float timeWithWolves = 0;           // seconds with a wolf on the board up to the end of the waves
    std::vector<float> arrivals;        // level time of every wolf's arrival
    std::optional<Breach> breach;       // in a lost run
};

// Watches the World between ticks and writes the timeline.
class TimelineRecorder
{
public:
    explicit TimelineRecorder(Timeline& timeline) : timeline_(timeline) {}

    // Before a tick: what may hurt a building in it.
    void beforeTick();
    // After a tick that took the level from `before` to `now` seconds of level time.
    void afterTick(float before, float now, float waveTime);
    void refused(float now, const std::string& placement, const std::string& reason);
    // At the end of an undecided run: every wolf left, with its kind, state and cell.
    void noteRemaining();

private:
    struct Hurt
    {
        std::string cause;
        float time;
    };
    void blame(const void* building, const std::string& cause, float now);
    std::string lastCause(const void* building) const;
    void noteBreach();

    Timeline& timeline_;
    std::vector<const Wolf*> wolvesBefore_;
    std::vector<sf::Vector2f> blasts_; // where suicidal wolves blow up in the tick
    std::map<const Wolf*, sf::Vector2i> cellBefore_; // by wolf, the cell it was leaving before the tick
    std::map<const Wolf*, sf::Vector2i> cameFrom_;   // by wolf, the cell before the one it is leaving
    std::map<const Wolf*, int> entryRow_;
    std::map<const void*, Hurt> hurt_;       // by tower or platform, the last thing that hurt it
    std::vector<std::pair<const Tower*, std::string>> stonesBefore_;
    std::map<const Tower*, std::pair<std::string, sf::Vector2i>> towersBefore_;
    std::map<const Platform*, sf::Vector2i> platformsBefore_;
    std::map<const Platform*, const Tower*> carried_;
};

// The name of a wolf kind (its index in the wave records).
const char* wolfKindName(int kind);
// The name of a tower by its type code (0 arrow, 1 ice, 2 skunk, 3 slap).
const char* towerName(int type);
