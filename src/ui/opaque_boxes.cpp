#include "ui/opaque_boxes.h"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>

namespace {

sf::IntRect boxOf(const sf::Image& image, int left, int top)
{
    const int side = OpaqueBoxes::cellSide;
    int minX = side, minY = side, maxX = -1, maxY = -1;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (image.getPixel(static_cast<unsigned>(left + x), static_cast<unsigned>(top + y)).a == 0)
                continue;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
    }
    if (maxX < 0)
        return {0, 0, 0, 0};
    minX = std::max(minX - 1, 0);
    minY = std::max(minY - 1, 0);
    maxX = std::min(maxX + 1, side - 1);
    maxY = std::min(maxY + 1, side - 1);
    return {minX, minY, maxX - minX + 1, maxY - minY + 1};
}

} // namespace

OpaqueBoxes::OpaqueBoxes(std::initializer_list<const sf::Texture*> sheets)
{
    for (const sf::Texture* texture : sheets) {
        const sf::Vector2u size = texture->getSize();
        Sheet sheet{texture, static_cast<int>(size.x) / cellSide, static_cast<int>(size.y) / cellSide, {}};
        if (sheet.columns == 0 || sheet.rows == 0)
            continue;
        const sf::Image image = texture->copyToImage();
        for (int row = 0; row < sheet.rows; ++row) {
            for (int column = 0; column < sheet.columns; ++column)
                sheet.boxes.push_back(boxOf(image, column * cellSide, row * cellSide));
        }
        sheets_.push_back(std::move(sheet));
    }
}

const sf::IntRect* OpaqueBoxes::box(const sf::Texture& texture, const sf::IntRect& frame) const
{
    if (frame.width != cellSide || frame.height != cellSide || frame.left % cellSide || frame.top % cellSide)
        return nullptr;
    for (const Sheet& sheet : sheets_) {
        if (sheet.texture != &texture)
            continue;
        const int column = frame.left / cellSide, row = frame.top / cellSide;
        if (column < 0 || row < 0 || column >= sheet.columns || row >= sheet.rows)
            return nullptr;
        return &sheet.boxes[static_cast<std::size_t>(row * sheet.columns + column)];
    }
    return nullptr;
}
