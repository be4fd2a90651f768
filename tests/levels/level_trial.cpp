#include "level_trial.h"

#include "world/level.h"
#include "world/map_data.h"

#include <SFML/System/Time.hpp>

#include <cmath>

namespace {

int ticksFor(float seconds)
{
    // Level time advances by the whole milliseconds of each 1/30 s tick.
    return static_cast<int>(std::ceil(seconds * 1000 / sf::seconds(playtestStep).asMilliseconds()));
}

} // namespace

bool decided(const PlayResult& result)
{
    return result.won || result.lost;
}

LevelTrial tryLevel(const std::string& mapPath, const BuildPlan& plan, float maxLate)
{
    LevelTrial trial;
    const std::vector<Strategy> strategies = naiveStrategies(mapPath);
    trial.waveTime = mapData.totalWaveTime; // the strategies were worked out on the loaded map
    trial.tickLimit = ticksFor(trial.waveTime + 60);

    trial.undefended = playtest(mapPath, {}, trial.tickLimit);
    for (const Strategy& strategy : strategies)
        trial.naive.emplace_back(strategy, playtest(mapPath, strategy.plan, trial.tickLimit));
    trial.plan = playtest(mapPath, plan, trial.tickLimit);
    for (unsigned seed = 1; seed <= jitterRuns; ++seed)
        trial.jittered.push_back(playtest(mapPath, jittered(plan, maxLate, seed), trial.tickLimit));
    for (int kind = 0; kind < buildingKinds; ++kind) {
        const Building building = static_cast<Building>(kind);
        if (building == Building::Arrow || building == Building::Demolition)
            continue;
        const BuildPlan rest = without(plan, building);
        if (rest.size() != plan.size())
            trial.ablations.push_back({building, playtest(mapPath, rest, trial.tickLimit)});
    }
    return trial;
}

int lateStartMargin(const std::string& mapPath, const BuildPlan& plan, int tickLimit)
{
    int late = 0;
    while (late < 120 && playtest(mapPath, delayed(plan, static_cast<float>(late)), tickLimit).won)
        ++late;
    return late - 1;
}
