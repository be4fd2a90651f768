#pragma once
// Where things of a level are on screen, read from the level's own map file
// so the tests do not depend on how a level is laid out.

#include <fstream>
#include <string>
#include <vector>

struct BoardCell
{
    int column, row; // grid cell: columns 2..17, rows 1..9 from the bottom
};

struct LevelCells
{
    std::vector<BoardCell> low, high;
};

inline LevelCells readLevelCells(const std::string& mapPath)
{
    LevelCells cells;
    std::ifstream file(mapPath);
    for (int fileRow = 0; fileRow < 9; ++fileRow) {
        for (int fileColumn = 0; fileColumn < 16; ++fileColumn) {
            int code = -1;
            file >> code;
            const BoardCell cell{fileColumn + 2, fileRow + 1};
            if (code == 0)
                cells.low.push_back(cell);
            else if (code == 1)
                cells.high.push_back(cell);
        }
    }
    return cells;
}

// The middle of a cell's ground tile: platforms and ponds are placed there.
inline int groundX(const BoardCell& c) { return 50 * c.column - 75; }
inline int groundY(const BoardCell& c) { return 499 - 50 * c.row; }
// Towers are hit on their raised top, 24 pixels higher.
inline int towerY(const BoardCell& c) { return groundY(c) - 24; }
