#include "ui/board_atlas.h"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>

namespace {

// Transparent space between pictures, so that sampling at a picture's edge
// never picks up its neighbour.
constexpr unsigned gap = 2;
constexpr unsigned whiteSize = 4;

} // namespace

BoardAtlas::BoardAtlas(std::initializer_list<const sf::Texture*> pictures)
{
    std::vector<std::pair<const sf::Texture*, sf::Image>> images;
    unsigned width = gap, height = whiteSize + 2 * gap;
    for (const sf::Texture* picture : pictures) {
        const sf::Vector2u size = picture->getSize();
        if (size.x == 0 || size.y == 0)
            continue;
        images.emplace_back(picture, picture->copyToImage());
        width += size.x + gap;
        height = std::max(height, size.y + 2 * gap);
    }
    width += whiteSize + gap;

    sf::Image sheet;
    sheet.create(width, height, sf::Color::Transparent);
    unsigned x = gap;
    for (const auto& [picture, image] : images) {
        sheet.copy(image, x, gap);
        places_.emplace_back(picture, sf::Vector2f(static_cast<float>(x), static_cast<float>(gap)));
        x += image.getSize().x + gap;
    }
    for (unsigned dx = 0; dx < whiteSize; ++dx) {
        for (unsigned dy = 0; dy < whiteSize; ++dy)
            sheet.setPixel(x + dx, gap + dy, sf::Color::White);
    }
    white_ = {static_cast<float>(x + whiteSize / 2), static_cast<float>(gap + whiteSize / 2)};
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
