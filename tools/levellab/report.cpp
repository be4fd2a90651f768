#include "report.h"

#include "picture.h"

#include "datafiles/map_data.h"
#include "world/level_map.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

std::string outcome(const PlayResult& r)
{
    char text[48];
    std::snprintf(text, sizeof text, "%s at %5.1f s", r.won ? "won " : r.lost ? "LOST" : "open", r.seconds);
    return text;
}

void show(const std::string& what, const PlayResult& r)
{
    std::printf("  %-58s %s; wolves", what.c_str(), outcome(r).c_str());
    for (int n : r.spawned)
        std::printf(" %2d", n);
    std::printf("; built %3d", placementCount(r));
    if (r.rebuilt > 0)
        std::printf(", put back %d", r.rebuilt);
    if (r.skipped > 0)
        std::printf(", refused %d", r.skipped);
    std::printf("\n");
    for (const std::string& wolf : r.timeline.remaining)
        std::printf("      left: %s\n", wolf.c_str());
}

std::string times(const std::vector<float>& seconds)
{
    std::string text;
    for (float t : seconds)
        text += (text.empty() ? "" : ", ") + std::to_string(static_cast<int>(t)) + " s";
    return text.empty() ? "none" : text;
}

} // namespace

void printTimeline(const Timeline& timeline)
{
    std::printf("    seconds   wolves on the board, most at once (arrived): regular, cub, throwing, suicidal, "
                "hacking, catapult\n");
    for (std::size_t i = 0; i < timeline.rows.size(); ++i) {
        std::printf("    %3zu-%3zu  ", i * timelineStep, (i + 1) * timelineStep);
        for (std::size_t kind = 0; kind < 6; ++kind)
            std::printf(" %3d (%d)", timeline.rows[i].most[kind], timeline.rows[i].arrived[kind]);
        std::printf("\n");
    }
    // Losses and refusals in the order they happened.
    std::vector<std::pair<float, std::string>> events;
    for (const BuildingLoss& loss : timeline.losses)
        events.emplace_back(loss.time, "lost the " + loss.building + " at (" + std::to_string(loss.column) + ", " +
                                           std::to_string(loss.row) + "): " + loss.cause);
    for (const RefusedClick& click : timeline.refused)
        events.emplace_back(click.time, "refused '" + click.placement + "': " + click.reason);
    // Several losses in one tick are listed by their text, so that the order
    // does not hang on where the buildings happened to lie in memory.
    std::sort(events.begin(), events.end());
    for (const auto& [time, what] : events)
        std::printf("    %6.1f s  %s\n", time, what.c_str());
}

namespace {

// The share of the time from the first wolf to the end of the waves with a
// wolf on the board.
float busyShare(const PlayResult& r, float waveTime)
{
    const float span = std::min(r.seconds, waveTime) - r.timeline.firstWolf;
    return r.timeline.firstWolf < 0 || span <= 0 ? 0.f : r.timeline.timeWithWolves / span;
}

std::string planSummary(const BuildPlan& plan)
{
    std::set<std::tuple<int, int, int>> cells; // building, column, row
    for (const Placement& p : plan)
        cells.insert({static_cast<int>(buildingOf(p)), p.column, p.row});
    std::string text = std::to_string(plan.size()) + " placements, " + std::to_string(cells.size()) +
                       " buildings:";
    for (int kind = 0; kind < buildingKinds; ++kind) {
        int n = 0;
        for (const auto& cell : cells)
            n += std::get<0>(cell) == kind;
        if (n > 0)
            text += " " + std::to_string(n) + " " + buildingName(static_cast<Building>(kind));
    }
    return text;
}

std::string wonOf(const std::vector<PlayResult>& runs)
{
    return "won " + std::to_string(wins(runs)) + " of " + std::to_string(runs.size());
}

int naiveWins(const LevelTrial& trial)
{
    return static_cast<int>(std::count_if(trial.naive.begin(), trial.naive.end(),
                                          [](const auto& tried) { return tried.second.won; }));
}

} // namespace

std::string lostPictureName(const LabLevel& level)
{
    return level.picturePrefix + "_lost.png";
}

std::string atPictureName(const LabLevel& level, float seconds)
{
    char name[48];
    std::snprintf(name, sizeof name, "_at_%.0fs.png", static_cast<double>(seconds));
    return level.picturePrefix + name;
}

