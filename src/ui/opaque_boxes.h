#pragma once
// The part of each frame of a sprite sheet that draws anything: the box
// around the texels that are not fully transparent, widened by one texel on
// each side that has one to spare. Transparent texels leave the pixels under
// them as they were, so a quad cut to the box draws the same picture; the
// spare texel keeps the box's edge on see-through texels, where a pixel that
// falls either side of the edge draws nothing either way.

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <initializer_list>
#include <vector>

class OpaqueBoxes
{
public:
    // Frames are the sheets' cells of 32 x 32 texels.
    static constexpr int cellSide = 32;

    explicit OpaqueBoxes(std::initializer_list<const sf::Texture*> sheets);

    // The box of a frame, relative to the frame's top left corner (empty when
    // the whole frame is transparent); null for a sheet not given or a
    // rectangle that is not one of its cells.
    const sf::IntRect* box(const sf::Texture& sheet, const sf::IntRect& frame) const;

private:
    struct Sheet
    {
        const sf::Texture* texture;
        int columns, rows;
        std::vector<sf::IntRect> boxes; // row by row
    };
    std::vector<Sheet> sheets_;
};
