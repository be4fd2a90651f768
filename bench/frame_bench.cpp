// One whole frame of the level screen drawn into the game's window.

#include "busy_level.h"

#include "app/assets.h"
#include "app/run.h"
#include "ui/building_panel.h"
#include "ui/control.h"
#include "ui/main_view.h"
#include "world/level.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Frame(benchmark::State& state)
{
    if (!window.isOpen())
        initialize();
    // Measure the drawing, not the frame limit's sleep.
    window.setFramerateLimit(0);
    window.setVerticalSyncEnabled(false);
    setUpBusyLevel(static_cast<int>(state.range(0)));

    MainView board;
    BuildingPanel panel(0, 474, 800, 176);
    panel.background.setFillColor(sf::Color(128, 128, 128, 255));
    rootPanel.children = {&board, &panel};
    for (auto _ : state) {
        window.clear(sf::Color(0, 0, 0, 255));
        rootPanel.draw(window);
        window.display();
    }
    rootPanel.children.clear();
    clearWorld();
}
BENCHMARK(BM_Frame)->Arg(0)->Arg(200)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
