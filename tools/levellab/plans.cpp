#include "plans.h"

#include "datafiles/file_kind.h"
#include "datafiles/map_data.h"
#include "world/level_map.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>

namespace {

// Seconds past the waves a plan may still build at: the level lasts until
// the last wolf is gone.
constexpr float planMargin = 60;
constexpr std::size_t maxPlanLine = 1000;
constexpr std::uintmax_t maxPlanFile = 1 << 20;
// Far more than any level needs (a placement every second of a ten-minute
// level is 600), yet a plan of that many stays small in memory and quick.
constexpr std::size_t maxPlacements = 10000;

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
bool readPlanLine(const std::string& line, int number, float lastSecond, BuildPlan& plan, std::string& problem)
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
    placement.line = number;
    float period = 0, until = time;
    std::string word;
    if (words >> word) {
        if (word == "keep") {
            placement.keep = true;
        } else if (word != "every") {
            problem = "unexpected '" + word + "' after the placement";
            return false;
        } else if (!(words >> period >> word >> until) || word != "until" || !(period >= 1) || !(until >= time)) {
            problem = "expected 'every P until T' with P at least 1 and T no earlier than the placement";
            return false;
        }
    }
    if (words >> word) {
        problem = word == "keep" || word == "every" ? "'keep' and 'every' do not go together: 'keep' alone puts it back"
                                                    : "unexpected '" + word + "' after the placement";
        return false;
    }
    if (placement.keep && placement.kind == Placement::Demolish) {
        problem = "a demolition cannot be kept";
        return false;
    }
    if (!(time >= 0) || !(until <= lastSecond)) {
        char limit[96];
        std::snprintf(limit, sizeof limit, "placements run from 0 to %.0f s (the waves and %.0f s more)", lastSecond,
                      planMargin);
        problem = limit;
        return false;
    }
    const double repeats = period > 0 ? std::floor((static_cast<double>(until) - time) / period) + 1 : 1;
    if (static_cast<double>(plan.size()) + repeats > static_cast<double>(maxPlacements)) {
        problem = "the plan would hold more than " + std::to_string(maxPlacements) +
                  " placements ('keep' puts a building back whenever it falls)";
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
        if (!readPlanLine(line, number, lastSecond, read, problem))
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

std::string levelPlanName(int level)
{
    return "tools/levellab/plans/c" + std::to_string(level) + ".plan";
}

float lockAfter(const Placement& placement)
{
    switch (placement.kind) {
    case Placement::Platform: return 2;
    case Placement::Tower:
    case Placement::Pond: return 1;
    case Placement::Demolish: break;
    }
    return 0;
}

std::vector<std::string> planWarnings(const BuildPlan& plan, const MapData& map)
{
    std::vector<std::string> warnings;
    const auto warn = [&](const Placement& p, const std::string& what) {
        char head[80];
        std::snprintf(head, sizeof head, "line %d (%s %d %d at %g s): ", p.line, names[static_cast<int>(buildingOf(p))],
                      p.column, p.row, static_cast<double>(p.time));
        warnings.push_back(head + what);
    };
    // A line's first placement stands for the line: the repeats of an
    // "every" line interleave with later lines on purpose.
    std::map<int, Placement> firstOfLine;
    for (const Placement& p : plan) {
        const auto [same, added] = firstOfLine.emplace(p.line, p);
        if (!added && p.time < same->second.time)
            same->second = p;
    }
    BuildPlan firsts;
    for (const auto& [line, p] : firstOfLine)
        firsts.push_back(p);
    std::stable_sort(firsts.begin(), firsts.end(), [](const Placement& a, const Placement& b) { return a.line < b.line; });
    std::set<std::pair<int, int>> platformCells;
    for (const Placement& p : plan) {
        if (p.kind == Placement::Platform)
            platformCells.insert({p.column, p.row});
    }
    const Placement* latest = nullptr;
    for (const Placement& p : firsts) {
        const std::int32_t terrain = map.terrainCodes[p.column - 2][p.row - 1];
        if (p.kind != Placement::Demolish && terrain == Home)
            warn(p, "the home takes no building");
        else if ((p.kind == Placement::Platform || p.kind == Placement::Pond) && terrain == HighGround)
            warn(p, "stone takes towers only, never a platform or a pond");
        else if (p.kind == Placement::Tower && terrain == LowGround && !platformCells.count({p.column, p.row}))
            warn(p, "a tower on grass needs a platform, and the plan builds none there");
        if (latest && p.time < latest->time)
            warn(p, "listed after line " + std::to_string(latest->line) + ", which comes later; placements are made "
                    "in the order of their times");
        if (!latest || p.time >= latest->time)
            latest = &p;
    }
    std::stable_sort(firsts.begin(), firsts.end(), [](const Placement& a, const Placement& b) { return a.time < b.time; });
    for (std::size_t i = 1; i < firsts.size(); ++i) {
        const Placement& before = firsts[i - 1];
        const float gap = firsts[i].time - before.time;
        if (gap < lockAfter(before)) {
            char why[160];
            std::snprintf(why, sizeof why, "%g s after line %d, whose %s locks building for %g s: it waits",
                          static_cast<double>(gap), before.line, names[static_cast<int>(buildingOf(before))],
                          static_cast<double>(lockAfter(before)));
            warn(firsts[i], why);
        }
    }
    return warnings;
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
