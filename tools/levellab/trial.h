#pragma once
// Puts a level to the test: undefended, against the naive strategies, by its
// plan on time, in runs varied as the real game varies (frame lengths and a
// person's late clicks), with each kind of building left out, and at wave
// rates scaled up and down.

#include "plans.h"
#include "strategies.h"

#include <array>
#include <string>
#include <vector>

struct Ablation
{
    Building left;
    PlayResult result;             // on time
    std::vector<PlayResult> varied; // varied as in the real game (with VariedAblations)
};

// The whole plan started some seconds late, in runs varied as in the real game.
struct LateStart
{
    int seconds;
    int won; // of the trial's runs
};

struct LevelTrial
{
    float waveTime = 0;
    float timeLimit = 0; // the waves and a minute more
    PlayResult undefended;
    std::vector<std::pair<Strategy, PlayResult>> naive;
    PlayResult plan;
    std::vector<PlayResult> varied;
    std::vector<Ablation> ablations; // one per kind the plan builds, arrows aside
    std::vector<LateStart> lateStarts;
};

constexpr int variedRuns = 10; // unless asked for more
constexpr float personsReaction = 0.5f;

// What the trial includes beyond the plan on time.
enum TrialParts
{
    NaiveStrategies = 1,
    VariedRuns = 2,
    Ablations = 4,
    Everything = 7,
    LateStarts = 8,      // the varied runs started late by each of lateStartDelays
    VariedAblations = 16, // each building left out in varied runs too
    FullReport = Everything | LateStarts | VariedAblations,
};
constexpr int lateStartDelays[] = {5, 10, 20, 30};

// Runs the trials of the map with the plan at wave rates scaled by
// rateScale; in the varied runs clicks come up to maxLate seconds late.
LevelTrial tryLevel(const std::string& mapPath, const BuildPlan& plan, float maxLate, float rateScale = 1.f,
                    int parts = Everything, int runs = variedRuns);

// One varied run: frames of the real game's lengths and clicks up to maxLate
// seconds late, both drawn from the seed; a click comes half a second after
// the build lock clears at the soonest, as a person's does.
PlayResult variedRun(const std::string& mapPath, const BuildPlan& plan, float maxLate, unsigned seed,
                     PlayOptions options);

int wins(const std::vector<PlayResult>& runs);

// The latest start of the whole plan on time, in whole seconds, that still
// wins at the given wave rates (every earlier start winning too); none when
// the plan loses on time.
std::optional<int> lateStartMargin(const std::string& mapPath, const BuildPlan& plan, float timeLimit,
                                   float rateScale);

// Ended by a win or a loss before the time limit.
bool decided(const PlayResult& result);

// The naive strategy that did best: a win, else a run still open, else the
// latest loss.
const std::pair<Strategy, PlayResult>* bestNaive(const LevelTrial& trial);

// How the map's waves play out on average, from its rates.
struct WaveShape
{
    float firstWolf = 0;             // seconds until the summed rates, integrated from 0, reach 1
    float wolves = 0;                // expected wolves in all
    std::array<float, 6> firstOfKind{}; // seconds until a kind's rate, integrated, reaches 1; -1 if never
    std::array<float, 6> ofKind{};      // expected wolves of each kind
    std::vector<float> perWindow;    // expected wolves in each 30 s from the start, in steps of 10 s
    std::vector<float> surges;       // start of each 30 s with at least twice the wolves of the 30 s before
};
constexpr float surgeWindow = 30;
WaveShape waveShape(const std::string& mapPath, float rateScale = 1.f);
// The surges in a run's arrivals, found the same way.
std::vector<float> surgesIn(const std::vector<float>& arrivals, float waveTime);
