#pragma once
// A test fixture that plays a level built from a few lines of terrain:
// rows are written as seen on screen, top row first ('.' low ground, '#' high
// ground, 'H' the home), and the board is ticked with a fixed step.

#include "app/assets.h"
#include "datafiles/map_data.h"
#include "world/level.h"
#include "world/level_map.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

// A wave record in which only the given kind arrives.
WaveRecord waveOf(float duration, int kind = 0, float peakRate = 0.f, float riseTime = 1.f,
                  float startOffset = 0.f);

// The map file text for a board and its waves.
std::string mapText(const std::vector<std::string>& rowsTopDown, const std::vector<WaveRecord>& waves);

class WorldTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads a board (nine rows of sixteen cells) with waves; by default one
    // long quiet wave, so the level neither spawns nor ends by itself.
    void load(const std::vector<std::string>& rowsTopDown,
              const std::vector<WaveRecord>& waves = {waveOf(1000.f)});
    // A 16 x 9 board of low ground with the home at the right end of a row.
    void loadOpenBoard(int homeRow = 5);

    // Ticks with a fixed step until the given time has passed. The default
    // step of 1/8 s keeps every sum of times exact in float, so tests can say
    // on which tick a timer runs out: a timer of T seconds ends on tick 8T + 1.
    void run(float seconds, float dt = 0.125f);
    void step(float dt = 0.125f) { tick(sf::seconds(dt)); }

    template <class Kind> Kind* addWolf(int row)
    {
        Kind* wolf = new Kind(row, row);
        wolves.push_back(wolf);
        return wolf;
    }
    // Puts a wolf on a fixed two-cell step, as if it were walking there.
    static void placeOnStep(class Wolf& wolf, sf::Vector2i from, sf::Vector2i to, float progress = 0.f);

    MapCell& cell(int column, int row) { return levelMap.cells[column][row]; }

    // A crowded board: a serpentine path between walls, six kinds of wolf
    // arriving fast, towers of every kind (some of which the stones bring
    // down), a pond and a platform across the path; played for a number of
    // ticks of 1/30 s.
    void playCrowdedBoard(int ticks);
};

// A hash of every object's kind, state, place, health, timers, route and
// animation clock, and of the random engine's next output.
std::uint64_t worldHash();
