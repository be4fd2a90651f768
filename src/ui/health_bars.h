#pragma once
// The board's 40 x 5 horizontal bars (a wolf's or a tower's health) drawn
// with as few triangles as give the same pixels. A bar is a frame, a black
// ring one pixel wide around the bar, and a fill from the left; drawn as
// rectangles that is five of them, ten triangles. Here:
// - where every edge of the bar lies well away from the pixel centres, the
//   ring (filled, when the fill is whole and of a known colour) is one picture
//   in the board's atlas, drawn texel for pixel: each pixel falls on the same
//   side of every edge whichever way it is drawn;
// - otherwise a whole fill inside a black box when the box's edges are
//   exactly the ring's;
// - otherwise the five rectangles.

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>

class DrawBatch;

class HealthBars
{
public:
    static constexpr float length = 40.f, thickness = 5.f;

    HealthBars();
    // The pictures of the ring around a bar: filled green, blue or red, and
    // empty. The atlas the bars are drawn with must hold them.
    const sf::Texture& pictures() const { return pictures_; }

    // A bar whose fill's top left corner is at the position.
    void draw(DrawBatch& batch, sf::Vector2f position, float fraction, const sf::Color& colour) const;

private:
    sf::Texture pictures_;
};

// The bar drawn as rectangles: a black one-pixel ring outside the bar's
// rectangle, then the fill of the given fraction (not clamped, so a negative
// fraction draws leftwards).
void drawBarRectangles(DrawBatch& batch, sf::Vector2f position, sf::Vector2f size, float fraction,
                       const sf::Color& colour);
