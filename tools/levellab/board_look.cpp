// Tells what stands on cells of the board in a picture of the game's window,
// for scripts/realplay, which puts kept buildings back as a person watching
// the board does. It compares the window's pixels with the game's own
// pictures where the game draws them (as src/ui/main_view.cpp places them),
// on parts of each cell that nothing else is drawn over: health and build
// bars, the tower on a platform and the row below are left out, and wolves
// walk under platforms, towers and stone. A picture drawn at 1.5 or 1.375
// times may show either texel where a pixel centre falls on their border.
//
//   board_look PICTURE COLUMN ROW [COLUMN ROW...]
//
// Runs in the game's runtime folder (it reads image/*.png). Prints one line
// a cell, "COLUMN ROW GROUND", GROUND being "platform", "stone", "pond" or
// "open" (grass, or anything else), with " tower" after it when a tower (any
// of the four) stands there; "COLUMN ROW veiled" for every cell while the
// banner of a won or lost level covers the board's top left corner.
// Refuses a picture that is not the 800 x 600 window, with one line and
// status 1.

#include "arguments.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Err.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Texture
{
    sf::Image image;
    float scale = 1;
};

// A part of the board compared with a picture: the picture's top left corner
// in the window, and the rectangles of its drawn size that are compared.
struct Part
{
    int left, top;
    std::vector<sf::IntRect> looked;
};

// Whether the picture drawn at its scale may show colour at the drawn offset
// (dx, dy): 0 when not, 1 when it may, -1 when it is transparent there.
int texelMayShow(const Texture& texture, int dx, int dy, sf::Color colour)
{
    const auto texels = [&](int d, unsigned size) {
        const float at = (static_cast<float>(d) + 0.5f) / texture.scale;
        std::vector<unsigned> candidates;
        for (const float nudge : {-0.01f, 0.01f}) {
            const float t = std::floor(at + nudge);
            if (t >= 0 && t < static_cast<float>(size))
                candidates.push_back(static_cast<unsigned>(t));
        }
        return candidates;
    };
    const sf::Vector2u size = texture.image.getSize();
    int shows = -1;
    for (const unsigned x : texels(dx, size.x)) {
        for (const unsigned y : texels(dy, size.y)) {
            const sf::Color texel = texture.image.getPixel(x, y);
            if (texel.a != 255)
                continue;
            if (texel == colour)
                return 1;
            shows = 0;
        }
    }
    return shows;
}

// The share of a part's pixels that show one of the pictures, among those
// where one of them is opaque.
float shareShowing(const sf::Image& window, const Part& part, const std::vector<const Texture*>& pictures)
{
    int looked = 0, shown = 0;
    for (const sf::IntRect& r : part.looked) {
        for (int y = r.top; y < r.top + r.height; ++y) {
            for (int x = r.left; x < r.left + r.width; ++x) {
                const int wx = part.left + x, wy = part.top + y;
                if (wx < 0 || wy < 0 || wx >= 800 || wy >= 600)
                    continue;
                const sf::Color colour = window.getPixel(static_cast<unsigned>(wx), static_cast<unsigned>(wy));
                int best = -1;
                for (const Texture* picture : pictures)
                    best = std::max(best, texelMayShow(*picture, x, y, colour));
                looked += best >= 0;
                shown += best == 1;
            }
        }
    }
    return looked > 0 ? static_cast<float>(shown) / static_cast<float>(looked) : 0.f;
}

// The texels where all four towers show the same opaque colour (their brick
// body), between the rows of the tower's health bar and its build bar.
Texture towerBody(const std::vector<sf::Image>& towers)
{
    Texture body{towers[0], 1};
    const sf::Vector2u size = body.image.getSize();
    for (unsigned y = 0; y < size.y; ++y) {
        for (unsigned x = 0; x < size.x; ++x) {
            bool same = y >= 12 && y <= 28;
            for (const sf::Image& tower : towers)
                same = same && tower.getSize() == size && tower.getPixel(x, y) == towers[0].getPixel(x, y);
            if (!same || body.image.getPixel(x, y).a != 255)
                body.image.setPixel(x, y, sf::Color::Transparent);
        }
    }
    return body;
}

