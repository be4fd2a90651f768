#include "plans.h"

#include "datafiles/file_kind.h"
#include "datafiles/map_data.h"
#include "world/level_map.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace {

// Seconds past the waves a plan may still build at: the level lasts until
// the last wolf is gone.
constexpr float planMargin = 60;
constexpr std::size_t maxPlanLine = 1000;
constexpr std::uintmax_t maxPlanFile = 1 << 20;

const char* const names[buildingKinds] = {"arrow", "ice", "skunk", "slap", "platform", "pond", "demolish"};

BuildPlan sortedByTime(BuildPlan plan)
{
    std::stable_sort(plan.begin(), plan.end(),
                     [](const Placement& a, const Placement& b) { return a.time < b.time; });
    return plan;
}

bool placementNamed(const std::string& name, Placement& placement)
{
    const auto found = std::find_if(std::begin(names), std::end(names),
                                    [&](const char* known) { return name == known; });
    if (found == std::end(names))
        return false;
    switch (static_cast<Building>(found - std::begin(names))) {
    case Building::Arrow: placement = {0, Placement::Tower, 0, 0, 0}; break;
    case Building::Ice: placement = {0, Placement::Tower, 1, 0, 0}; break;
    case Building::Skunk: placement = {0, Placement::Tower, 2, 0, 0}; break;
    case Building::Slap: placement = {0, Placement::Tower, 3, 0, 0}; break;
    case Building::Platform: placement = {0, Placement::Platform, 0, 0, 0}; break;
    case Building::Pond: placement = {0, Placement::Pond, 0, 0, 0}; break;
    case Building::Demolition: placement = {0, Placement::Demolish, 0, 0, 0}; break;
    }
    return true;
}

// One line of a plan file; false with the problem when it is not a placement.
bool readPlanLine(const std::string& line, float lastSecond, BuildPlan& plan, std::string& problem)
{
    std::istringstream words(line.substr(0, line.find('#')));
    float time = 0;
    std::string name;
    if (!(words >> time)) {
        if (words.eof())
            return true; // an empty or comment line
        problem = "expected the seconds of a placement";
        return false;
    }
    Placement placement;
    if (!(words >> name) || !placementNamed(name, placement)) {
        problem = "unknown building '" + name + "'";
        return false;
    }
    if (!(words >> placement.column >> placement.row) || !LevelMap::onBoard(placement.column, placement.row)) {
        problem = "expected a column (2 to 17) and a row (1 to 9)";
        return false;
    }
    float period = 0, until = time;
    std::string word;
    if (words >> word) {
        if (word != "every") {
            problem = "unexpected '" + word + "' after the placement";
            return false;
        }
        if (!(words >> period >> word >> until) || word != "until" || !(period >= 1) || !(until >= time)) {
            problem = "expected 'every P until T' with P at least 1 and T no earlier than the placement";
            return false;
        }
    }
    if (words >> word) {
        problem = "unexpected '" + word + "' after the placement";
        return false;
    }
    if (!(time >= 0) || !(until <= lastSecond)) {
        char limit[96];
        std::snprintf(limit, sizeof limit, "placements run from 0 to %.0f s (the waves and %.0f s more)", lastSecond,
                      planMargin);
        problem = limit;
        return false;
    }
    for (float t = time; t <= until; t += period) {
        placement.time = t;
        plan.push_back(placement);
        if (period <= 0)
            break;
    }
    return true;
}

} // namespace

Building buildingOf(const Placement& placement)
{
    switch (placement.kind) {
    case Placement::Platform: return Building::Platform;
    case Placement::Pond: return Building::Pond;
    case Placement::Demolish: return Building::Demolition;
    case Placement::Tower: break;
    }
    return static_cast<Building>(placement.type);
}

const char* buildingName(Building building)
{
    return names[static_cast<int>(building)];
}

float planEnd(float waveTime)
{
    return waveTime + planMargin;
}

std::string readPlanFile(const std::string& path, BuildPlan& plan, float lastSecond)
{
    if (const Refusal kind = checkRegularFile(path); !kind.empty())
        return path + ": " + kind.english;
    std::error_code error;
    if (std::filesystem::file_size(path, error) > maxPlanFile)
        return path + ": larger than " + std::to_string(maxPlanFile >> 10) + " KiB";
    std::ifstream file(path);
    if (!file)
        return path + ": cannot open the file";
    BuildPlan read;
    std::string line, problem;
    for (int number = 1; std::getline(file, line); ++number) {
        if (line.size() > maxPlanLine)
            return path + ": line " + std::to_string(number) + ": longer than " + std::to_string(maxPlanLine) +
                   " characters";
        if (!readPlanLine(line, lastSecond, read, problem))
            return path + ": line " + std::to_string(number) + ": " + problem;
    }
    if (file.bad())
        return path + ": cannot read the file";
    plan = sortedByTime(read);
    return {};
}

std::string levelPlanFile(int level)
{
    return std::string(BRAMBLEHOLT_PLAN_DIR) + "/c" + std::to_string(level) + ".plan";
}

namespace {

// A shipped level's plan; a broken plan file stops the tests with its reason.
BuildPlan readLevelPlan(int level)
{
    BuildPlan plan;
    MapData map;
    const float lastSecond = readMapFile(levelFile(level), map).ok() ? planEnd(map.totalWaveTime) : 0;
    const std::string problem = readPlanFile(levelPlanFile(level), plan, lastSecond);
    if (!problem.empty())
        throw std::runtime_error(problem);
    return plan;
}

} // namespace

const BuildPlan& levelPlan(int level)
{
    static const BuildPlan plans[3] = {readLevelPlan(1), readLevelPlan(2), readLevelPlan(3)};
    return plans[level - 1];
}

BuildPlan delayed(const BuildPlan& plan, float seconds)
{
    BuildPlan late = plan;
    for (Placement& placement : late)
        placement.time += seconds;
    return late;
}

BuildPlan jittered(const BuildPlan& plan, float maxLate, unsigned seed)
{
    std::mt19937 engine(seed);
    BuildPlan late = sortedByTime(plan);
    float previous = 0;
    for (Placement& placement : late) {
        const double u = engine() / 4294967296.0;
        placement.time = std::max(previous, placement.time + static_cast<float>(u * maxLate));
        previous = placement.time;
    }
    return late;
}

BuildPlan without(const BuildPlan& plan, Building building)
{
    BuildPlan rest;
    std::copy_if(plan.begin(), plan.end(), std::back_inserter(rest),
                 [&](const Placement& placement) { return buildingOf(placement) != building; });
    return rest;
}

std::optional<float> shortestGap(const BuildPlan& plan)
{
    const BuildPlan sorted = sortedByTime(plan);
    std::optional<float> gap;
    for (std::size_t i = 1; i < sorted.size(); ++i)
        gap = std::min(gap.value_or(sorted[i].time - sorted[i - 1].time), sorted[i].time - sorted[i - 1].time);
    return gap;
}
