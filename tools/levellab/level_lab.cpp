// The level designer's lab: plays a map headless against the naive
// strategies and against a reference plan, on time, varied as the real game
// varies, late, and with each kind of building left out, and prints what
// happened with a timeline.
//
//   level_lab [OPTIONS]            the three shipped levels with their plans
//   level_lab MAP PLAN [OPTIONS]   any map file with a plan file
//
//   --late S     clicks up to S seconds late in the varied runs (3; 6 on level 1)
//   --runs N     varied runs in each trial (10)
//   --scale F    every peak rate of the map multiplied by F
//   --sweep      the plan, its varied runs and the best naive strategy at
//                rates scaled from 0.85 to 1.15
//   --at T       save the board T seconds into the plan
//   --figures    the table of docs/levels.md (shipped levels only)
//   --replay F   play back a recording of the game (brambleholt --record F);
//                with --at T, save the board T seconds into each play
//
// Run it from the runtime folder (it needs the images for the board pictures).

#include "replay.h"
#include "report.h"

#include "datafiles/map_data.h"
#include "world/level.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Options
{
    std::vector<std::string> files;
    std::optional<std::string> replay;
    std::optional<float> late, at;
    int runs = variedRuns;
    float scale = 1;
    bool sweep = false, figures = false;
};

[[noreturn]] void refuse(int status, const std::string& why)
{
    std::fprintf(stderr, "level_lab: %s\n", why.c_str());
    if (status == 2)
        std::fprintf(stderr, "usage: level_lab [MAP PLAN] [--late S] [--runs N] [--scale F] [--sweep] [--at T] [--figures] [--replay FILE]\n");
    clearWorld();
    std::exit(status);
}

float numberAfter(const char* option, const char* text, float low, float high)
{
    if (!text)
        refuse(2, std::string(option) + " needs a number");
    char* end = nullptr;
    const float value = std::strtof(text, &end);
    if (end == text || *end != '\0' || !(value >= low && value <= high))
        refuse(2, std::string(option) + " takes a number from " + std::to_string(static_cast<int>(low)) + " to " +
                      std::to_string(static_cast<int>(high)) + ", not '" + text + "'");
    return value;
}

Options parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (std::strcmp(arg, "--late") == 0)
            options.late = numberAfter(arg, value, 0, 60), ++i;
        else if (std::strcmp(arg, "--runs") == 0)
            options.runs = static_cast<int>(numberAfter(arg, value, 1, 10000)), ++i;
        else if (std::strcmp(arg, "--scale") == 0)
            options.scale = numberAfter(arg, value, 0, 100), ++i;
        else if (std::strcmp(arg, "--at") == 0)
            options.at = numberAfter(arg, value, 0, 1e6f), ++i;
        else if (std::strcmp(arg, "--replay") == 0) {
            if (!value || value[0] == '\0')
                refuse(2, "--replay needs a recording's file");
            options.replay = value, ++i;
        } else if (std::strcmp(arg, "--sweep") == 0)
            options.sweep = true;
        else if (std::strcmp(arg, "--figures") == 0)
            options.figures = true;
        else if (arg[0] == '-' && arg[1] != '\0')
            refuse(2, std::string("unknown option '") + arg + "'");
        else
            options.files.push_back(arg);
    }
    if (options.replay && (!options.files.empty() || options.sweep || options.figures || options.late ||
                           options.runs != variedRuns || options.scale != 1))
        refuse(2, "--replay plays a recording on its own (with --at T at most)");
    if (options.files.size() == 1 && !options.replay)
        refuse(2, "a map needs a plan: level_lab MAP PLAN");
    if (options.files.size() > 2)
        refuse(2, "one map and one plan at a time, not '" + options.files[2] + "' as well");
    if (options.figures && !options.files.empty())
        refuse(2, "--figures is the table of the three shipped levels: give no map");
    return options;
}

// The map and plan checked before any trial runs; refuses what cannot run.
LabLevel checkedLevel(const std::string& mapPath, const std::string& planPath, float maxLate, int runs,
                      const std::string& prefix)
{
    MapData map;
    const MapReadResult read = readMapFile(mapPath, map);
    if (!read.ok())
        refuse(1, mapPath + ": " + read.error);
    if (const Refusal unsound = checkMap(map); !unsound.empty())
        refuse(1, mapPath + ": " + unsound.english);
    // The level clock counts whole milliseconds in 32 bits.
    const double lastMs = (static_cast<double>(map.totalWaveTime) + 60) * 1000;
    if (lastMs >= 2147483647.0) {
        char why[160];
        std::snprintf(why, sizeof why, "%s: the waves last %g s, past the %.0f s the level clock can count",
                      mapPath.c_str(), static_cast<double>(map.totalWaveTime), std::floor(2147483.647 - 60));
        refuse(1, why);
    }
    LabLevel level{mapPath, planPath, {}, maxLate, runs, prefix};
    if (const std::string problem = readPlanFile(planPath, level.plan, planEnd(map.totalWaveTime)); !problem.empty())
        refuse(1, problem);
    return level;
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = parse(argc, argv);
    if (options.replay) {
        ReplayOptions replay;
        replay.at = options.at;
        return replayRecording(*options.replay, replay);
    }
    std::vector<LabLevel> levels;
    if (options.files.empty()) {
        for (int level = 1; level <= 3; ++level)
            levels.push_back(checkedLevel(levelFile(level), levelPlanFile(level),
                                          options.late.value_or(level == 1 ? 6.f : 3.f), options.runs,
                                          "level" + std::to_string(level)));
    } else {
        levels.push_back(checkedLevel(options.files[0], options.files[1], options.late.value_or(3.f), options.runs,
                                      "level_lab"));
    }
    if (options.at) {
        for (const LabLevel& level : levels)
            saveBoardAt(level, options.scale, *options.at);
    } else if (options.figures) {
        printFigures(levels);
    } else {
        for (const LabLevel& level : levels) {
            if (options.sweep)
                printSweep(level);
            else
                printTrial(level, options.scale);
        }
    }
    clearWorld();
    return 0;
}
