// Plays the family of map-blind recipes (a deep block of platform towers
// round the home and a few towers for the catapults, clicked again and
// again) on a map, and prints which members win.
//
//   recipe_family MAP [--scale F]... [--runs N] [--jobs J] [--close S] [--every K]
//
// Every member is played on time at each scale (1.0 and 0.85 unless scales
// are given). A member that wins, stays open, or loses less than S seconds
// (60) before the waves end is played again in N varied runs (10); so is
// every 50th member whatever it did, to check that the cut-off misses no
// winner. J processes (1 or 2) share the members. The status is 1 when any
// member wins more than one varied run in ten. --every K plays only every
// K-th member, for a quick look while a map is being drawn.
//
// Run it from the runtime folder.

#include "arguments.h"
#include "trial.h"

#include "world/level.h"
#include "datafiles/map_data.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Options
{
    std::string map;
    std::vector<float> scales;
    int runs = variedRuns;
    int jobs = 1;
    float close = 60;
    int every = 1;
};

struct Outcome
{
    int member = 0;
    int scale = 0;   // index into the scales
    char onTime = 'L'; // W won, L lost, O open
    float seconds = 0;
    int variedWins = -1; // -1: not played in varied runs
};

constexpr int auditEvery = 50;

[[noreturn]] void refuse(const std::string& why)
{
    std::fprintf(stderr, "recipe_family: %s\n", why.c_str());
    std::fprintf(stderr, "usage: recipe_family MAP [--scale F]... [--runs N] [--jobs J] [--close S] [--every K]\n");
    std::exit(2);
}

float numberAfter(const char* option, const char* text, float low, float high)
{
    const std::optional<float> value = numberWithin(text, low, high);
    if (!value) {
        char why[96];
        std::snprintf(why, sizeof why, "%s takes a number from %g to %g", option, static_cast<double>(low),
                      static_cast<double>(high));
        refuse(why);
    }
    return *value;
}

Options parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (std::strcmp(arg, "--scale") == 0)
            options.scales.push_back(numberAfter(arg, value, 0.01f, 100)), ++i;
        else if (std::strcmp(arg, "--runs") == 0)
            options.runs = static_cast<int>(numberAfter(arg, value, 1, 1000)), ++i;
        else if (std::strcmp(arg, "--jobs") == 0)
            options.jobs = static_cast<int>(numberAfter(arg, value, 1, 2)), ++i;
        else if (std::strcmp(arg, "--every") == 0)
            options.every = static_cast<int>(numberAfter(arg, value, 1, 10000)), ++i;
        else if (std::strcmp(arg, "--close") == 0)
            options.close = numberAfter(arg, value, 0, 1e4f), ++i;
        else if (arg[0] == '-')
            refuse(std::string("unknown option '") + arg + "'");
        else if (options.map.empty())
            options.map = arg;
        else
            refuse("one map at a time");
    }
    if (options.map.empty())
        refuse("give a map file");
    if (options.scales.empty())
        options.scales = {1.f, 0.85f};
    MapData map;
    const MapReadResult read = readMapFile(options.map, map);
    if (!read.ok())
        refuse(options.map + ": " + read.error);
    if (const Refusal unsound = checkMap(map); !unsound.empty())
        refuse(options.map + ": " + unsound.english);
    return options;
}

// Plays the members whose index modulo jobs is share, and writes the outcomes.
void playShare(const Options& options, const std::vector<Recipe>& family, int share, std::FILE* out)
{
    MapData map;
    readMapFile(options.map, map);
    const float waveTime = map.totalWaveTime;
    for (std::size_t i = static_cast<std::size_t>(share); i < family.size(); i += static_cast<std::size_t>(options.jobs)) {
        const BuildPlan plan = recipePlan(options.map, family[i]);
        for (std::size_t s = 0; s < options.scales.size(); ++s) {
            PlayOptions play;
            play.rateScale = options.scales[s];
            play.maxSeconds = waveTime + 60;
            const PlayResult run = playtest(options.map, plan, play);
            Outcome outcome{static_cast<int>(i), static_cast<int>(s), run.won ? 'W' : run.lost ? 'L' : 'O',
                            run.seconds, -1};
            const bool close = !run.lost || run.seconds >= waveTime - options.close;
            if (close || i % auditEvery == 0) {
                outcome.variedWins = 0;
                for (unsigned seed = 1; seed <= static_cast<unsigned>(options.runs); ++seed)
                    outcome.variedWins += variedRun(options.map, plan, 3, seed, play).won;
            }
            std::fprintf(out, "%d %d %c %.1f %d\n", outcome.member, outcome.scale, outcome.onTime,
                         static_cast<double>(outcome.seconds), outcome.variedWins);
        }
    }
    std::fflush(out);
}

