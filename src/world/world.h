#pragma once
// The level being played: its clock, the won and lost flags, the build lock,
// the six lists that own every object on the board, the per-frame tick and
// the building rules.

#include <SFML/System/Time.hpp>

#include <cstdint>
#include <vector>

class Wolf;
class Tower;
class Bullet;
class Stone;
class Platform;

enum class PondState : std::int32_t
{
    Full = 0,    // holds water; deepens the slow of iced wolves
    Filling = 1, // just dug
    Drained = 2, // dried up or demolished; removed at the end of the tick
};

struct Pond
{
    PondState state = PondState::Filling;
    std::int32_t x = 0;
    std::int32_t y = 0;
    float timer = 0.f;
};

// Wolf kinds, in the order of the wave records and of spawning.
enum WolfKind : int
{
    RegularWolfKind = 0,
    BabyWolfKind = 1,
    ThrowingWolfKind = 2,
    SuicidalWolfKind = 3,
    HackingWolfKind = 4,
    CatapultWolfKind = 5,
};

extern std::int32_t elapsedMs;   // level time: whole milliseconds of every tick
extern std::uint8_t levelLost;   // a wolf stood on the home
extern std::uint8_t levelWon;    // the waves are over and no wolf is left
extern std::uint8_t buildLock;   // a building is under construction
extern float buildLockTime;      // seconds until the lock clears

// Owning lists, in creation order; objects leave them only in the sweep at
// the end of a tick or when the level is cleared.
extern std::vector<Wolf*> wolves;
extern std::vector<Tower*> towers;
extern std::vector<Bullet*> bullets;
extern std::vector<Stone*> stones;
extern std::vector<Platform*> platforms;
extern std::vector<Pond*> ponds;

// Advances the level by one frame.
void tick(sf::Time dt);

// The spawn rate of a wolf kind, in wolves per second, at level time t seconds.
float spawnRate(int kind, float t);
// Constructs a wolf of a kind entering at a row.
Wolf* makeWolf(int kind, int row);

// Cell rules of the building tools.
bool canPlacePlatform(int column, int row);
bool canDigPond(int column, int row);
bool canPlaceTower(int column, int row);

// Building operations; each is only called on a cell that passes its rule.
void placeTower(int type, int column, int row); // 0 arrow, 1 ice, 2 skunk, 3 slap
void placePlatform(int column, int row);
void digPond(int column, int row);
bool demolishTower(int column, int row);
void demolishPlatformOrPond(int column, int row);
