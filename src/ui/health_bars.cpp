#include "ui/health_bars.h"

#include "ui/draw_batch.h"

#include <SFML/Graphics/Image.hpp>

#include <cmath>

namespace {

const sf::Color black(0, 0, 0, 255);
const sf::Color fills[3] = {{0, 255, 0, 255}, {0, 0, 255, 255}, {255, 0, 0, 255}};
// The pictures are stacked, narrow enough to sit at the end of the atlas's
// row of pictures: a taller atlas would round every texture coordinate of
// the board a little differently.
constexpr int ringWidth = 42, ringHeight = 7, pitch = ringHeight + 2;
constexpr int emptyRing = 3; // the picture after the three filled ones

// Rasterisers put an edge within 1/512 of a pixel of where it is asked for
// and sample textures within far less; an edge 1/64 of a pixel or more from
// every pixel centre leaves each pixel on the same side either way.
bool clearOfPixelCentres(float edge)
{
    const float fraction = edge - std::floor(edge);
    return std::fabs(fraction - 0.5f) >= 1.f / 64;
}

} // namespace

HealthBars::HealthBars()
{
    sf::Image image;
    image.create(ringWidth, 4 * pitch, sf::Color::Transparent);
    for (int picture = 0; picture < 4; ++picture) {
        for (int y = 0; y < ringHeight; ++y) {
            for (int x = 0; x < ringWidth; ++x) {
                const bool ring = x == 0 || x == ringWidth - 1 || y == 0 || y == ringHeight - 1;
                if (ring || picture != emptyRing)
                    image.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(picture * pitch + y),
                                   ring ? black : fills[picture]);
            }
        }
    }
    pictures_.loadFromImage(image);
}

void HealthBars::draw(DrawBatch& batch, sf::Vector2f at, float fraction, const sf::Color& colour) const
{
    const float x = at.x, y = at.y;
    // The ring's outer edges as the rectangles have them: the top and bottom
    // bands end at (x - 1) + 42, the right band at (x + 40) + 1.
    const bool sameRight = (x - 1) + (length + 2) == (x + length) + 1;
    const bool sameBottom = (y - 1) + (thickness + 2) == (y + thickness) + 1;
    int filled = -1;
    for (int i = 0; i < 3; ++i) {
        if (colour == fills[i])
            filled = i;
    }
    if (sameRight && sameBottom && batch.pixelForUnit() && batch.holds(pictures_) && clearOfPixelCentres(x) &&
        clearOfPixelCentres(y)) {
        const bool whole = fraction == 1.f && filled >= 0;
        const int picture = whole ? filled : emptyRing;
        batch.sprite(pictures_, {0, picture * pitch, ringWidth, ringHeight}, {x - 1, y - 1});
        if (!whole)
            batch.rectangle({x, y}, {length * fraction, thickness}, colour);
        return;
    }
    // A whole fill covers the ring's inside, so the ring may be a black box
    // below it, if the box's edges are exactly those of the ring's bands.
    if (fraction == 1.f && sameRight && sameBottom && (x - 1) + 1 == x && (y - 1) + 1 == y) {
        batch.rectangle({x - 1, y - 1}, {length + 2, thickness + 2}, black);
        batch.rectangle({x, y}, {length, thickness}, colour);
        return;
    }
    drawBarRectangles(batch, at, {length, thickness}, fraction, colour);
}

void drawBarRectangles(DrawBatch& batch, sf::Vector2f position, sf::Vector2f size, float fraction,
                       const sf::Color& colour)
{
    batch.outline(position, size, black);
    batch.rectangle(position, {size.x * fraction, size.y}, colour);
}
