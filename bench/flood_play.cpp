// The play loop on a flood map, timed. The level screen is built as the game
// builds it, the flood's 20 towers are placed, and the world is played
// headless at 30 ticks a second until the flood is over (2,000 or 10,000
// wolves). Then each phase runs the game's own frame for some seconds, with
// the window's frame limit off and then at the game's 30: the pending events,
// updateFrame (the tick by the real frame time), the clear, the level
// screen's drawing and display.
//
// A wolf that reaches the home would end the level. Here it leaves the board
// and comes in again, as new, at the left edge on a row the driver's own
// engine draws, so that the count holds and no pile forms on the home: the
// board stays one a player could see.
//
//   flood_play MAP SECONDS     (run from the runtime folder, under a display)
// prints one line per phase:
//   game LIMIT wolves N frames F seconds S fps X frame_ms M tick_ms T rss_kib R

#include "busy_level.h"
#include "timed_phase.h"

#include "app/assets.h"
#include "app/play_loop.h"
#include "app/run.h"
#include "ui/building_panel.h"
#include "ui/control.h"
#include "ui/main_view.h"
#include "wolves/wolf.h"
#include "world/level.h"
#include "world/level_map.h"
#include "world/world.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

long peakKib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::mt19937 entryRows(2024u);

// Sends every wolf standing on the home back to the left edge, at full health.
void sendHomeWolvesBack()
{
    for (Wolf* wolf : wolves) {
        if (wolf->route.empty() || wolf->route[0] != levelMap.home() || wolf->state == WolfState::Dying ||
            wolf->state == WolfState::Dead)
            continue;
        wolf->state = WolfState::Walking;
        wolf->stateTimer = 0.f;
        wolf->slowed = false;
        wolf->slowTimer = 0.f;
        wolf->health = wolf->maxHealth;
        wolf->progress = 0.f;
        wolf->route.assign(1, sf::Vector2i(1, 1 + static_cast<int>(entryRows() % 9)));
        wolf->findRoute();
    }
    levelLost = 0;
}

void runPhase(unsigned limit, double seconds)
{
    window.setFramerateLimit(limit);
    std::vector<double> ticks;
    const bench::PhaseTimes times = bench::timePhase(seconds, [&](bool counting) {
        PlayEventBatch batch;
        sf::Event event;
        while (window.pollEvent(event))
            batch.handle(event);
        const bench::Clock::time_point tickStart = bench::Clock::now();
        updateFrame();
        if (counting)
            ticks.push_back(bench::msSince(tickStart));
        sendHomeWolvesBack();
        window.clear(sf::Color(0, 0, 0, 255));
        rootPanel.draw(window);
        window.display();
    });
    std::printf("game %u wolves %zu frames %zu seconds %.2f fps %.2f frame_ms %.2f tick_ms %.3f rss_kib %ld\n",
                limit, wolves.size(), times.frames.size(), times.seconds,
                static_cast<double>(times.frames.size()) / times.seconds, bench::median(times.frames),
                bench::median(ticks), peakKib());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: flood_play MAP SECONDS\n");
        return 2;
    }
    const double seconds = std::atof(argv[2]);
    initialize();
    if (!loadLevelFile(argv[1]))
        return 1;
    AppState = Playing;

    rootPanel.bounds = sf::FloatRect(0, 0, 800, 600);
    rootPanel.tag = 0;
    rootPanel.background.setFillColor(sf::Color(0, 0, 255, 255));
    MainView board;
    BuildingPanel panel(0, 474, 800, 176);
    panel.background.setFillColor(sf::Color(128, 128, 128, 255));
    rootPanel.children = {&board, &panel};

    placeFloodTowers();
    // The flood, played headless at 30 ticks a second.
    const sf::Time step = sf::seconds(1.f / 30);
    const float floodEnds = mapData.waves.empty() ? 0.f : mapData.waves.front().duration;
    while (static_cast<float>(elapsedMs) / 1000 <= floodEnds) {
        tick(step);
        sendHomeWolvesBack();
    }

    frameClock.restart();
    runPhase(0, seconds);
    runPhase(30, seconds);

    rootPanel.children.clear();
    clearWorld();
    return 0;
}
