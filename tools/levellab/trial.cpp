#include "trial.h"

#include "datafiles/map_data.h"
#include "world/level.h"
#include "world/world.h"

#include <algorithm>
#include <cmath>

bool decided(const PlayResult& result)
{
    return result.won || result.lost;
}

int wins(const std::vector<PlayResult>& runs)
{
    return static_cast<int>(std::count_if(runs.begin(), runs.end(), [](const PlayResult& r) { return r.won; }));
}

PlayResult variedRun(const std::string& mapPath, const BuildPlan& plan, float maxLate, unsigned seed,
                     PlayOptions options)
{
    options.frameSeed = seed;
    options.reaction = personsReaction;
    return playtest(mapPath, jittered(plan, maxLate, seed), options);
}

LevelTrial tryLevel(const std::string& mapPath, const BuildPlan& plan, float maxLate, float rateScale, int parts,
                    int runs)
{
    LevelTrial trial;
    const std::vector<Strategy> strategies =
        (parts & NaiveStrategies) ? naiveStrategies(mapPath) : std::vector<Strategy>{};
    MapData map;
    readMapFile(mapPath, map);
    trial.waveTime = map.totalWaveTime;
    trial.timeLimit = trial.waveTime + 60;
    PlayOptions options;
    options.rateScale = rateScale;
    options.maxSeconds = trial.timeLimit;

    trial.plan = playtest(mapPath, plan, options);
    if (parts & NaiveStrategies) {
        trial.undefended = playtest(mapPath, {}, options);
        for (const Strategy& strategy : strategies)
            trial.naive.emplace_back(strategy, playtest(mapPath, strategy.plan, options));
    }
    if (parts & VariedRuns) {
        for (unsigned seed = 1; seed <= static_cast<unsigned>(runs); ++seed)
            trial.varied.push_back(variedRun(mapPath, plan, maxLate, seed, options));
    }
    if (parts & Ablations) {
        for (int kind = 0; kind < buildingKinds; ++kind) {
            const Building building = static_cast<Building>(kind);
            if (building == Building::Arrow || building == Building::Demolition)
                continue;
            const BuildPlan rest = without(plan, building);
            if (rest.size() == plan.size())
                continue;
            Ablation ablation{building, playtest(mapPath, rest, options), {}};
            if (parts & VariedAblations) {
                for (unsigned seed = 1; seed <= static_cast<unsigned>(runs); ++seed)
                    ablation.varied.push_back(variedRun(mapPath, rest, maxLate, seed, options));
            }
            trial.ablations.push_back(std::move(ablation));
        }
    }
    if (parts & LateStarts) {
        for (int late : lateStartDelays) {
            const BuildPlan later = delayed(plan, static_cast<float>(late));
            int won = 0;
            for (unsigned seed = 1; seed <= static_cast<unsigned>(runs); ++seed)
                won += variedRun(mapPath, later, maxLate, seed, options).won;
            trial.lateStarts.push_back({late, won});
        }
    }
    return trial;
}

std::optional<int> lateStartMargin(const std::string& mapPath, const BuildPlan& plan, float timeLimit,
                                   float rateScale)
{
    PlayOptions options;
    options.maxSeconds = timeLimit;
    options.rateScale = rateScale;
    int late = 0;
    while (late < 120 && playtest(mapPath, delayed(plan, static_cast<float>(late)), options).won)
        ++late;
    if (late == 0)
        return std::nullopt;
    return late - 1;
}

const std::pair<Strategy, PlayResult>* bestNaive(const LevelTrial& trial)
{
    const auto score = [](const PlayResult& r) { return r.won ? 1e9f : !r.lost ? 1e8f : r.seconds; };
    const auto best = std::max_element(trial.naive.begin(), trial.naive.end(), [&](const auto& a, const auto& b) {
        return score(a.second) < score(b.second);
    });
    return best == trial.naive.end() ? nullptr : &*best;
}

namespace {

// Start of each window whose count is at least twice that of the window
// before it (and at least three wolves); neighbouring windows make one surge.
std::vector<float> surgesOf(const std::vector<float>& perWindow)
{
    const std::size_t back = static_cast<std::size_t>(surgeWindow / timelineStep);
    std::vector<float> surges;
    bool inSurge = false;
    for (std::size_t i = back; i < perWindow.size(); ++i) {
        const bool surge = perWindow[i] >= 3 && perWindow[i] >= 2 * perWindow[i - back];
        if (surge && !inSurge)
            surges.push_back(static_cast<float>(i * timelineStep));
        inSurge = surge;
    }
    return surges;
}

} // namespace

WaveShape waveShape(const std::string& mapPath, float rateScale)
{
    WaveShape shape;
    MapData saved = mapData;
    if (!readMapFile(mapPath)) {
        mapData = saved;
        return shape;
    }
    for (WaveRecord& record : mapData.waves) {
        for (float& rate : record.peakRate)
            rate *= rateScale;
    }
    // The expected wolves in each 10 s, summed over the kinds.
    constexpr float step = 0.01f;
    const std::size_t tens = static_cast<std::size_t>(std::ceil(mapData.totalWaveTime / timelineStep));
    std::vector<float> perTen(tens, 0.f);
    double total = 0;
    std::array<double, 6> ofKind{};
    shape.firstWolf = -1;
    shape.firstOfKind.fill(-1);
    for (std::size_t i = 0; static_cast<float>(i) * step < mapData.totalWaveTime; ++i) {
        const float t = (static_cast<float>(i) + 0.5f) * step;
        float rate = 0;
        for (std::size_t kind = 0; kind < ofKind.size(); ++kind) {
            const float kindRate = spawnRate(static_cast<int>(kind), t);
            rate += kindRate;
            ofKind[kind] += static_cast<double>(kindRate * step);
            if (shape.firstOfKind[kind] < 0 && ofKind[kind] >= 1)
                shape.firstOfKind[kind] = t;
        }
        total += static_cast<double>(rate * step);
        perTen[std::min(tens - 1, static_cast<std::size_t>(t / timelineStep))] += rate * step;
        if (shape.firstWolf < 0 && total >= 1)
            shape.firstWolf = t;
    }
    shape.wolves = static_cast<float>(total);
    for (std::size_t kind = 0; kind < ofKind.size(); ++kind)
        shape.ofKind[kind] = static_cast<float>(ofKind[kind]);
    const std::size_t span = static_cast<std::size_t>(surgeWindow / timelineStep);
    for (std::size_t i = 0; i + span <= perTen.size(); ++i) {
        float sum = 0;
        for (std::size_t j = i; j < i + span; ++j)
            sum += perTen[j];
        shape.perWindow.push_back(sum);
    }
    shape.surges = surgesOf(shape.perWindow);
    mapData = saved;
    return shape;
}

std::vector<float> surgesIn(const std::vector<float>& arrivals, float waveTime)
{
    const std::size_t tens = static_cast<std::size_t>(std::ceil(waveTime / timelineStep));
    const std::size_t span = static_cast<std::size_t>(surgeWindow / timelineStep);
    std::vector<float> perWindow;
    for (std::size_t i = 0; i + span <= tens; ++i) {
        const float from = static_cast<float>(i * timelineStep);
        perWindow.push_back(static_cast<float>(std::count_if(arrivals.begin(), arrivals.end(), [&](float t) {
            return t >= from && t < from + surgeWindow;
        })));
    }
    return surgesOf(perWindow);
}
