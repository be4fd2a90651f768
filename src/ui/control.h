#pragma once
// A small retained widget framework: controls occupy a rectangle of the
// window, draw themselves and take left-button releases. A panel hands a
// click to its topmost child under the pointer.

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cstdint>
#include <list>
#include <string>

class Control
{
public:
    virtual ~Control() = default;
    virtual int draw(sf::RenderTarget& target) = 0;
    // A click at a window position; by default it clears the building tool.
    virtual void onClick(int x, int y);

    sf::FloatRect bounds;
    std::int32_t tag = 0;
};

class Button : public Control
{
public:
    Button(float x, float y, float width, float height);

    // Sets the caption and centres it on the background, 3 pixels high.
    void setLabel(std::wstring caption);
    int draw(sf::RenderTarget& target) override;
    void onClick(int x, int y) override; // clicks when the point is inside
    virtual void click();                // marks clicked and runs the callback

    bool clicked = false;
    void (*callback)() = nullptr;
    sf::RectangleShape background;
    sf::Texture normalTexture;
    sf::Texture selectedTexture;
    sf::Sprite icon;
    sf::Text label;
};

class Panel : public Control
{
public:
    Panel(float x, float y, float width, float height, std::int32_t tag);

    int draw(sf::RenderTarget& target) override;
    void onClick(int x, int y) override;

    std::list<Control*> children; // not owned; drawn first to last
    sf::RectangleShape background;
};

// Left and top edges inside, right and bottom edges outside.
bool containsPoint(const sf::FloatRect& rect, int x, int y);

// The root of the level screen: board view, building panel, and the open
// question while there is one.
extern Panel rootPanel;
