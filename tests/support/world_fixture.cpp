#include "support/world_fixture.h"

#include "wolves/wolf.h"

#include <sstream>

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
        for (int k = 0; k < wolfKindCount; ++k)
            text << ' ' << record.peakRate[k] << ' ' << record.riseTime[k] << ' ' << record.startOffset[k];
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
