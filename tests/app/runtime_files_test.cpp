// The runtime folder holds every file the game reads, each loadable and of
// the size the board view draws it at, and a font that can show every text.

#include "ui/texts.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
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

namespace {

double linear(sf::Uint8 channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// WCAG relative luminance and contrast ratio.
double luminance(sf::Color c)
{
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

double contrast(sf::Color a, sf::Color b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

sf::Image loadImage(const char* path)
{
    sf::Image image;
    EXPECT_TRUE(image.loadFromFile(path)) << path;
    return image;
}

} // namespace

// The building panel's captions are black, or light grey while locked; both
// must read on the button images wherever a caption can sit.
TEST(ButtonImages, CarryBothCaptionColoursAtThreeToOne)
{
    const sf::Color black(0, 0, 0), grey(200, 200, 200);
    for (const char* path : {"image/button.png", "image/button_selected.png"}) {
        SCOPED_TRACE(path);
        const sf::Image image = loadImage(path);
        ASSERT_EQ(image.getSize(), sf::Vector2u(200, 50));
        double worstBlack = 99, worstGrey = 99;
        // Drawn at half size, captions fall inside (10..90, 4..21) of the 100 x 25 button.
        for (unsigned y = 8; y < 42; ++y) {
            for (unsigned x = 20; x < 180; ++x) {
                worstBlack = std::min(worstBlack, contrast(image.getPixel(x, y), black));
                worstGrey = std::min(worstGrey, contrast(image.getPixel(x, y), grey));
            }
        }
        std::printf("%s: black caption %.2f:1, grey caption %.2f:1\n", path, worstBlack, worstGrey);
        EXPECT_GE(worstBlack, 3.0);
        EXPECT_GE(worstGrey, 3.0);
    }
    const sf::Color plain = loadImage("image/button.png").getPixel(100, 25);
    const sf::Color selected = loadImage("image/button_selected.png").getPixel(100, 25);
    EXPECT_NE(plain, selected) << "the chosen tool must look different";
}

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

    std::wstring extra = L"0123456789[]QWC";
    for (const wchar_t* text : texts::all) {
        for (const wchar_t* c = text; *c; ++c) {
            if (*c != L' ') {
                EXPECT_NE(FT_Get_Char_Index(face, static_cast<FT_ULong>(*c)), 0u)
                    << "no glyph for U+" << std::hex << static_cast<unsigned>(*c);
            }
        }
    }
    for (wchar_t c : extra)
        EXPECT_NE(FT_Get_Char_Index(face, static_cast<FT_ULong>(c)), 0u);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}