std::string printTrial(const LabLevel& level, float rateScale)
{
    std::printf("%s with %s, wave rates x%.2f (wolves: regular, cub, throwing, suicidal, hacking, catapult)\n",
                level.mapPath.c_str(), level.planName.c_str(), rateScale);
    std::fflush(stdout); // a long level shows what is being tried before the trials end
    const WaveShape shape = waveShape(level.mapPath, rateScale);
    const LevelTrial trial = tryLevel(level.mapPath, level.plan, level.maxLate, rateScale, FullReport, level.runs);
    std::printf("  waves %.0f s; first wolf expected at %.1f s; %.1f wolves expected; surges at %s\n",
                trial.waveTime, shape.firstWolf, shape.wolves, times(shape.surges).c_str());
    const std::optional<float> gap = shortestGap(level.plan);
    std::printf("  plan: %s; ", planSummary(level.plan).c_str());
    if (gap)
        std::printf("placements at least %.1f s apart\n", *gap);
    else
        std::printf("a single placement\n");

    show("undefended", trial.undefended);
    for (const auto& [strategy, result] : trial.naive)
        show(strategy.name, result);
    std::printf("  naive strategies that win: %d of %zu\n", naiveWins(trial), trial.naive.size());
    show("the plan", trial.plan);
    std::printf("  the plan varied as in the real game (frame lengths, clicks up to %.0f s late): %s\n",
                level.maxLate, wonOf(trial.varied).c_str());
    const PlayResult* firstLoss = nullptr;
    for (std::size_t i = 0; i < trial.varied.size(); ++i) {
        if (!trial.varied[i].won) {
            show("  varied run " + std::to_string(i + 1), trial.varied[i]);
            if (!firstLoss)
                firstLoss = &trial.varied[i];
        }
    }
    for (const Ablation& ablation : trial.ablations) {
        show(std::string("the plan without ") + buildingName(ablation.left), ablation.result);
        std::printf("      varied as in the real game: %s\n", wonOf(ablation.varied).c_str());
    }
    std::printf("  the plan started late: ");
    if (const std::optional<int> late = lateStartMargin(level.mapPath, level.plan, trial.timeLimit, rateScale))
        std::printf("on time still won %d s late", *late);
    else
        std::printf("on time it loses even without delay");
    std::printf("; varied runs started");
    for (const LateStart& start : trial.lateStarts)
        std::printf("%s %d s late won %d of %d", &start == &trial.lateStarts.front() ? "" : ",", start.seconds,
                    start.won, level.runs);
    std::printf("\n");
    std::printf("  the plan on time: a wolf on the board %.0f%% of the time from the first wolf (%.1f s) to the "
                "end of the waves; surges at %s\n",
                100 * busyShare(trial.plan, trial.waveTime), trial.plan.timeline.firstWolf,
                times(surgesIn(trial.plan.timeline.arrivals, trial.waveTime)).c_str());
    PlayOptions options;
    options.rateScale = rateScale;
    options.maxSeconds = trial.timeLimit;
    const std::string lostPicture = lostPictureName(level);
    std::printf("  timeline of the plan on time:\n");
    printTimeline(trial.plan.timeline);
    std::string unsaved;
    const auto saveLost = [&](const PlayResult& run) {
        if (run.timeline.breach)
            std::printf("  where it was lost: %s (marked on the picture)\n", describeBreach(*run.timeline.breach).c_str());
        unsaved = saveBoardPicture(lostPicture, run.timeline.breach);
    };
    if (!trial.plan.won) {
        saveLost(playtest(level.mapPath, level.plan, options));
        std::printf("  the board where the plan on time ended: %s\n", unsaved.empty() ? lostPicture.c_str() : "not saved");
    } else if (firstLoss) {
        // Played again to leave its end on the board for the picture.
        const unsigned seed = static_cast<unsigned>(firstLoss - trial.varied.data()) + 1;
        std::printf("  timeline of varied run %u, which was not won:\n", seed);
        printTimeline(firstLoss->timeline);
        saveLost(variedRun(level.mapPath, level.plan, level.maxLate, seed, options));
        std::printf("  the board where it ended: %s\n", unsaved.empty() ? lostPicture.c_str() : "not saved");
    }
    std::printf("\n");
    std::fflush(stdout);
    return unsaved;
}

void printSweep(const LabLevel& level)
{
    std::printf("%s with %s: clicks up to %.0f s late in the varied runs\n", level.mapPath.c_str(),
                level.planName.c_str(), level.maxLate);
    std::printf("  scale  plan on time      varied runs won   naive strategies that win   best naive strategy\n");
    for (int step = 0; step <= 6; ++step) {
        const float scale = 0.85f + 0.05f * static_cast<float>(step);
        const LevelTrial trial = tryLevel(level.mapPath, level.plan, level.maxLate, scale,
                                          NaiveStrategies | VariedRuns, level.runs);
        const auto* best = bestNaive(trial);
        std::printf("  %.2f   %s   %3d of %-3d        %3d of %-3zu                  %s: %s\n", scale,
                    outcome(trial.plan).c_str(), wins(trial.varied), level.runs, naiveWins(trial),
                    trial.naive.size(), best ? best->first.name.c_str() : "-",
                    best ? outcome(best->second).c_str() : "-");
        std::fflush(stdout);
    }
    std::printf("\n");
}

