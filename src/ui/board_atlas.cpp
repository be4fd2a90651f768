#include "ui/board_atlas.h"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>

namespace {

// Transparent space between pictures, so that sampling at a picture's edge
// never picks up its neighbour.
constexpr unsigned gap = 2;
constexpr unsigned whiteSize = 4;
// Rows of pictures are kept this narrow (the board's pictures take about 900
// pixels side by side), or narrower if the driver's largest texture is.
constexpr unsigned rowWidth = 1024;

} // namespace

BoardAtlas::BoardAtlas(std::initializer_list<const sf::Texture*> pictures, unsigned maxSide)
{
    const unsigned width = std::min(rowWidth, maxSide);
    // The white patch comes first, so it is always there.
    unsigned x = gap + whiteSize + gap, y = gap, rowHeight = whiteSize;
    std::vector<std::pair<const sf::Texture*, sf::Vector2u>> placed;
    for (const sf::Texture* picture : pictures) {
        const sf::Vector2u size = picture->getSize();
        if (size.x == 0 || size.y == 0 || size.x + 2 * gap > width)
            continue;
        // A new row begins only for a picture that fits into it.
        const bool newRow = x + size.x + gap > width;
        const unsigned top = newRow ? y + rowHeight + gap : y;
        if (top + size.y + gap > maxSide)
            continue;
        if (newRow) {
            y = top;
            x = gap;
            rowHeight = 0;
        }
        placed.emplace_back(picture, sf::Vector2u(x, y));
        x += size.x + gap;
        rowHeight = std::max(rowHeight, size.y);
    }

    sf::Image sheet;
    sheet.create(width, y + rowHeight + gap, sf::Color::Transparent);
    for (unsigned dx = 0; dx < whiteSize; ++dx) {
        for (unsigned dy = 0; dy < whiteSize; ++dy)
            sheet.setPixel(gap + dx, gap + dy, sf::Color::White);
    }
    white_ = {static_cast<float>(gap + whiteSize / 2), static_cast<float>(gap + whiteSize / 2)};
    for (const auto& [picture, at] : placed) {
        sheet.copy(picture->copyToImage(), at.x, at.y);
        places_.emplace_back(picture, sf::Vector2f(static_cast<float>(at.x), static_cast<float>(at.y)));
    }
    atlas_.loadFromImage(sheet);
}

const sf::Vector2f* BoardAtlas::place(const sf::Texture* picture) const
{
    for (const auto& [known, where] : places_) {
        if (known == picture)
            return &where;
    }
    return nullptr;
}
