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
//   --sweep      the plan, its varied runs and the naive strategies at
//                rates scaled from 0.85 to 1.15
//   --at T       save the board T seconds into the plan
//   --figures    the table of docs/levels.md
//   --replay F   play back a recording of the game (brambleholt --record F);
//                with --at T, save the board T seconds into each play
//
// Run it from the runtime folder (it needs the images for the board pictures).

#include "arguments.h"
#include "picture.h"
#include "replay.h"
#include "report.h"

#include "datafiles/map_data.h"
#include "world/level.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

struct Options
{
    std::vector<std::string> files;
    std::optional<float> late, at;
    int runs = variedRuns;
    float scale = 1;
    bool sweep = false, figures = false;
    std::optional<std::string> replay;
    std::set<std::string> given; // the options named on the command line
};

[[noreturn]] void refuse(int status, const std::string& why, bool withUsage = true)
{
    std::fprintf(stderr, "level_lab: %s\n", why.c_str());
    if (status == 2 && withUsage)
        std::fprintf(stderr, "usage: level_lab [MAP PLAN] [--late S] [--runs N] [--scale F] [--sweep] [--at T] [--figures] [--replay FILE]\n");
    clearWorld();
    std::exit(status);
}

float numberAfter(const char* option, const char* text, float low, float high)
{
    if (!text)
        refuse(2, std::string(option) + " needs a number");
    const std::optional<float> value = numberWithin(text, low, high);
    if (!value)
        refuse(2, std::string(option) + " takes a number from " + std::to_string(static_cast<int>(low)) + " to " +
                      std::to_string(static_cast<int>(high)) + ", not '" + text + "'");
    return *value;
}

// Each option: its name, whether a number follows, and what it sets.
struct OptionRule
{
    const char* name;
    bool number;
    void (*set)(Options&, const char* option, const char* value);
};

const OptionRule optionRules[] = {
    {"--late", true, [](Options& o, const char* n, const char* v) { o.late = numberAfter(n, v, 0, 60); }},
    {"--runs", true,
     [](Options& o, const char* n, const char* v) { o.runs = static_cast<int>(numberAfter(n, v, 1, 10000)); }},
    {"--scale", true, [](Options& o, const char* n, const char* v) { o.scale = numberAfter(n, v, 0, 100); }},
    {"--at", true, [](Options& o, const char* n, const char* v) { o.at = numberAfter(n, v, 0, 1e6f); }},
    {"--sweep", false, [](Options& o, const char*, const char*) { o.sweep = true; }},
    {"--figures", false, [](Options& o, const char*, const char*) { o.figures = true; }},
    {"--replay", true,
     [](Options& o, const char*, const char* v) {
         if (!v || v[0] == '\0')
             refuse(2, "--replay needs a recording's file");
         o.replay = v;
     }},
};

// Options that cannot both be meant: the second would be silently ignored.
struct Conflict
{
    const char* first;
    const char* second;
    const char* why;
};
const Conflict conflicts[] = {
    {"--at", "--sweep", "--at saves one picture of the plan on time; --sweep plays the rates"},
    {"--at", "--figures", "--at saves one picture of the plan on time; --figures prints the table"},
    {"--sweep", "--figures", "the sweep and the figures are separate reports"},
    {"--sweep", "--scale", "the sweep sets the rates itself, from 0.85 to 1.15"},
    {"--figures", "--scale", "the figures are at the map's own rates"},
    {"--at", "--runs", "--at plays the plan once, on time"},
    {"--at", "--late", "--at plays the plan once, on time"},
};

