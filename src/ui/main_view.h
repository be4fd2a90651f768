#pragma once
// The board view: every frame it draws the whole board from the terrain and
// the World's lists (ground, ponds, wolves, raised ground and platforms,
// towers, bullets, stones, their bars, a preview of the building under the
// pointer and the lost or won picture), and it turns a click on the board
// into one building operation chosen by the current tool.

#include "ui/control.h"

#include <SFML/System/Vector2.hpp>

class MainView : public Control
{
public:
    MainView();

    // Draws with the pointer where the mouse is over the game window.
    int draw(sf::RenderTarget& target) override;
    // Draws with the pointer at a given window position.
    void drawWithPointer(sf::RenderTarget& target, sf::Vector2i pointer);
    void onClick(int x, int y) override;

    // The cell a window position falls on for the current tool: towers are
    // hit on their raised top, platforms and ponds on their ground tile.
    sf::Vector2i cellAt(int x, int y, bool groundTile) const;

    sf::Texture homeTexture;
    sf::Texture gameOverTexture;
    sf::Texture gameWinTexture;
    std::int32_t cellSize = 50;
    float barLength = 40.0f;
    float barThickness = 5.0f;

private:
    void drawGround(sf::RenderTarget& target) const;
    void drawPonds(sf::RenderTarget& target) const;
    void drawWolves(sf::RenderTarget& target) const;
    void drawRaised(sf::RenderTarget& target) const;
    void drawTowers(sf::RenderTarget& target) const;
    void drawShots(sf::RenderTarget& target) const;
    void drawGhost(sf::RenderTarget& target, sf::Vector2i pointer) const;
    void drawOverlay(sf::RenderTarget& target) const;
};
