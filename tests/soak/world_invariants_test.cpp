// The soak and the map fuzzer are only as good as their invariant checks:
// each corruption of a healthy World below must be reported.

#include "support/world_fixture.h"

#include "../soak/world_invariants.h"

#include "towers/bullet.h"
#include "towers/platform.h"
#include "towers/tower.h"
#include "wolves/stone.h"
#include "wolves/wolf_kinds.h"

#include <cmath>
#include <functional>
#include <memory>

namespace {

class WorldInvariants : public WorldTest
{
protected:
    // A board with a platform carrying a tower, a tower on high ground, a
    // wolf on its way, a bullet and a stone in flight.
    void SetUp() override
    {
        WorldTest::SetUp();
        std::vector<std::string> rows(9, std::string(16, '.'));
        rows[8 - 2][5] = '#'; // column 7, row 3
        rows[9 - 5][15] = 'H';
        load(rows);
        placePlatform(4, 5);
        placeTower(0, 4, 5);
        placeTower(1, 7, 3);
        wolf = addWolf<RegularWolf>(5);
        bullets.push_back(new RegularBullet(4, 5, wolf));
        stones.push_back(new Stone(1, 5, towers[1]));
        run(0.25f);
    }

    Wolf* wolf = nullptr;
    // Objects that are in no list of the World.
    std::unique_ptr<RegularWolf> strayWolf = std::make_unique<RegularWolf>(3, 3);
    std::unique_ptr<Platform> strayPlatform = std::make_unique<Platform>(9, 9);
};

} // namespace

TEST_F(WorldInvariants, AHealthyWorldPassesAndEachCorruptionIsNamed)
{
    ASSERT_EQ(brokenWorldInvariant(), "");
    ASSERT_EQ(towers.size(), 2u);
    ASSERT_EQ(bullets.size(), 1u);
    ASSERT_EQ(stones.size(), 1u);
    ASSERT_GE(wolf->route.size(), 2u);

    struct Corruption
    {
        const char* expected;
        std::function<void()> apply;
    };
    const Corruption corruptions[] = {
        {"jumps from", [&] { wolf->route[1] = wolf->route[0] + sf::Vector2i(2, 0); }},
        {"outside the grid", [&] { wolf->route.back() = {LevelMap::gridColumns, 3}; }},
        {"not a number", [&] { wolf->progress = std::nanf(""); }},
        {"flies at a wolf that is not in the list", [&] { bullets[0]->target = strayWolf.get(); }},
        {"not a number", [&] { bullets[0]->x = INFINITY; }},
        {"flies at a tower that is not in the list", [&] { stones[0]->target = nullptr; }},
        {"holds a platform that is not in the list", [&] { cell(9, 9).platform = strayPlatform.get(); }},
        {"holds the platform of", [&] { cell(4, 5).platform->x = 5; }},
        {"is not the platform its cell holds", [&] { cell(4, 5).platform = nullptr; }},
        {"carries the tower of", [&] { towers[0]->x = 8; }},
        {"does not know it", [&] { cell(7, 3).hasTower = false; }},
        {"no tower of the list stands there", [&] { cell(9, 3).terrain = HighGround; cell(9, 3).hasTower = true; }},
        {"does not carry it", [&] { cell(4, 5).platform->tower = nullptr; }},
    };
    for (const Corruption& corruption : corruptions) {
        SCOPED_TRACE(corruption.expected);
        // Each corruption starts from the same healthy World.
        TearDown();
        SetUp();
        corruption.apply();
        const std::string problem = brokenWorldInvariant();
        EXPECT_NE(problem.find(corruption.expected), std::string::npos) << "reported: '" << problem << "'";
    }
}
