// Reading level files: the terrain codes, the wave records, and the clear
// refusal of files that cannot make a playable level.

#include "support/world_fixture.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace {

const std::vector<std::string> corridor = {
    "################", "################", "################", "################",
    "...............H", "################", "################", "################",
    "################"};

std::string terrainOnly(const std::vector<std::string>& rows)
{
    return mapText(rows, {});
}

const char* record = "10 0.5 0 0 0 0 0 2 1 1 1 1 1 1 0 0 0 0 0";

class MapReader : public WorldTest
{
};

} // namespace

TEST_F(MapReader, StoresCodesPerColumnAndRowWithTheFirstLineAtTheBottom)
{
    MapData data;
    std::string text = terrainOnly(corridor);
    ASSERT_TRUE(readMap(text, data).ok());
    EXPECT_EQ(data.terrainCodes[15][4], Home);       // file column 15, file row 4
    EXPECT_EQ(data.terrainCodes[0][4], LowGround);
    EXPECT_EQ(data.terrainCodes[0][0], HighGround);  // bottom row
    EXPECT_EQ(data.terrainCodes[7][8], HighGround);  // top row
    EXPECT_TRUE(data.waves.empty());
    EXPECT_EQ(data.totalWaveTime, 0.f);
}

TEST_F(MapReader, UnknownCodesKeepWhatThePositionHeldBefore)
{
    MapData data;
    ASSERT_TRUE(readMap(terrainOnly(corridor), data).ok());
    // Replace the first two codes of the file (bottom row) with 3 and -1.
    std::string text = terrainOnly(corridor);
    text.replace(0, 3, "3 -1");
    data.terrainCodes[1][0] = LowGround;
    ASSERT_TRUE(readMap(text, data).ok());
    EXPECT_EQ(data.terrainCodes[0][0], HighGround);
    EXPECT_EQ(data.terrainCodes[1][0], LowGround);
    EXPECT_EQ(data.terrainCodes[2][0], HighGround);
}

TEST_F(MapReader, KeepsOnlyRecordsFollowedByMoreText)
{
    MapData data;
    const std::string base = terrainOnly(corridor);

    ASSERT_TRUE(readMap(base + record + "\n" + record + "\n", data).ok());
    ASSERT_EQ(data.waves.size(), 2u);
    EXPECT_EQ(data.totalWaveTime, 20.f);
    EXPECT_EQ(data.waves[0].duration, 10.f);
    EXPECT_EQ(data.waves[0].peakRate[0], 0.5f);
    EXPECT_EQ(data.waves[0].riseTime[0], 2.f);
    EXPECT_EQ(data.waves[0].startOffset[0], 1.f);

    // The last line without its line break is lost, as is a half record.
    ASSERT_TRUE(readMap(base + record + "\n" + record, data).ok());
    EXPECT_EQ(data.waves.size(), 1u);
    ASSERT_TRUE(readMap(base + record + "\n10 0.5 2\n", data).ok());
    EXPECT_EQ(data.waves.size(), 1u);
    EXPECT_EQ(data.totalWaveTime, 10.f);
}

TEST_F(MapReader, AcceptsSignsFractionsAndExponents)
{
    MapData data;
    // Any real number is a duration, a negative one too: it shortens the level.
    // Numbers too small for a float read as zero of their sign, as strtof reads them.
    ASSERT_TRUE(readMap(terrainOnly(corridor) + "+1.5e1 -0.25 0 0 0 0 0 .5 1 1 1 1 1 2. 0 0 0 0 0\n"
                                                "-2.5 0 0 0 0 0 0 1 1 1 1 1 1 0 0 0 0 0 0\n"
                                                "0.01e-9223372036854775808 0 0 0 0 0 0 -1e-60 1 1 1 1 1 0 0 0 0 0 0\n"
                                                "4 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18\n",
                        data).ok());
    ASSERT_EQ(data.waves.size(), 4u);
    // The six peak rates come first, then the six rise times, then the six offsets.
    for (int kind = 0; kind < wolfKindCount; ++kind) {
        EXPECT_EQ(data.waves[3].peakRate[kind], 1.f + kind) << "kind " << kind;
        EXPECT_EQ(data.waves[3].riseTime[kind], 7.f + kind) << "kind " << kind;
        EXPECT_EQ(data.waves[3].startOffset[kind], 13.f + kind) << "kind " << kind;
    }
    EXPECT_EQ(data.waves[2].duration, 0.f);
    EXPECT_FALSE(std::signbit(data.waves[2].duration));
    EXPECT_EQ(data.waves[2].riseTime[0], 0.f);
    EXPECT_TRUE(std::signbit(data.waves[2].riseTime[0])) << "a tiny negative rise time is -0, not +0";
    EXPECT_EQ(data.waves[1].duration, -2.5f);
    EXPECT_EQ(data.totalWaveTime, 16.5f);
    EXPECT_EQ(data.waves[0].duration, 15.f);
    EXPECT_EQ(data.waves[0].peakRate[0], -0.25f);
    EXPECT_EQ(data.waves[0].riseTime[0], 0.5f);
    EXPECT_EQ(data.waves[0].startOffset[0], 2.f);
}

