#pragma once
// Build plans: reading them from plan files, the reference plan of each
// shipped level, and the ways the level tests vary a plan (late, jittered,
// with one kind of building left out).

#include "playtest.h"

#include <string>

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
// it repeats the placement every P seconds up to T. Columns 2 to 17 from the
// left edge, rows 1 to 9 from the bottom (row r is line r of the map file).
// '#' starts a comment. Empty when read, else the line and what is wrong.
std::string readPlanFile(const std::string& path, BuildPlan& plan);

// The plan file of a shipped level, and its plan (read once).
std::string levelPlanFile(int level);
const BuildPlan& levelPlan(int level);

// The plan with every placement made the given seconds later.
BuildPlan delayed(const BuildPlan& plan, float seconds);
// Each placement late by its own random 0 to maxLate seconds, as a person's
// clicks are; the placements keep their order.
BuildPlan jittered(const BuildPlan& plan, float maxLate, unsigned seed);
// The plan with one kind of building left out and nothing in its place.
BuildPlan without(const BuildPlan& plan, Building building);
// The shortest time between two placements of the plan.
float shortestGap(const BuildPlan& plan);