std::vector<Outcome> playAll(const Options& options, const std::vector<Recipe>& family)
{
    std::vector<std::FILE*> files;
    std::vector<pid_t> children;
    for (int share = 0; share < options.jobs; ++share) {
        std::FILE* file = std::tmpfile();
        if (!file)
            refuse("cannot make a temporary file");
        std::fflush(stdout);
        const pid_t child = ::fork();
        if (child < 0)
            refuse("cannot start a process");
        if (child == 0) {
            playShare(options, family, share, file);
            clearWorld();
            ::_exit(0);
        }
        files.push_back(file);
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            refuse("a share of the members did not finish");
    }
    std::vector<Outcome> outcomes;
    for (std::FILE* file : files) {
        std::rewind(file);
        Outcome o;
        float seconds = 0;
        while (std::fscanf(file, "%d %d %c %f %d", &o.member, &o.scale, &o.onTime, &seconds, &o.variedWins) == 5) {
            o.seconds = seconds;
            outcomes.push_back(o);
        }
        std::fclose(file);
    }
    if (outcomes.size() != family.size() * options.scales.size())
        refuse("outcomes are missing: " + std::to_string(outcomes.size()) + " of " +
               std::to_string(family.size() * options.scales.size()));
    return outcomes;
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = parse(argc, argv);
    std::vector<Recipe> family;
    const std::vector<Recipe> all = recipeFamily();
    for (std::size_t i = 0; i < all.size(); i += static_cast<std::size_t>(options.every))
        family.push_back(all[i]);
    const std::vector<Outcome> outcomes = playAll(options, family);
    bool anyWins = false;
    std::printf("%s: %zu recipes, each on time and, when it wins, stays open or loses within %.0f s of the end of "
                "the waves (and every %dth member), in %d varied runs\n",
                options.map.c_str(), family.size(), static_cast<double>(options.close), auditEvery, options.runs);
    for (std::size_t s = 0; s < options.scales.size(); ++s) {
        int won = 0, open = 0, checked = 0, audited = 0;
        const Outcome* best = nullptr;
        std::vector<const Outcome*> winners;
        for (const Outcome& o : outcomes) {
            if (o.scale != static_cast<int>(s))
                continue;
            won += o.onTime == 'W';
            open += o.onTime == 'O';
            checked += o.variedWins >= 0;
            audited += o.variedWins >= 0 && o.onTime == 'L' && o.member % auditEvery == 0;
            if (o.variedWins > 1)
                winners.push_back(&o);
            const auto score = [](const Outcome& x) {
                return x.variedWins * 1000.f + (x.onTime == 'W' ? 500.f : x.onTime == 'O' ? 400.f : x.seconds);
            };
            if (!best || score(o) > score(*best))
                best = &o;
        }
        std::printf("  rates x%.2f: %d won on time, %d open; %d played in varied runs (%d of them audits of "
                    "early losses)\n",
                    static_cast<double>(options.scales[s]), won, open, checked, audited);
        if (best)
            std::printf("    best: %s: on time %s at %.1f s, varied runs won %d of %d\n",
                        describe(family[static_cast<std::size_t>(best->member)]).c_str(),
                        best->onTime == 'W' ? "won" : best->onTime == 'O' ? "open" : "lost",
                        static_cast<double>(best->seconds), std::max(best->variedWins, 0), options.runs);
        std::sort(winners.begin(), winners.end(), [](const Outcome* a, const Outcome* b) {
            return a->variedWins > b->variedWins;
        });
        for (const Outcome* o : winners)
            std::printf("    WINS %d of %d: %s\n", o->variedWins, options.runs,
                        describe(family[static_cast<std::size_t>(o->member)]).c_str());
        anyWins = anyWins || !winners.empty();
    }
    clearWorld();
    return anyWins ? 1 : 0;
}
