#pragma once
// Starting, restarting and emptying a level.

#include "datafiles/map_data.h"

#include <cstdint>
#include <string>
#include <string_view>

// The map data of the level in play.
extern MapData mapData;
// Fills mapData from a file; false (and mapData untouched) on failure.
bool readMapFile(const std::string& path);

// The outcome of loading a level; on failure the message names the file and
// what is wrong with it (in English for the log, in Chinese for the screen),
// and nothing of the level in play was changed.
struct LevelLoadResult
{
    bool ok = true;
    std::string message;
    std::wstring screenMessage;
    explicit operator bool() const { return ok; }
};

// Loads "map/c1.txt", "map/c2.txt" or "map/c3.txt" for level 1, 2 or 3 and
// starts it: clock and flags reset, terrain, home, fields and waves replaced.
// The World's lists must be empty (as they are after clearWorld).
LevelLoadResult loadLevel(int level);
// The same for any map file, and for map text (named for messages).
LevelLoadResult loadLevelFile(const std::string& path);
LevelLoadResult loadLevelText(std::string_view text, const std::string& name);

// Starts the loaded level again from its beginning, without reading the file.
void restartLevel();

// Destroys every wolf, tower, stone, bullet, platform and pond and empties the
// lists. Cells forget their buildings too, so nothing points at freed objects.
void clearWorld();
// How many times the World has been emptied: it changes whenever the level
// in play is left or restarted.
extern std::uint32_t worldClears;

// A map's own soundness beyond its syntax: one home, reachable over low
// ground from the entry column. Empty when sound.
Refusal checkMap(const MapData& data);
