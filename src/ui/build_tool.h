#pragma once
// The building tool that the next click on the board applies.

#include <cstdint>

enum class BuildTool : std::int32_t
{
    None = 0,
    Platform = 1,
    ArrowTower = 2,
    IceTower = 3,
    SkunkTower = 4,
    Flood = 5,
    SlapTower = 6,
    RemoveBuilding = 7,
};

// Chosen by the tool buttons and keys, reset by a click on the board. Nothing
// resets it between levels.
extern BuildTool currentTool;
