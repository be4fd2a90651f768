#pragma once
// The terrain grid the level is played on, with the breadth-first distance
// fields the wolves follow. The grid is 19 columns by 11 rows: a border of
// terrain 2 all round, the entry column 1 where wolves appear, and the 16 x 9
// board in columns 2..17 and rows 1..9. Rows count upwards from the bottom.

#include "datafiles/map_data.h"

#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <vector>

class Platform;

enum Terrain : std::int32_t
{
    LowGround = 0,
    HighGround = 1,
    Border = 2,
    Home = 3,
};

struct MapCell
{
    std::int32_t terrain = LowGround;
    std::int32_t homeDistance = -1; // steps to the home over free low ground
    std::int32_t homePaths = 0;     // number of shortest such routes
    std::int32_t towerDistance = -1;
    std::int32_t towerPaths = 0;
    std::int32_t platformDistance = -1;
    std::int32_t platformPaths = 0;
    std::int32_t groundDistance = -1; // to the home over low ground, platforms ignored
    std::int32_t groundPaths = 0;
    bool hasTower = false;           // a tower stands right on this high ground
    Platform* platform = nullptr;    // the platform on this low ground, if any
};

// The four neighbour steps, in the order every search and route choice visits
// them: left, down, right, up.
extern const sf::Vector2i neighbourOffsets[4];

// Which cells a field search may enter.
enum class Passage
{
    FreeLowGround, // low ground without a platform
    LowGround,     // low ground, platforms or not
};

class LevelMap
{
public:
    static constexpr int gridColumns = boardColumns + 3;
    static constexpr int gridRows = boardRows + 2;

    LevelMap(); // loads the terrain textures and builds the empty grid
    struct WithoutTextures {};
    explicit LevelMap(WithoutTextures); // the grid alone, for checking maps

    // Copies the terrain of a map onto the board and finds its home (the last
    // home cell in column-then-row order).
    void setTerrain(const MapData& data);
    // Recomputes one distance/paths pair over the whole grid from the sources.
    void computeField(std::int32_t MapCell::*distance, std::int32_t MapCell::*paths,
                      const std::vector<sf::Vector2i>& sources, Passage passage);

    MapCell& cell(sf::Vector2i at) { return cells[at.x][at.y]; }
    const MapCell& cell(sf::Vector2i at) const { return cells[at.x][at.y]; }
    static bool inGrid(sf::Vector2i at)
    {
        return at.x >= 0 && at.x < gridColumns && at.y >= 0 && at.y < gridRows;
    }
    static bool onBoard(int column, int row)
    {
        return column >= 2 && column <= boardColumns + 1 && row >= 1 && row <= boardRows;
    }
    sf::Vector2i home() const { return {homeColumn, homeRow}; }

    // A field's route choices: for each cell, the running sums of the paths
    // of its neighbours (in neighbourOffsets order) that are one step closer
    // than the cell itself. Made when first asked for after the field was
    // computed; a wolf extending its route reads them instead of looking at
    // the four neighbours at every step.
    //
    // A choice takes k = trunc(u * total), u one 32-bit draw r over 2^32, and
    // the first neighbour whose running sum w is above k. While r * total is
    // exact in a double (totals below 2^21), k < w holds exactly when r is
    // below the bound ceil(w * 2^32 / total); so each cell also keeps its four
    // bounds, and the count of bounds at or below r is the neighbour's index
    // (4: stay, where no neighbour is closer and every bound is 0).
    // A cell with one closer neighbour only is a forced step: whatever the
    // draw, the route goes there. Forced steps run on in corridors, so the
    // cells they lead through are kept in a row (runCells), and each forced
    // cell knows where its run starts in it and how long it lasts.
    static constexpr int cellCount = gridColumns * gridRows;
    static int cellIndex(sf::Vector2i at) { return at.x * gridRows + at.y; }
    static std::uint64_t choiceBound(std::int32_t weight, std::int32_t total)
    {
        const auto whole = static_cast<std::uint64_t>(total);
        return total > 0 ? ((static_cast<std::uint64_t>(weight) << 32) + whole - 1) / whole : 0;
    }
    struct Choice
    {
        std::uint64_t bounds[4];
        std::int32_t distance;   // the field's distance at the cell
        std::uint8_t next[5];    // cell index of each neighbour, then the cell's own
        std::uint8_t runStart;   // a forced cell's run in runCells
        std::uint8_t runLength;  // 0 where the step is not forced
    };
    struct StepChoices
    {
        std::int32_t MapCell::*distance = nullptr;
        bool fresh = false;
        bool bounded = false; // every cell's total below 2^21: bounds and runs hold
        std::int32_t weights[gridColumns][gridRows][4];
        Choice choice[cellCount]; // by cell index
        sf::Vector2i runCells[cellCount];
    };
    const StepChoices& stepChoices(std::int32_t MapCell::*distance, std::int32_t MapCell::*paths);

    sf::Texture lowGroundTexture;
    sf::Texture highGroundTexture;
    std::int32_t columns = boardColumns;
    std::int32_t rows = boardRows;
    std::int32_t homeColumn = 0;
    std::int32_t homeRow = 0;
    MapCell cells[gridColumns][gridRows];

private:
    void buildEmptyGrid();
    void forgetStepChoices(std::int32_t MapCell::*distance);
    void findRuns(StepChoices& choices);

    // Scratch lists of the breadth-first search, kept to avoid allocating.
    std::vector<sf::Vector2i> frontier_, next_;
    StepChoices choices_[4]; // one per field
};

extern LevelMap levelMap;

// The global grid's operations: buildGrid copies mapData's terrain in and
// computes all four fields; each compute function redoes one field from the
// home, the towers or the platforms of the World.
void buildGrid();
void computeHomeField();
void computeGroundField();
void computeTowerField();
void computePlatformField();