Options parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const OptionRule* rule = nullptr;
        for (const OptionRule& known : optionRules)
            rule = std::strcmp(arg, known.name) == 0 ? &known : rule;
        if (rule) {
            if (!options.given.insert(rule->name).second)
                refuse(2, std::string(rule->name) + " given twice");
            const char* value = rule->number && i + 1 < argc ? argv[++i] : nullptr;
            rule->set(options, rule->name, value);
        } else if (arg[0] == '-' && arg[1] != '\0') {
            refuse(2, std::string("unknown option '") + arg + "'");
        } else {
            options.files.push_back(arg);
        }
    }
    for (const Conflict& conflict : conflicts) {
        if (options.given.count(conflict.first) && options.given.count(conflict.second))
            refuse(2, std::string(conflict.first) + " and " + conflict.second + " do not go together: " + conflict.why,
                   false);
    }
    // A recording names its own levels and plays: only --at goes with it.
    if (options.replay && (!options.files.empty() || options.given.size() > (options.at ? 2u : 1u)))
        refuse(2, "--replay plays a recording on its own (with --at T at most)");
    if (options.files.size() == 1 && !options.replay)
        refuse(2, "a map needs a plan: level_lab MAP PLAN");
    if (options.files.size() > 2)
        refuse(2, "one map and one plan at a time, not '" + options.files[2] + "' as well");
    return options;
}

// A map file that ends right after its last number loses that wave record
// (the game reads it so); the designer is told, rather than left to wonder.
void warnOfDroppedRecord(const std::string& mapPath, const MapData& map)
{
    std::ifstream file(mapPath, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    MapData withBreak = map;
    if (text.empty() || !readMap(text + "\n", withBreak).ok() || withBreak.waves.size() <= map.waves.size())
        return;
    std::fprintf(stderr,
                 "level_lab: warning: %s: the last wave record has no line break after it, so the game drops it: "
                 "the waves last %g s, not %g s\n",
                 mapPath.c_str(), static_cast<double>(map.totalWaveTime), static_cast<double>(withBreak.totalWaveTime));
}

// The map and plan checked before any trial runs; refuses what cannot run
// and warns of what is likely a mistake.
LabLevel checkedLevel(const std::string& mapPath, const std::string& planPath, const std::string& planName,
                      float maxLate, int runs, const std::string& prefix)
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
    warnOfDroppedRecord(mapPath, map);
    LabLevel level{mapPath, planPath, planName, {}, maxLate, runs, prefix};
    if (const std::string problem = readPlanFile(planPath, level.plan, planEnd(map.totalWaveTime)); !problem.empty())
        refuse(1, problem);
    const std::vector<std::string> warnings = planWarnings(level.plan, map);
    constexpr std::size_t shown = 10;
    for (std::size_t i = 0; i < warnings.size() && i < shown; ++i)
        std::fprintf(stderr, "level_lab: warning: %s: %s\n", planName.c_str(), warnings[i].c_str());
    if (warnings.size() > shown)
        std::fprintf(stderr, "level_lab: warning: %s: %zu warnings more like these\n", planName.c_str(),
                     warnings.size() - shown);
    return level;
}

void checkWritable(const std::string& picture)
{
    if (const std::string why = pictureUnwritable(picture); !why.empty())
        refuse(1, why);
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
            levels.push_back(checkedLevel(levelFile(level), levelPlanFile(level), levelPlanName(level),
                                          options.late.value_or(level == 1 ? 6.f : 3.f), options.runs,
                                          "level" + std::to_string(level)));
    } else {
        levels.push_back(checkedLevel(options.files[0], options.files[1], options.files[1], options.late.value_or(3.f),
                                      options.runs, "level_lab"));
    }
    for (const LabLevel& level : levels) {
        if (options.at)
            checkWritable(atPictureName(level, *options.at));
        else if (!options.sweep && !options.figures)
            checkWritable(lostPictureName(level));
    }
    if (options.at) {
        for (const LabLevel& level : levels) {
            if (const std::string unsaved = saveBoardAt(level, options.scale, *options.at); !unsaved.empty())
                refuse(1, unsaved);
        }
    } else if (options.figures) {
        printFigures(levels, options.files.empty());
    } else {
        for (const LabLevel& level : levels) {
            if (options.sweep)
                printSweep(level);
            else if (const std::string unsaved = printTrial(level, options.scale); !unsaved.empty())
                refuse(1, unsaved);
        }
    }
    clearWorld();
    return 0;
}
