// Prints how a level plays undefended, with its plan, and with two thirds of
// its plan: a tool for designing levels.

#include "plans.h"
#include "playtest.h"

#include "ui/main_view.h"
#include "wolves/wolf.h"
#include "world/level.h"
#include "world/map_data.h"
#include "world/world.h"

#include <SFML/Graphics/RenderTexture.hpp>

#include <cstdio>
#include <cstdlib>

namespace {

void show(const char* what, const PlayResult& r)
{
    std::printf("  %-12s %s at %6.1f s (tick %d); spawned", what, r.won ? "WON " : r.lost ? "LOST" : "----",
                r.seconds, r.ticks);
    for (int n : r.spawned)
        std::printf(" %d", n);
    std::printf("; built %d (arrow %d ice %d skunk %d slap %d platform %d pond %d), refused %d\n",
                placementCount(r), r.towersBuilt[0], r.towersBuilt[1], r.towersBuilt[2], r.towersBuilt[3],
                r.platformsBuilt, r.pondsDug, r.skipped);
}

} // namespace

int main(int argc, char** argv)
{
    for (int level = 1; level <= 3; ++level) {
        if (argc > 1 && std::atoi(argv[1]) != level)
            continue;
        const BuildPlan& plan = levelPlan(level);
        std::printf("level %d\n", level);
        const int limit = 30 * 900;
        show("undefended", playtest(level, {}, limit));
        std::printf("  waves %.0f s\n", mapData.totalWaveTime);
        show("plan", playtest(level, plan, limit));
        // A picture of the board where the plan ended, and who was on it.
        sf::RenderTexture canvas;
        canvas.create(800, 600);
        canvas.clear();
        MainView view;
        view.drawWithPointer(canvas, {-1, -1});
        canvas.display();
        canvas.getTexture().copyToImage().saveToFile("level" + std::to_string(level) + "_plan_end.png");
        for (const Wolf* wolf : wolves)
            std::printf("    wolf at (%.2f, %.2f) health %d state %d slowed %d\n", wolf->position().x,
                        wolf->position().y, wolf->health, static_cast<int>(wolf->state), wolf->slowed);
        show("two thirds", playtest(level, firstTwoThirds(plan), limit));
        for (const Wolf* wolf : wolves)
            std::printf("    wolf at (%.2f, %.2f) health %d state %d slowed %d\n", wolf->position().x,
                        wolf->position().y, wolf->health, static_cast<int>(wolf->state), wolf->slowed);
    }
    return 0;
}
