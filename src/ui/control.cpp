#include "ui/control.h"

#include "app/assets.h"
#include "ui/build_tool.h"

#include <cmath>

BuildTool currentTool = BuildTool::None;

bool containsPoint(const sf::FloatRect& rect, int x, int y)
{
    return rect.contains(static_cast<float>(x), static_cast<float>(y));
}

void Control::onClick(int, int)
{
    currentTool = BuildTool::None;
}

Button::Button(float x, float y, float width, float height)
{
    bounds = sf::FloatRect(x, y, width, height);
    background.setSize({width, height});
    background.setFillColor(sf::Color(200, 200, 200, 255));
    background.setPosition(x, y);
    label.setFont(font);
    label.setCharacterSize(14);
    label.setFillColor(sf::Color(0, 0, 0, 255));
}

void Button::setLabel(std::wstring caption)
{
    label.setString(sf::String(caption));
    const sf::FloatRect area = background.getLocalBounds();
    const sf::FloatRect text = label.getGlobalBounds();
    const float dx = std::round((area.width - text.width) * 0.5f);
    const float dy = std::round((area.height - text.height) * 0.5f) - 3;
    label.setPosition(background.getPosition() + sf::Vector2f(dx, dy));
}

int Button::draw(sf::RenderTarget& target)
{
    target.draw(background);
    target.draw(label);
    target.draw(icon);
    return 0;
}

void Button::onClick(int x, int y)
{
    if (containsPoint(bounds, x, y))
        click();
}

void Button::click()
{
    clicked = true;
    if (callback)
        callback();
}

Panel::Panel(float x, float y, float width, float height, std::int32_t panelTag)
{
    bounds = sf::FloatRect(x, y, width, height);
    tag = panelTag;
    background.setPosition(x, y);
    background.setSize({width, height});
    background.setFillColor(sf::Color(255, 255, 255, 255));
}

int Panel::draw(sf::RenderTarget& target)
{
    target.draw(background);
    for (Control* child : children)
        child->draw(target);
    return 0;
}

void Panel::onClick(int x, int y)
{
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        if (containsPoint((*child)->bounds, x, y)) {
            (*child)->onClick(x, y);
            return;
        }
    }
}
