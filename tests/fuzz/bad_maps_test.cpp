// Level files that are broken in ways the map reader tests do not already
// cover, each with what the game must do: refuse it with a reason that names
// the file, or play it as written.

#include "support/world_fixture.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> corridor = {
    "################", "################", "################", "################",
    "...............H", "################", "################", "################",
    "################"};

const char* record = "10 0.5 0 0 0 0 0 2 1 1 1 1 1 1 0 0 0 0 0\n";

class BadMaps : public WorldTest
{
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        folder = fs::temp_directory_path() / ("brambleholt-bad-maps-" + std::to_string(::getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        fs::remove_all(folder);
        WorldTest::TearDown();
    }
    std::string write(const std::string& name, const std::string& contents)
    {
        const fs::path path = folder / name;
        std::ofstream(path, std::ios::binary) << contents;
        return path.string();
    }
    fs::path folder;
};

} // namespace

TEST_F(BadMaps, UnreadableFilesAreRefusedWithTheirPath)
{
    const std::string terrain = mapText(corridor, {});
    std::string oversized = terrain;
    while (oversized.size() <= (16u << 20))
        oversized += record;
    fs::create_directories(folder / "c4.txt");
    const std::string fifo = (folder / "fifo.txt").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0); // opening it would wait for a writer

    struct Case
    {
        std::string path;
        std::string expected;
    };
    const Case cases[] = {
        {(folder / "missing.txt").string(), "cannot open the file"},
        {(folder / "c4.txt").string(), "it is a folder, not a regular file"},
        {fifo, "it is a named pipe (FIFO), not a regular file"},
        {"/dev/zero", "it is a device, not a regular file"},
        {write("oversized.txt", oversized), "larger than 16 MiB"},
        {write("empty.txt", ""), "only 0 of its 144 codes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const LevelLoadResult result = loadLevelFile(c.path);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.message.find(c.path), std::string::npos) << result.message;
        EXPECT_NE(result.message.find(c.expected), std::string::npos) << result.message;
    }
    // The menu shows the reason in Chinese.
    EXPECT_EQ(loadLevelFile(fifo).screenMessage,
              std::wstring(fifo.begin(), fifo.end()) + L"：它是命名管道（FIFO），不是普通文件");

    // A link to a level file is as good as the file.
    fs::create_symlink(write("real.txt", terrain + record), folder / "link.txt");
    EXPECT_TRUE(loadLevelFile((folder / "link.txt").string()).ok);
}

TEST_F(BadMaps, CodesBeyondThirtyTwoBitsAreUnknownRatherThanWrapped)
{
    // 4294967298 is 2 modulo 2^32 and 4294967297 is 1: wrapped, they would
    // put a second home and a wall on the bottom row.
    std::string text = mapText(corridor, {});
    text.replace(0, 3, "4294967298 4294967297");
    text.replace(text.find("1 1 1"), 5, "99999999999999999999 -4294967295 -2147483648");
    MapData data;
    ASSERT_TRUE(readMap(text, data).ok());
    EXPECT_EQ(data.terrainCodes[0][0], LowGround);
    EXPECT_EQ(data.terrainCodes[1][0], LowGround);

    ASSERT_TRUE(loadLevelText(text + record, "wide.txt").ok);
    EXPECT_EQ(levelMap.home(), sf::Vector2i(17, 5));
}

TEST_F(BadMaps, LongAndUnusualButWellFormedFilesPlay)
{
    const std::string terrain = mapText(corridor, {});
    std::string thousands = terrain;
    for (int i = 0; i < 5000; ++i)
        thousands += "0.5 0 0 0 0 0 0 1 1 1 1 1 1 0 0 0 0 0 0\n";
    std::string crlf = terrain + record;
    for (std::size_t at = crlf.find('\n'); at != std::string::npos; at = crlf.find('\n', at + 2))
        crlf.replace(at, 1, "\r\n");

    ASSERT_TRUE(loadLevelText(thousands, "thousands.txt").ok);
    EXPECT_EQ(mapData.waves.size(), 5000u);
    EXPECT_EQ(mapData.totalWaveTime, 2500.f);
    run(3.0f);
    EXPECT_EQ(levelWon, 0) << "the waves are not over yet";

    ASSERT_TRUE(loadLevelText(crlf, "crlf.txt").ok);
    EXPECT_EQ(mapData.waves.size(), 1u);
    EXPECT_EQ(levelMap.home(), sf::Vector2i(17, 5));
}
