#pragma once
// Puts a level to the test: undefended, against the naive strategies, by its
// plan on time, late and with clicks jittered like a person's, and with each
// kind of building left out of the plan.

#include "naive_strategies.h"
#include "plans.h"

#include <string>
#include <vector>

struct Ablation
{
    Building left;
    PlayResult result;
};

struct LevelTrial
{
    float waveTime = 0;
    int tickLimit = 0; // the waves and a minute more
    PlayResult undefended;
    std::vector<std::pair<Strategy, PlayResult>> naive;
    PlayResult plan;
    std::vector<PlayResult> jittered;
    std::vector<Ablation> ablations; // one per kind the plan builds, arrows aside
};

constexpr int jitterRuns = 10;

// Runs every trial of the map with the plan; clicks come up to maxLate
// seconds late in the jittered runs.
LevelTrial tryLevel(const std::string& mapPath, const BuildPlan& plan, float maxLate);

// The latest start of the whole plan, in whole seconds, that still wins
// (every earlier start winning too); -1 when the plan loses on time.
int lateStartMargin(const std::string& mapPath, const BuildPlan& plan, int tickLimit);

// Ended by a win or a loss before the tick limit.
bool decided(const PlayResult& result);