int refuse(int status, const std::string& why)
{
    std::fprintf(stderr, "board_look: %s\n", why.c_str());
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || argc % 2 != 0)
        return refuse(2, "usage: board_look PICTURE COLUMN ROW [COLUMN ROW...]");
    std::vector<sf::Vector2i> cells;
    for (int i = 2; i < argc; i += 2) {
        const std::optional<float> column = numberWithin(argv[i], 2, 17), row = numberWithin(argv[i + 1], 1, 9);
        if (!column || !row || *column != std::floor(*column) || *row != std::floor(*row))
            return refuse(2, std::string("expected a column (2 to 17) and a row (1 to 9), not '") + argv[i] + " " +
                                 argv[i + 1] + "'");
        cells.push_back({static_cast<int>(*column), static_cast<int>(*row)});
    }
    // The graphics library explains a failed load in lines of its own; this
    // says it in one.
    std::ostringstream quiet;
    std::streambuf* const saved = sf::err().rdbuf(quiet.rdbuf());
    sf::Image window;
    const bool read = window.loadFromFile(argv[1]);
    sf::err().rdbuf(saved);
    if (!read || window.getSize() != sf::Vector2u(800, 600))
        return refuse(1, std::string(argv[1]) + ": not a picture of the 800 x 600 window");
    Texture platform{{}, 1.5f}, stone{{}, 1}, pond{{}, 1.375f};
    std::vector<sf::Image> towers(4);
    const char* towerFiles[] = {"image/tower.png", "image/ice_tower.png", "image/skunk_tower.png",
                                "image/slap_tower.png"};
    bool loaded = platform.image.loadFromFile("image/platform.png") &&
                  stone.image.loadFromFile("image/highground.png") && pond.image.loadFromFile("image/pond.png");
    for (int i = 0; i < 4; ++i)
        loaded = loaded && towers[static_cast<std::size_t>(i)].loadFromFile(towerFiles[i]);
    if (!loaded)
        return refuse(1, "cannot read the game's pictures in image/ (run in the runtime folder)");
    const Texture tower = towerBody(towers);

    // The strip of stone along the top, or row 9's blocks, where the banner
    // of a won or lost level covers the board's top left corner.
    Texture stripAbove{{}, 1}, blockAbove{{}, 1};
    stripAbove.image.create(48, 11);
    stripAbove.image.copy(stone.image, 0, 0, {0, 51, 48, 11}); // the strip's top at y = -49
    blockAbove.image.create(48, 11);
    blockAbove.image.copy(stone.image, 0, 0, {0, 1, 48, 11}); // row 9's blocks at y = 1
    const bool veiled = shareShowing(window, {1, 2, {{0, 0, 40, 11}}}, {&stripAbove, &blockAbove}) < 0.5f;

    for (const sf::Vector2i& cell : cells) {
        const int x = 50 * cell.x, y = 50 * cell.y;
        // Platforms and blocks: their top rows and their two side edges.
        const Part raised{x - 99, 451 - y, {{0, 0, 48, 3}, {0, 3, 3, 47}, {46, 3, 2, 47}}};
        const Part towerPart{x - 91, 459 - y, {{0, 12, 32, 17}}};
        const Part pondPart{x - 97, 477 - y, {{8, 0, 28, 23}}};
        if (veiled) {
            std::printf("%d %d veiled\n", cell.x, cell.y);
            continue;
        }
        const char* ground = shareShowing(window, raised, {&platform}) >= 0.6f ? "platform"
                             : shareShowing(window, raised, {&stone}) >= 0.6f  ? "stone"
                             : shareShowing(window, pondPart, {&pond}) >= 0.4f ? "pond"
                                                                                : "open";
        const bool towerStands = shareShowing(window, towerPart, {&tower}) >= 0.6f;
        std::printf("%d %d %s%s\n", cell.x, cell.y, ground, towerStands ? " tower" : "");
    }
    return std::fflush(stdout) == 0 ? 0 : refuse(1, "cannot write what it saw");
}
