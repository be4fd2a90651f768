// The four breadth-first fields: distances and numbers of shortest routes.

#include "support/world_fixture.h"

#include "towers/platform.h"
#include "towers/tower.h"

namespace {

class Fields : public WorldTest
{
};

// A 3 x 3 box with the home in its right column, row 5, reached from the
// entry column along row 4.
const std::vector<std::string> box = {
    "################", "################", "################",
    "#########...####", "#########..H####", "............####",
    "################", "################", "################"};

} // namespace

TEST_F(Fields, CountShortestRoutesToTheHome)
{
    load(box);
    // Columns 11..13, rows 4..6; home at (13, 5).
    EXPECT_EQ(cell(13, 5).homeDistance, 0);
    EXPECT_EQ(cell(13, 5).homePaths, 1);
    EXPECT_EQ(cell(12, 5).homeDistance, 1);
    EXPECT_EQ(cell(12, 5).homePaths, 1);
    EXPECT_EQ(cell(12, 6).homeDistance, 2);
    EXPECT_EQ(cell(12, 6).homePaths, 2); // via (12,5) or (13,6)
    EXPECT_EQ(cell(11, 6).homeDistance, 3);
    EXPECT_EQ(cell(11, 6).homePaths, 3);
    EXPECT_EQ(cell(11, 5).homePaths, 1);
    // High ground and the border are never entered.
    EXPECT_EQ(cell(10, 5).homeDistance, -1);
    EXPECT_EQ(cell(0, 5).homeDistance, -1);
    EXPECT_EQ(cell(1, 4).homeDistance, 13);
    EXPECT_EQ(cell(1, 4).homePaths, 3); // up at column 11, 12 or 13
}

TEST_F(Fields, EnclosedCellsStayUnreachableInEveryField)
{
    std::vector<std::string> rows(9, std::string(16, '.'));
    rows[4][15] = 'H';
    rows[1] = "....###.........";
    rows[2] = "....#.#.........";
    rows[3] = "....###.........";
    load(rows);
    placePlatform(3, 9);
    placeTower(0, 3, 9);
    placePlatform(2, 2);
    const MapCell& enclosed = cell(7, 7);
    EXPECT_EQ(enclosed.homeDistance, -1);
    EXPECT_EQ(enclosed.groundDistance, -1);
    EXPECT_EQ(enclosed.towerDistance, -1);
    EXPECT_EQ(enclosed.platformDistance, -1);
    EXPECT_EQ(enclosed.homePaths, 0);
}

TEST_F(Fields, PlatformsBlockTheHomeAndTowerFieldsButNotTheGroundField)
{
    load(box);
    placePlatform(12, 5);
    EXPECT_EQ(cell(12, 5).homeDistance, -1);
    EXPECT_EQ(cell(11, 5).homeDistance, 4); // around through row 4 or 6
    EXPECT_EQ(cell(11, 5).homePaths, 2);
    EXPECT_EQ(cell(11, 5).groundDistance, 2);
    EXPECT_EQ(cell(11, 5).groundPaths, 1);
    EXPECT_EQ(cell(12, 5).platformDistance, 0);
    EXPECT_EQ(cell(11, 5).platformDistance, 1);
    EXPECT_EQ(cell(11, 4).platformDistance, 2);
    EXPECT_EQ(cell(11, 4).platformPaths, 2);
}

TEST_F(Fields, TowerFieldStartsAtEveryTowerAndIsEmptyWithoutOne)
{
    loadOpenBoard();
    EXPECT_EQ(cell(6, 6).towerDistance, -1);
    std::vector<std::string> rows(9, std::string(16, '.'));
    rows[4][15] = 'H';
    rows[3][3] = '#'; // (5, 6)
    rows[3][9] = '#'; // (11, 6)
    load(rows);
    placeTower(0, 5, 6);
    EXPECT_EQ(cell(5, 6).towerDistance, 0);
    EXPECT_EQ(cell(8, 6).towerDistance, 3);
    placeTower(1, 11, 6);
    EXPECT_EQ(cell(8, 6).towerDistance, 3);
    EXPECT_EQ(cell(8, 6).towerPaths, 2); // one route from each tower
    EXPECT_EQ(cell(9, 6).towerDistance, 2);
    EXPECT_EQ(cell(9, 6).towerPaths, 1);
    EXPECT_EQ(cell(8, 7).towerDistance, 4);
    EXPECT_EQ(cell(8, 7).towerPaths, 2 + 3 + 3);
}

TEST_F(Fields, OpenBoardCountsFollowPascalsTriangle)
{
    loadOpenBoard(5);
    // From (13, 7): 4 columns and 2 rows away, C(6, 2) shortest routes.
    EXPECT_EQ(cell(13, 7).homeDistance, 6);
    EXPECT_EQ(cell(13, 7).homePaths, 15);
    EXPECT_EQ(cell(1, 5).homeDistance, 16);
    EXPECT_EQ(cell(1, 5).homePaths, 1);
    EXPECT_EQ(cell(1, 9).homePaths, 4845); // C(20, 4)
}