TEST_F(MapReader, RefusesBrokenFilesWithAReason)
{
    struct Case
    {
        std::string text;
        std::string expected;
    };
    const std::string terrain = terrainOnly(corridor);
    const Case cases[] = {
        {"", "only 0 of its 144"},
        {terrain.substr(0, terrain.size() / 2), "of its 144 codes"},
        {"0 0 x" + terrain.substr(5), "line 1: terrain code 'x' is not a whole number"},
        {terrain + record + "\n10 nan 1\n", "line 11: wave value 'nan' is not a number"},
        {terrain + "10 0.5 inf 0\n", "'inf' is not a number"},
        {terrain + "1e999 0 0 0 0 0 0 1 1 1 1 1 1 0 0 0 0 0 0\n", "'1e999' is too large"},
        {terrain + "10e9223372036854775807 0 1 0\n", "'10e9223372036854775807' is too large"},
        {terrain + "10 +-1 1 0\n", "line 10: wave value '+-1' is not a number"},
        {terrain + std::string("1\0\x7f 2\n", 6), "line 10, column 2: a control character, U+0000 (NUL)"},
        // Text from editors that write more than ASCII: what was found, and where.
        {"\xEF\xBB\xBF" + terrain, "the file starts with a byte-order mark (UTF-8)"},
        {"\xFF\xFE" + terrain, "starts with a UTF-16 byte-order mark"},
        {"0\xC2\xA0" + terrain, "line 1, column 2: a non-ASCII character, U+00A0 (no-break space)"},
        {"0 \xE3\x80\x80" + terrain, "line 1, column 3: a non-ASCII character, U+3000 (ideographic space)"},
        {terrain + "\xEF\xBC\x91\n", "line 10, column 1: a non-ASCII character, U+FF11 (full-width digit 1)"},
        {terrain + "1 \xD9\xA1\n", "line 10, column 3: a non-ASCII character, U+0661"},
        {terrain + "1 \xFF\n", "line 10, column 3: a non-ASCII character, byte 0xFF (not UTF-8)"},
        // Lines that end with a lone CR are lines too.
        {"0\r0\r\n0\rx", "line 4: terrain code 'x' is not a whole number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        MapData data;
        data.terrainCodes[3][3] = HighGround;
        const MapReadResult result = readMap(c.text, data);
        EXPECT_FALSE(result.ok());
        EXPECT_NE(result.error.find(c.expected), std::string::npos) << result.error;
        EXPECT_EQ(data.terrainCodes[3][3], HighGround) << "a refused file changed the data";
    }
}

TEST_F(MapReader, LoadingRefusesBoardsWithoutAReachableHome)
{
    std::vector<std::string> noHome = corridor;
    noHome[4][15] = '.';
    std::vector<std::string> walledIn = corridor;
    walledIn[4][14] = '#';

    for (const auto& [rows, expected] :
         {std::pair{noHome, "no home"}, std::pair{walledIn, "cannot be reached"}}) {
        const LevelLoadResult result = loadLevelText(mapText(rows, {waveOf(10)}), "c9.txt");
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.message.find("c9.txt"), std::string::npos) << result.message;
        EXPECT_NE(result.message.find(expected), std::string::npos) << result.message;
    }
}

TEST_F(MapReader, AFailedLoadLeavesTheLevelInPlayAlone)
{
    load(corridor, {waveOf(30), waveOf(12)});
    run(1.0f);
    const std::int32_t clock = elapsedMs;
    cell(5, 5).hasTower = true;

    const LevelLoadResult missing = loadLevel(7);
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.message.find("map/c7.txt"), std::string::npos);
    EXPECT_NE(missing.message.find("cannot open"), std::string::npos);

    EXPECT_FALSE(loadLevelText("0 0 0", "short.txt").ok);
    EXPECT_EQ(elapsedMs, clock);
    EXPECT_EQ(mapData.totalWaveTime, 42.f);
    EXPECT_EQ(mapData.waves.size(), 2u);
    EXPECT_TRUE(cell(5, 5).hasTower);
    EXPECT_EQ(levelMap.home(), sf::Vector2i(17, 5));
    cell(5, 5).hasTower = false;
}

TEST_F(MapReader, ShippedLevelsLoad)
{
    for (int level = 1; level <= 3; ++level) {
        const LevelLoadResult result = loadLevel(level);
        EXPECT_TRUE(result.ok) << result.message;
        EXPECT_GT(mapData.waves.size(), 0u);
        EXPECT_TRUE(LevelMap::onBoard(levelMap.homeColumn, levelMap.homeRow));
    }
}

TEST_F(MapReader, TheLastOfTwoHomesInColumnOrderWins)
{
    std::vector<std::string> rows(9, std::string(16, '.'));
    rows[8][3] = 'H'; // column 5, row 1
    rows[0][3] = 'H'; // column 5, row 9
    rows[4][1] = 'H'; // column 3, row 5
    load(rows);
    EXPECT_EQ(levelMap.home(), sf::Vector2i(5, 9));
}
