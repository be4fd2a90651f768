#pragma once
// Draws into an off-screen 800 x 600 target and reads pixels back, so tests
// can check colours at positions the screens fix.

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <memory>

class RenderProbe
{
public:
    RenderProbe()
    {
        target.create(800, 600);
        target.clear(sf::Color::Black);
    }
    sf::RenderTexture& canvas() { return target; }
    // Finishes the frame and keeps its pixels.
    void capture()
    {
        target.display();
        image = target.getTexture().copyToImage();
    }
    sf::Color at(int x, int y) const { return image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)); }
    const sf::Image& picture() const { return image; }

private:
    sf::RenderTexture target;
    sf::Image image;
};

// Colours compared with a little slack for blending.
inline bool near(const sf::Color& a, const sf::Color& b, int slack = 3)
{
    auto close = [slack](int x, int y) { return x - y <= slack && y - x <= slack; };
    return close(a.r, b.r) && close(a.g, b.g) && close(a.b, b.b);
}
