#pragma once
// Build plans: reading them from plan files, the reference plan of each
// shipped level, and the ways the level tests vary a plan (late, jittered,
// with one kind of building left out).

#include "playtest.h"

#include <optional>
#include <string>
#include <vector>

// What a placement builds.
enum class Building
{
    Arrow,
    Ice,
    Skunk,
    Slap,
    Platform,
    Pond,
    Demolition,
};
constexpr int buildingKinds = 7;

Building buildingOf(const Placement& placement);
const char* buildingName(Building building);

// Reads a plan file: one placement a line, "seconds building column row",
// building being one of the names of buildingName; "every P until T" after
// it repeats the placement every P seconds (P at least 1) up to T, and
// "keep" after it puts the building back whenever it is gone. Columns 2
// to 17 from the left edge, rows 1 to 9 from the bottom (row r is line r of
// the map file). '#' starts a comment. No placement may come after
// lastSecond (the level's waves and a margin), and a plan holds at most ten
// thousand placements. Empty when read, else the file, the line and what is
// wrong; plan is then left as it was.
std::string readPlanFile(const std::string& path, BuildPlan& plan, float lastSecond);

struct MapData;
// What in a readable plan is likely a mistake, one line each naming the plan
// line: a building on a cell its terrain never takes, a placement listed
// after a later one, and placements closer than the build lock lets them be.
std::vector<std::string> planWarnings(const BuildPlan& plan, const MapData& map);
// How long a placement locks building (0 for a demolition).
float lockAfter(const Placement& placement);
// The last second a plan for a level with these waves may build at.
float planEnd(float waveTime);

// The plan file of a shipped level (and its name from the source folder, for
// printing), and its plan (read once).
std::string levelPlanFile(int level);
std::string levelPlanName(int level);
const BuildPlan& levelPlan(int level);

// The plan with every placement made the given seconds later.
BuildPlan delayed(const BuildPlan& plan, float seconds);
// Each placement late by its own random 0 to maxLate seconds, as a person's
// clicks are; the placements keep their order.
BuildPlan jittered(const BuildPlan& plan, float maxLate, unsigned seed);
// The plan with one kind of building left out and nothing in its place.
BuildPlan without(const BuildPlan& plan, Building building);
// The shortest time between two placements of the plan; none for fewer than two.
std::optional<float> shortestGap(const BuildPlan& plan);
