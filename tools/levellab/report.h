#pragma once
// What the level lab prints: a level's trial with its timeline, the sweep of
// wave rates, the figures table of docs/levels.md, and board pictures.

#include "trial.h"

#include <string>

struct LabLevel
{
    std::string mapPath;
    std::string planPath;
    std::string planName; // the plan as printed: the path as given, or the shipped plan from the source folder
    BuildPlan plan;
    float maxLate = 3;
    int runs = variedRuns; // varied runs in a trial
    std::string picturePrefix; // board pictures are saved as PREFIX_lost.png, PREFIX_at_Ts.png
};

// The full report: trials, the plan's timeline, and the board at the first
// loss of the plan in the varied runs. Empty, or why the picture was not saved.
std::string printTrial(const LabLevel& level, float rateScale);
// The plan and the naive strategies with wave rates scaled from 0.85 to 1.15.
void printSweep(const LabLevel& level);
// The table of figures for docs/levels.md, one column a level (named by its
// map when it is not a shipped level).
void printFigures(const std::vector<LabLevel>& levels, bool shipped);
// Plays the plan to a level time and saves the board there. Empty, or why
// the picture was not saved.
std::string saveBoardAt(const LabLevel& level, float rateScale, float seconds);
// The pictures a trial or --at may save, to check before any run.
std::string lostPictureName(const LabLevel& level);
std::string atPictureName(const LabLevel& level, float seconds);
// A run's timeline: wolves on the board in each 10 s, then the buildings
// lost and the clicks refused, in the order they happened.
void printTimeline(const Timeline& timeline);
