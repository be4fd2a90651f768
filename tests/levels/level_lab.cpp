// The level designer's check of a map: how it plays undefended, against each
// naive strategy, by its plan on time, late and jittered, and without each
// kind of building of the plan.
//
//   level_lab                      the three shipped levels with their plans
//   level_lab MAP PLAN [MAXLATE]   any map file with a plan file
//
// Run it from the runtime folder (it needs the images for the board picture).

#include "level_trial.h"

#include "ui/main_view.h"
#include "world/level.h"

#include <SFML/Graphics/RenderTexture.hpp>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void show(const std::string& what, const PlayResult& r)
{
    std::printf("  %-56s %s at %6.1f s; wolves", what.c_str(), r.won ? "won " : r.lost ? "LOST" : "open",
                r.seconds);
    for (int n : r.spawned)
        std::printf(" %2d", n);
    std::printf("; built %3d", placementCount(r));
    if (r.skipped > 0)
        std::printf(", refused %d", r.skipped);
    std::printf("\n");
}

// A picture of the board where the last run ended.
void saveBoard(const std::string& file)
{
    sf::RenderTexture canvas;
    if (!canvas.create(800, 600))
        return;
    canvas.clear();
    MainView view;
    view.drawWithPointer(canvas, {-1, -1});
    canvas.display();
    canvas.getTexture().copyToImage().saveToFile(file);
}

void report(const std::string& mapPath, const std::string& planPath, float maxLate, const std::string& picture)
{
    BuildPlan plan;
    const std::string problem = readPlanFile(planPath, plan);
    if (!problem.empty()) {
        std::printf("%s\n", problem.c_str());
        return;
    }
    std::printf("%s with %s (wolves: regular baby throwing suicidal hacking catapult)\n", mapPath.c_str(),
                planPath.c_str());
    const LevelTrial trial = tryLevel(mapPath, plan, maxLate);
    std::printf("  waves %.0f s, placements at least %.1f s apart\n", trial.waveTime, shortestGap(plan));
    show("undefended", trial.undefended);
    for (const auto& [strategy, result] : trial.naive)
        show(strategy.name, result);
    show("the plan", trial.plan);
    // The board a minute and a half into the plan: the defence built, the fight on.
    playtest(mapPath, plan, static_cast<int>(90 / playtestStep));
    saveBoard(picture);
    int wins = 0;
    for (const PlayResult& result : trial.jittered)
        wins += result.won;
    std::printf("  the plan with clicks up to %.0f s late: won %d of %d\n", maxLate, wins, jitterRuns);
    for (const Ablation& ablation : trial.ablations)
        show(std::string("the plan without ") + buildingName(ablation.left), ablation.result);
    std::printf("  the plan started late: still won at %d s late\n",
                lateStartMargin(mapPath, plan, trial.tickLimit));
    std::printf("  the board 90 s into the plan: %s\n\n", picture.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3) {
        report(argv[1], argv[2], argc > 3 ? std::strtof(argv[3], nullptr) : 3.f, "level_lab_board.png");
    } else {
        for (int level = 1; level <= 3; ++level)
            report(levelFile(level), levelPlanFile(level), level == 1 ? 6.f : 3.f,
                   "level" + std::to_string(level) + "_board.png");
    }
    clearWorld();
    return 0;
}
