#pragma once
// One texture holding every small picture the board draws (terrain, platform,
// pond, home, towers, wolf sheets) and a white patch for bars and shots. With
// it the board's sprites, bars and shots share a texture and go out in a few
// draw calls instead of one or more per object; what is drawn, and in which
// order, stays the same.

#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>

#include <initializer_list>
#include <utility>
#include <vector>

class BoardAtlas
{
public:
    // Copies the pictures in rows. Empty ones (files that failed to load)
    // are left out and keep drawing nothing; so is a picture that would make
    // the atlas larger than maxSide, the largest texture the driver takes:
    // it is drawn from its own texture instead.
    explicit BoardAtlas(std::initializer_list<const sf::Texture*> pictures,
                        unsigned maxSide = sf::Texture::getMaximumSize());

    const sf::Texture& texture() const { return atlas_; }
    // Where a picture's top left corner lies in the atlas, or nullptr when
    // the picture is not in it.
    const sf::Vector2f* place(const sf::Texture* picture) const;
    // A texel in the middle of the white patch.
    sf::Vector2f white() const { return white_; }

private:
    sf::Texture atlas_;
    std::vector<std::pair<const sf::Texture*, sf::Vector2f>> places_;
    sf::Vector2f white_;
};