void printFigures(const std::vector<LabLevel>& levels, bool shipped)
{
    std::vector<LevelTrial> trials;
    std::vector<WaveShape> shapes;
    for (const LabLevel& level : levels) {
        trials.push_back(tryLevel(level.mapPath, level.plan, level.maxLate, 1.f, Everything, level.runs));
        shapes.push_back(waveShape(level.mapPath));
    }
    const auto row = [&](const char* name, auto cell) {
        std::printf("| %s |", name);
        for (std::size_t i = 0; i < levels.size(); ++i)
            std::printf(" %s |", cell(i).c_str());
        std::printf("\n");
    };
    const auto number = [](const char* format, double value) {
        char text[64];
        std::snprintf(text, sizeof text, format, value);
        return std::string(text);
    };
    std::printf("| |");
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (shipped)
            std::printf(" Level %zu |", i + 1);
        else
            std::printf(" %s with %s |", levels[i].mapPath.c_str(), levels[i].planName.c_str());
    }
    std::printf("\n|---|");
    for (std::size_t i = 0; i < levels.size(); ++i)
        std::printf("---|");
    std::printf("\n");
    row("waves", [&](std::size_t i) { return number("%.0f s", trials[i].waveTime); });
    row("first wolf expected", [&](std::size_t i) { return number("%.0f s", shapes[i].firstWolf); });
    row("wolves expected", [&](std::size_t i) { return number("%.0f", shapes[i].wolves); });
    for (int kind = 0; kind < 6; ++kind) {
        const std::string name = std::string(wolfKindName(kind)) + " wolves: expected, first expected at";
        row(name.c_str(), [&](std::size_t i) {
            const float first = shapes[i].firstOfKind[static_cast<std::size_t>(kind)];
            return first < 0 ? number("%.0f", shapes[i].ofKind[static_cast<std::size_t>(kind)])
                             : number("%.0f", shapes[i].ofKind[static_cast<std::size_t>(kind)]) + ", " +
                                   number("%.0f s", first);
        });
    }
    row("surges (30 s with twice the wolves of the 30 s before)",
        [&](std::size_t i) { return times(shapes[i].surges); });
    row("undefended: lost at", [&](std::size_t i) { return number("%.0f s", trials[i].undefended.seconds); });
    row("reference plan", [&](std::size_t i) { return planSummary(levels[i].plan); });
    row("a wolf on the board, plan on time",
        [&](std::size_t i) { return number("%.0f%%", 100 * busyShare(trials[i].plan, trials[i].waveTime)); });
    row("varied runs won", [&](std::size_t i) {
        return std::to_string(wins(trials[i].varied)) + " of " + std::to_string(levels[i].runs) + " (clicks up to " +
               number("%.0f", levels[i].maxLate) + " s late)";
    });
    row("lost without", [&](std::size_t i) {
        std::string text;
        for (const Ablation& a : trials[i].ablations) {
            if (a.result.lost)
                text += (text.empty() ? "" : ", ") + std::string(buildingName(a.left));
        }
        return text.empty() ? std::string("none") : text;
    });
    row("naive strategies that win", [&](std::size_t i) {
        return std::to_string(naiveWins(trials[i])) + " of " + std::to_string(trials[i].naive.size());
    });
    row("best naive strategy", [&](std::size_t i) {
        const auto* best = bestNaive(trials[i]);
        return best ? best->first.name + ": " + outcome(best->second) : std::string("-");
    });
}

std::string saveBoardAt(const LabLevel& level, float rateScale, float seconds)
{
    PlayOptions options;
    options.rateScale = rateScale;
    options.maxSeconds = seconds;
    const PlayResult run = playtest(level.mapPath, level.plan, options);
    const std::string picture = atPictureName(level, seconds);
    if (std::string unsaved = saveBoardPicture(picture, run.timeline.breach); !unsaved.empty())
        return unsaved;
    std::printf("The board at %.1f s (%s): %s\n", run.seconds, outcome(run).c_str(), picture.c_str());
    if (run.timeline.breach)
        std::printf("  where it was lost: %s (marked on the picture)\n", describeBreach(*run.timeline.breach).c_str());
    return {};
}
