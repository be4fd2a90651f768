#pragma once
// The board view: every frame it draws the whole board from the terrain and
// the World's lists (ground, ponds, wolves, raised ground and platforms,
// towers, bullets, stones, their bars, a preview of the building under the
// pointer and the lost or won picture), and it turns a click on the board
// into one building operation chosen by the current tool.

#include "ui/board_atlas.h"
#include "ui/control.h"
#include "ui/health_bars.h"
#include "ui/opaque_boxes.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <SFML/System/Vector2.hpp>

#include <vector>

class DrawBatch;

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
    HealthBars bars;  // before the atlas, which holds their pictures
    BoardAtlas atlas; // the board's pictures in one texture, made once per level
    OpaqueBoxes wolfFrames; // what each frame of the wolf sheets draws

private:
    // The passes, in drawing order; each adds to one batch of draw calls.
    void drawGround(DrawBatch& batch) const;
    void drawPonds(DrawBatch& batch) const;
    void drawWolves(DrawBatch& batch) const;
    void drawRaised(DrawBatch& batch) const;
    void drawTowers(DrawBatch& batch) const;
    void drawShots(DrawBatch& batch) const;
    void drawGhost(DrawBatch& batch, sf::Vector2i pointer) const;
    void drawOverlay(DrawBatch& batch) const;
    // The first pixel row from which the high ground drawn later covers an
    // upright sprite's quad, or a number below no sprite.
    float coveredFrom(const sf::FloatRect& sprite) const;
    // A tower's horizontal bar of barLength x barThickness.
    void drawHorizontalBar(DrawBatch& batch, sf::Vector2f at, float fraction, const sf::Color& colour) const;

    // Whether the terrain pictures have no see-through texel where they are
    // drawn: then they need no blending, and the strip along the top, drawn
    // over itself once per cell of its column, shows the same when drawn once.
    bool opaqueLowGround_ = false;
    bool opaqueHighGround_ = false;
    std::vector<sf::Vertex> vertices_; // the draw batch's buffer, kept from frame to frame
};
