#include "support/world_fixture.h"

#include "towers/bullet.h"
#include "towers/platform.h"
#include "towers/tower.h"
#include "wolves/stone.h"
#include "wolves/wolf.h"

#include <cstring>
#include <sstream>
#include <typeinfo>

WaveRecord waveOf(float duration, int kind, float peakRate, float riseTime, float startOffset)
{
    WaveRecord record;
    record.duration = duration;
    for (int k = 0; k < wolfKindCount; ++k)
        record.riseTime[k] = 1.f;
    record.peakRate[kind] = peakRate;
    record.riseTime[kind] = riseTime;
    record.startOffset[kind] = startOffset;
    return record;
}

std::string mapText(const std::vector<std::string>& rowsTopDown, const std::vector<WaveRecord>& waves)
{
    std::ostringstream text;
    for (auto row = rowsTopDown.rbegin(); row != rowsTopDown.rend(); ++row) {
        for (char c : *row)
            text << (c == '#' ? "1 " : c == 'H' ? "2 " : "0 ");
        text << '\n';
    }
    for (const WaveRecord& record : waves) {
        text << record.duration;
        for (const float* field : {record.peakRate, record.riseTime, record.startOffset})
            for (int k = 0; k < wolfKindCount; ++k)
                text << ' ' << field[k];
        text << '\n';
    }
    return text.str();
}

void WorldTest::SetUp()
{
    clearWorld();
    randomEngine.seed(5489u);
    soundPool.clear();
    soundPool.resize(100);
}

void WorldTest::TearDown()
{
    clearWorld();
    soundPool.clear();
}

void WorldTest::load(const std::vector<std::string>& rowsTopDown, const std::vector<WaveRecord>& waves)
{
    ASSERT_EQ(rowsTopDown.size(), 9u);
    for (const std::string& row : rowsTopDown)
        ASSERT_EQ(row.size(), 16u) << row;
    const LevelLoadResult result = loadLevelText(mapText(rowsTopDown, waves), "test board");
    ASSERT_TRUE(result.ok) << result.message;
}

void WorldTest::loadOpenBoard(int homeRow)
{
    std::vector<std::string> rows(9, std::string(16, '.'));
    rows[static_cast<std::size_t>(9 - homeRow)][15] = 'H';
    load(rows);
}

void WorldTest::run(float seconds, float dt)
{
    const int ticks = static_cast<int>(seconds / dt + 0.5f);
    for (int i = 0; i < ticks; ++i)
        step(dt);
}

void WorldTest::placeOnStep(Wolf& wolf, sf::Vector2i from, sf::Vector2i to, float progress)
{
    wolf.route = {from, to};
    wolf.progress = progress;
}

void WorldTest::playCrowdedBoard(int ticks)
{
    WaveRecord flood;
    flood.duration = 60.f;
    const float rates[wolfKindCount] = {10.f, 5.f, 1.f, 5.f, 5.f, 1.f};
    for (int k = 0; k < wolfKindCount; ++k) {
        flood.peakRate[k] = rates[k];
        flood.riseTime[k] = 5.f;
    }
    load({"................", "###############.", "#...............", "#.##############", "#...............",
          "###############.", "#...............", "#.##############", "#..............H"},
         {flood, waveOf(1000.f)});
    for (int i = 0; i < 12; ++i)
        placeTower(i % 4, 4 + i % 2 + 3 * (i / 4), 8 - 2 * (i % 4));
    const sf::Time dt = sf::seconds(1.f / 30);
    for (int t = 1; t <= ticks; ++t) {
        if (t == 300)
            digPond(9, 7);
        if (t == 600)
            placePlatform(12, 3);
        if (t == 900)
            demolishTower(towers.front()->x, towers.front()->y);
        tick(dt);
        levelLost = 0; // wolves that reach the home stay
    }
}

std::uint64_t worldHash()
{
    std::uint64_t hash = 14695981039346656037ull;
    auto add = [&hash](const auto& value) {
        unsigned char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        for (unsigned char byte : bytes)
            hash = (hash ^ byte) * 1099511628211ull;
    };
    auto addName = [&add](const std::type_info& type) {
        for (const char* c = type.name(); *c; ++c)
            add(*c);
    };
    add(elapsedMs);
    std::mt19937 engine = randomEngine;
    add(engine());
    for (const Wolf* w : wolves) {
        addName(typeid(*w));
        for (sf::Vector2i cell : w->route)
            add(cell);
        add(w->state), add(w->progress), add(w->health), add(w->slowed), add(w->slowTimer), add(w->stateTimer);
        add(w->speed), add(w->knockStep), add(w->sprite.currentFrame), add(w->sprite.currentTime.asMicroseconds());
        add(w->sprite.frameTime.asMicroseconds()), add(w->sprite.vertices[0].texCoords);
    }
    for (const Tower* t : towers) {
        addName(typeid(*t));
        add(t->state), add(t->x), add(t->y), add(t->health), add(t->timer), add(t->regenTimer);
    }
    for (const Bullet* b : bullets) {
        addName(typeid(*b));
        add(b->x), add(b->y), add(b->finished);
    }
    for (const Stone* s : stones) {
        addName(typeid(*s));
        add(s->x), add(s->y), add(s->z), add(s->finished);
    }
    for (const Platform* p : platforms)
        add(p->state), add(p->x), add(p->y), add(p->health), add(p->timer);
    for (const Pond* p : ponds)
        add(p->state), add(p->x), add(p->y), add(p->timer);
    return hash;
}
