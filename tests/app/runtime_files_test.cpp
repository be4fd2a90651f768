// The runtime folder holds every file the game reads, each loadable and of
// the size the board view draws it at, and a font that can show every text;
// broken data files are left out with a reason.

#include "app/asset_files.h"
#include "app/assets.h"
#include "ui/texts.h"
#include "world/map_refusal.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct ImageFile
{
    const char* path;
    unsigned width, height;
};

const ImageFile imageFiles[] = {
    {"image/catapult_wolf.png", 96, 128}, {"image/hacking_wolf.png", 96, 128},
    {"image/suicidal_wolf.png", 96, 128}, {"image/throwing_wolf.png", 96, 128},
    {"image/regular_wolf.png", 96, 128},  {"image/baby_wolf.png", 96, 128},
    {"image/tower.png", 32, 40},          {"image/ice_tower.png", 32, 40},
    {"image/skunk_tower.png", 32, 40},    {"image/slap_tower.png", 32, 40},
    {"image/platform.png", 32, 48},       {"image/pond.png", 32, 32},
    {"image/home.png", 32, 32},           {"image/lowground.png", 50, 50},
    {"image/highground.png", 48, 72},     {"image/menu.png", 800, 600},
    {"image/gameover.png", 800, 600},     {"image/gamewin.png", 800, 600},
    {"image/button.png", 200, 50},        {"image/button_selected.png", 200, 50},
};

// Names the case after the file in test listings.
void PrintTo(const ImageFile& file, std::ostream* out)
{
    *out << file.path;
}

class ImageFiles : public testing::TestWithParam<ImageFile>
{
};

} // namespace

TEST_P(ImageFiles, LoadWithTheSizeTheyAreDrawnAt)
{
    sf::Texture texture;
    ASSERT_TRUE(texture.loadFromFile(GetParam().path));
    EXPECT_EQ(texture.getSize(), sf::Vector2u(GetParam().width, GetParam().height));
}

INSTANTIATE_TEST_SUITE_P(RuntimeFolder, ImageFiles, testing::ValuesIn(imageFiles),
                         [](const testing::TestParamInfo<ImageFile>& info) {
                             std::string name = info.param.path + 6; // drop "image/"
                             return name.substr(0, name.size() - 4);
                         });

TEST(SoundFiles, AreShortCdQualityEffects)
{
    for (const char* path : {"sound/tower_shoot.wav", "sound/tower_collapse.wav", "sound/explode.wav"}) {
        SCOPED_TRACE(path);
        sf::SoundBuffer buffer;
        ASSERT_TRUE(buffer.loadFromFile(path));
        EXPECT_EQ(buffer.getSampleRate(), 44100u);
        EXPECT_GT(buffer.getSampleCount(), 0u);
        EXPECT_LT(buffer.getDuration().asSeconds(), 1.f);
    }
}

TEST(Font, HoldsEveryCharacterOfEveryText)
{
    FT_Library library;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face;
    ASSERT_EQ(FT_New_Face(library, "hei.ttf", 0, &face), 0) << "hei.ttf missing or unreadable";

    std::vector<std::wstring> shown(std::begin(texts::all), std::end(texts::all));
    for (const RefusalText* refusal : refusals::all)
        shown.push_back(refusal->chinese); // a refused map's reason, on the menu
    shown.push_back(L"0123456789[]QWC");
    for (const std::wstring& text : shown) {
        for (wchar_t c : text) {
            if (c != L' ') {
                EXPECT_NE(FT_Get_Char_Index(face, static_cast<FT_ULong>(c)), 0u)
                    << "no glyph for U+" << std::hex << static_cast<unsigned>(c) << " of " << std::dec << text.size()
                    << "-character text";
            }
        }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

// Files that would make the library hang, reserve gigabytes or fail without
// naming them are left out, each with a reason; the game plays on without
// them. Sound files from other folks' tools, pictures of any size the driver
// takes and files that are no PNG or WAV at all stay the library's to judge.
TEST(BrokenDataFiles, AreLeftOutWithAReason)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("brambleholt-data-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const auto path = [&](const char* name) { return (folder / name).string(); };
    const auto patch = [](const std::string& file, std::streamoff at, std::string bytes) {
        std::fstream(file, std::ios::binary | std::ios::in | std::ios::out).seekp(at) << bytes;
    };

    fs::copy_file("sound/explode.wav", path("lying.wav"));
    fs::resize_file(path("lying.wav"), 1024);
    patch(path("lying.wav"), 40, "\xF0\xFF\xFF\xFF"); // the data chunk's size: nearly 4 GB
    sf::Image wide;
    wide.create(16000, 8, sf::Color::Blue);
    ASSERT_TRUE(wide.saveToFile(path("wide.png")));
    fs::copy_file("image/pond.png", path("lying.png"));
    patch(path("lying.png"), 16, std::string("\0\0\xEA\x60\0\0\xEA\x60", 8)); // 60000 x 60000
    ASSERT_EQ(mkfifo(path("fifo.png").c_str(), 0600), 0);
    std::ofstream(path("text.png")) << "not a picture";

    struct Case
    {
        std::string problem, expected;
    };
    const Case cases[] = {
        {checkSoundFile("sound/explode.wav"), ""},
        {checkSoundFile(path("lying.wav")), "its header claims 4294967280 bytes of sound, but only 980 follow"},
        {checkImageFile("image/pond.png", 64), ""},
        {checkImageFile(path("wide.png"), 16384), ""},
        {checkImageFile(path("wide.png"), 8192), "16000 x 8 pixels is more than the 8192 x 8192 the graphics driver takes"},
        {checkImageFile(path("lying.png"), 65536), "its header claims 60000 x 60000 pixels, more than a file of"},
        {checkImageFile(path("fifo.png"), 64), "it is a named pipe (FIFO), not a regular file"},
        {checkImageFile(path("text.png"), 64), ""},
        {checkImageFile(path("missing.png"), 64), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        if (c.expected.empty())
            EXPECT_EQ(c.problem, "");
        else
            EXPECT_NE(c.problem.find(c.expected), std::string::npos) << c.problem;
    }
    // Left out means empty: no sound, no picture, and no time spent on them.
    EXPECT_EQ(loadSoundBuffer(path("lying.wav")).getSampleCount(), 0u);
    EXPECT_EQ(loadTexture(path("lying.png")).getSize(), sf::Vector2u(0, 0));
    fs::remove_all(folder);
}
