// The World's tick, a building's re-routing of every wolf, and the four
// distance fields, on a busy level.

#include "busy_level.h"

#include "towers/platform.h"
#include "wolves/wolf.h"
#include "world/level.h"
#include "world/level_map.h"
#include "world/world.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Tick(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    BusyLevel level;
    for (auto _ : state) {
        state.PauseTiming();
        level = setUpBusyLevel(count);
        state.ResumeTiming();
        tick(sf::seconds(1.f / 30));
    }
    state.counters["wolves"] = static_cast<double>(level.wolves);
    state.counters["towers"] = static_cast<double>(level.towers);
    state.counters["projectiles"] = static_cast<double>(level.projectiles);
    clearWorld();
}
BENCHMARK(BM_Tick)->Arg(50)->Arg(200)->Arg(1000)->Arg(2000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Placing a platform recomputes the home, tower and platform fields and
// re-routes every wolf; removing it again (untimed) restores the board.
void BM_Reroute(benchmark::State& state)
{
    setUpBusyLevel(static_cast<int>(state.range(0)));
    const sf::Vector2i cell(9, 5);
    for (auto _ : state) {
        placePlatform(cell.x, cell.y);
        state.PauseTiming();
        Platform* platform = platforms.back();
        platforms.pop_back();
        levelMap.cells[cell.x][cell.y].platform = nullptr;
        delete platform;
        computeHomeField();
        computeTowerField();
        computePlatformField();
        for (Wolf* wolf : wolves)
            wolf->onPlatformsChanged();
        state.ResumeTiming();
    }
    clearWorld();
}
BENCHMARK(BM_Reroute)->Arg(50)->Arg(200)->Arg(1000)->Arg(2000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_Fields(benchmark::State& state)
{
    setUpBusyLevel(0);
    placePlatform(9, 5);
    for (auto _ : state) {
        computeHomeField();
        computeGroundField();
        computeTowerField();
        computePlatformField();
        benchmark::DoNotOptimize(levelMap.cells[1][5].homeDistance);
    }
    clearWorld();
}
BENCHMARK(BM_Fields)->Unit(benchmark::kMicrosecond);

} // namespace
