// The runtime folder holds every file the game reads, each loadable and of
// the size the board view draws it at, and a font that can show every text.

#include "ui/texts.h"
#include "world/map_refusal.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
