// The runtime folder holds every file the game reads, each loadable and of
// the size the board view draws it at, and a font that can show every text;
// broken data files are left out with a reason.

#include "app/assets.h"
#include "datafiles/asset_files.h"
#include "datafiles/map_refusal.h"
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
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace std::string_literals;

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

// CIE L*a*b* of an sRGB colour (D65 white).
std::array<double, 3> lab(const std::array<double, 3>& linearRgb)
{
    const auto [r, g, b] = linearRgb;
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
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

// Wolves are told apart on the board by their coats: the mean colour of each
// kind's body (its three most common tones, outline aside) stays at least 25
// CIE76 Delta E from every other kind's, and each figure fills its frame.
TEST(WolfSheets, KindsDifferInCoatAndStandTall)
{
    const char* kinds[] = {"regular", "baby", "throwing", "suicidal", "hacking", "catapult"};
    std::vector<std::array<double, 3>> coats;
    for (const char* kind : kinds) {
        SCOPED_TRACE(kind);
        const sf::Image sheet = loadImage(("image/" + std::string(kind) + "_wolf.png").c_str());
        ASSERT_EQ(sheet.getSize(), sf::Vector2u(96, 128));
        // The outline is the commonest colour along the figures' edges.
        std::map<sf::Uint32, int> edge;
        for (unsigned y = 1; y + 1 < 128; ++y)
            for (unsigned x = 1; x + 1 < 96; ++x)
                if (sheet.getPixel(x, y).a == 255 &&
                    (sheet.getPixel(x - 1, y).a == 0 || sheet.getPixel(x + 1, y).a == 0 ||
                     sheet.getPixel(x, y - 1).a == 0 || sheet.getPixel(x, y + 1).a == 0))
                    ++edge[sheet.getPixel(x, y).toInteger()];
        ASSERT_FALSE(edge.empty());
        const sf::Color outline(std::max_element(edge.begin(), edge.end(), [](const auto& a, const auto& b) {
                                    return a.second < b.second;
                                })->first);
        std::map<sf::Uint32, int> counts;
        for (unsigned y = 0; y < 128; ++y) {
            for (unsigned x = 0; x < 96; ++x) {
                const sf::Color c = sheet.getPixel(x, y);
                if (c.a == 255 && c != outline)
                    ++counts[c.toInteger()];
            }
        }
        std::vector<std::pair<int, sf::Uint32>> byCount;
        for (const auto& [colour, count] : counts)
            byCount.push_back({count, colour});
        std::sort(byCount.rbegin(), byCount.rend());
        ASSERT_GE(byCount.size(), 3u);
        std::array<double, 3> sum{};
        int pixels = 0;
        for (int i = 0; i < 3; ++i) {
            const sf::Color c(byCount[i].second);
            sum[0] += byCount[i].first * linear(c.r);
            sum[1] += byCount[i].first * linear(c.g);
            sum[2] += byCount[i].first * linear(c.b);
            pixels += byCount[i].first;
        }
        coats.push_back(lab({sum[0] / pixels, sum[1] / pixels, sum[2] / pixels}));

        int shortest = 32;
        for (unsigned frame = 0; frame < 12; ++frame) {
            int top = 32, bottom = -1;
            for (unsigned y = 0; y < 32; ++y)
                for (unsigned x = 0; x < 32; ++x)
                    if (sheet.getPixel(frame % 3 * 32 + x, frame / 3 * 32 + y).a != 0) {
                        top = std::min(top, static_cast<int>(y));
                        bottom = std::max(bottom, static_cast<int>(y));
                    }
            shortest = std::min(shortest, bottom - top + 1);
        }
        std::printf("%-9s coat L*a*b* (%.1f, %.1f, %.1f), shortest figure %d px\n", kind, coats.back()[0],
                    coats.back()[1], coats.back()[2], shortest);
        if (std::string(kind) != "baby") { // a cub may stay small
            EXPECT_GE(shortest, 28);
        }
    }
    for (size_t i = 0; i < coats.size(); ++i) {
        for (size_t j = i + 1; j < coats.size(); ++j) {
            const double deltaE = std::hypot(coats[i][0] - coats[j][0], coats[i][1] - coats[j][1],
                                             coats[i][2] - coats[j][2]);
            std::printf("Delta E %s / %s: %.1f\n", kinds[i], kinds[j], deltaE);
            EXPECT_GE(deltaE, 25.0) << kinds[i] << " and " << kinds[j] << " look alike";
        }
    }
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

// The banners' lettering is FreeType's own monochrome rendering of the font
// at 22 pixels, drawn in blocks of 2 x 2: the first character of each banner
// is found once down the board's left edge, its ink in at most two tones that
// no pixel bordering the ink has.
TEST(Font, SetsTheBannersAsFreeTypeRendersThem)
{
    FT_Library library;
    FT_Face face;
    ASSERT_EQ(FT_Init_FreeType(&library) || FT_New_Face(library, "hei.ttf", 0, &face), 0);
    FT_Set_Pixel_Sizes(face, 0, 22);
    for (const auto& [path, character] : {std::pair{"image/gamewin.png", U'家'}, std::pair{"image/gameover.png", U'狼'}}) {
        ASSERT_EQ(FT_Load_Char(face, character, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO), 0);
        const FT_Bitmap& glyph = face->glyph->bitmap;
        const int width = static_cast<int>(glyph.width), height = static_cast<int>(glyph.rows);
        const auto ink = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < width && y < height && (glyph.buffer[y * glyph.pitch + x / 8] & (0x80 >> x % 8));
        };
        const sf::Image picture = loadImage(path);
        int found = 0;
        for (int top = 1; top + height < 299; ++top) {
            for (int left = 1; left + width < 48; ++left) {
                std::set<sf::Uint32> tones, around;
                for (int y = -1; y <= height; ++y) {
                    for (int x = -1; x <= width; ++x) {
                        const sf::Uint32 tone = picture.getPixel(2 * (left + x), 2 * (top + y)).toInteger();
                        if (ink(x, y))
                            tones.insert(tone);
                        else if (ink(x - 1, y) || ink(x + 1, y) || ink(x, y - 1) || ink(x, y + 1))
                            around.insert(tone);
                    }
                }
                found += tones.size() <= 2 &&
                         std::none_of(tones.begin(), tones.end(), [&](sf::Uint32 t) { return around.count(t); });
            }
        }
        EXPECT_EQ(found, 1) << path;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

// Files that would make the library hang, reserve gigabytes, crash or fail
// without naming them are left out, each with a reason; the game plays on
// without them. Every picture must be a PNG; sound files from other folks'
// tools, pictures of any size the driver takes and sounds that are no WAV at
// all stay the library's to judge.
TEST(BrokenDataFiles, AreLeftOutWithAReason)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("brambleholt-data-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const auto path = [&](const char* name) { return (folder / name).string(); };
    const auto patch = [](const std::string& file, std::streamoff at, std::string bytes) {
        std::fstream(file, std::ios::binary | std::ios::in | std::ios::out).seekp(at) << bytes;
    };
    const auto fromHex = [&](const char* name, const std::string& hex) {
        std::ofstream file(path(name), std::ios::binary);
        for (std::size_t i = 0; i < hex.size(); i += 2)
            file.put(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    };

    fs::copy_file("sound/explode.wav", path("lying.wav"));
    fs::resize_file(path("lying.wav"), 1024);
    patch(path("lying.wav"), 40, "\xF0\xFF\xFF\xFF"); // the data chunk's size: nearly 4 GB
    // The sound before its format: the library divides by a sample size of 0.
    fromHex("data-first.wav", "524946462800000057415645646174610400000000000000666d7420100000000100010044ac0000"
                              "8858010002001000");
    // A chunk of 1 byte without its pad byte hides a data chunk of nearly 4 GB
    // from a walk that skips pad bytes; the library's walk finds it.
    fromHex("hidden.wav", "524946460000000057415645666d7420100000000100010044ac000088580100020010006a756e6b01"
                          "0000005864617461f0ffffff" + std::string(2000, '0'));
    std::string empties = "RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xac\0\0\x88\x58\x01\0\x02\0\x10\0"s;
    for (int i = 0; i < 4'000'000; ++i) // 32 MB of empty chunks, then the sound
        empties += "junk\0\0\0\0"s;
    std::ofstream(path("empties.wav"), std::ios::binary) << empties << "data\x04\0\0\0\0\0\0\0"s;

    sf::Image wide;
    wide.create(16000, 8, sf::Color::Blue);
    ASSERT_TRUE(wide.saveToFile(path("wide.png")));
    for (const char* name : {"lying.png", "damaged.png", "cut.png"})
        fs::copy_file("image/pond.png", path(name));
    patch(path("lying.png"), 16, std::string("\0\0\xEA\x60\0\0\xEA\x60", 8)); // 60000 x 60000
    patch(path("damaged.png"), 29, "\xFF\xFF\xFF\xFF");                     // the header's checksum
    fs::resize_file(path("cut.png"), 50);
    ASSERT_EQ(mkfifo(path("fifo.png").c_str(), 0600), 0);
    std::ofstream(path("text.png")) << "not a picture";
    // 4 x 4 pixels of 1 bit whose compressed rows stop short: the library's
    // decoder makes bytes of nothing until memory runs out. The file ends
    // inside IEND; its twin has whole chunks with right checksums.
    const std::string shortRows = "89504e470d0a1a0a0000000d4948445200000004000000040100000000818aa3d30000000b49444154"
                                  "789c5c6058739500000001";
    fromHex("short.png", shortRows + "b75873950000000049454e4400");
    fromHex("short-signed.png", shortRows + "44bfb7030000000049454e44ae426082");
    fromHex("tga.png", "00000a000000000000000000803e803e2008ff808080ff"); // a TGA header: 16000 x 16000

    struct Case
    {
        std::string problem, expected;
    };
    const Case cases[] = {
        {checkSoundFile("sound/explode.wav"), ""},
        {checkSoundFile(path("lying.wav")), "its header claims 4294967280 bytes of sound, but only 980 follow"},
        {checkSoundFile(path("data-first.wav")), "its sound (data chunk) comes before its format (fmt chunk)"},
        {checkSoundFile(path("hidden.wav")), "its header claims 4294967280 bytes of sound, but only 1000 follow"},
        {checkSoundFile(path("empties.wav")), "more than 100 chunks come before its sound"},
        {checkImageFile("image/pond.png", 64), ""},
        {checkImageFile(path("wide.png"), 16384), ""},
        {checkImageFile(path("wide.png"), 16000), ""},
        {checkImageFile(path("wide.png"), 8192), "16000 x 8 pixels is more than the 8192 x 8192 the graphics driver takes"},
        {checkImageFile(path("lying.png"), 65536), "its header claims 60000 x 60000 pixels, more than a file of"},
        {checkImageFile(path("damaged.png"), 64), "its IHDR chunk at byte 8 has a wrong checksum"},
        {checkImageFile(path("cut.png"), 64), "bytes, more than the file holds"},
        {checkImageFile(path("fifo.png"), 64), "it is a named pipe (FIFO), not a regular file"},
        {checkImageFile(path("text.png"), 64), "it is not a PNG picture"},
        {checkImageFile(path("tga.png"), 64), "it is not a PNG picture"},
        {checkImageFile(path("short.png"), 64), "its IDAT chunk at byte 33 has a wrong checksum"},
        {checkImageFile(path("short-signed.png"), 64), "its compressed pixels are damaged"},
        {checkImageFile(path("missing.png"), 64), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        if (c.expected.empty())
            EXPECT_EQ(c.problem, "");
        else
            EXPECT_NE(c.problem.find(c.expected), std::string::npos) << c.problem;
    }
    // Left out means empty, even where the library would read the file: no
    // sound, no picture, and no time spent on them.
    EXPECT_EQ(loadSoundBuffer(path("lying.wav")).getSampleCount(), 0u);
    EXPECT_EQ(loadSoundBuffer(path("empties.wav")).getSampleCount(), 0u);
    EXPECT_EQ(loadTexture(path("lying.png")).getSize(), sf::Vector2u(0, 0));
    EXPECT_EQ(loadTexture(path("damaged.png")).getSize(), sf::Vector2u(0, 0));
    fs::remove_all(folder);
}
