#pragma once
// What the level lab prints: a level's trial with its timeline, the sweep of
// wave rates, the figures table of docs/levels.md, and board pictures.

#include "trial.h"

#include <string>

struct LabLevel
{
    std::string mapPath;
    std::string planPath;
    BuildPlan plan;
    float maxLate = 3;
    int runs = variedRuns; // varied runs in a trial
    std::string picturePrefix; // board pictures are saved as PREFIX_lost.png, PREFIX_at_Ts.png
};

// The full report: trials, the plan's timeline, and the board at the first
// loss of the plan in the varied runs.
void printTrial(const LabLevel& level, float rateScale);
// The plan and the naive strategies with wave rates scaled from 0.85 to 1.15.
void printSweep(const LabLevel& level);
// The table of figures for docs/levels.md, one column a level.
void printFigures(const std::vector<LabLevel>& levels);
// A picture of the board as the World stands now.
void saveBoard(const std::string& file);
// A run's timeline: wolves on the board in each 10 s, then the buildings
// lost and the clicks refused, in the order they happened.
void printTimeline(const Timeline& timeline);
// Plays the plan to a level time and saves the board there.
void saveBoardAt(const LabLevel& level, float rateScale, float seconds);
