#include "ui/main_view.h"

#include "app/assets.h"
#include "app/run.h"
#include "towers/bullet.h"
#include "towers/platform.h"
#include "towers/tower.h"
#include "ui/build_tool.h"
#include "ui/draw_batch.h"
#include "wolves/stone.h"
#include "wolves/wolf.h"
#include "world/level_map.h"
#include "world/world.h"

#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <cmath>

namespace {

const sf::Color green(0, 255, 0, 255);
const sf::Color blue(0, 0, 255, 255);
const sf::Color red(255, 0, 0, 255);
const sf::Color magenta(255, 0, 255, 255);
const sf::Color ghostTint(255, 255, 255, 100);
const sf::Color overlayTint(255, 255, 255, 180);

// A vertical bar is a frame with a black outline around a fill from the
// bottom; fractions are not clamped.
void drawVerticalBar(DrawBatch& batch, float x, float y, float fraction, const sf::Color& colour)
{
    batch.outline({x, y}, {5, 40}, sf::Color(0, 0, 0, 255));
    batch.rectangle({x, y + 40 * (1 - fraction)}, {5, 40 * fraction}, colour);
}

bool isTowerTool(BuildTool tool)
{
    return tool == BuildTool::ArrowTower || tool == BuildTool::IceTower || tool == BuildTool::SkunkTower ||
           tool == BuildTool::SlapTower;
}

int towerType(BuildTool tool)
{
    switch (tool) {
    case BuildTool::IceTower: return 1;
    case BuildTool::SkunkTower: return 2;
    case BuildTool::SlapTower: return 3;
    default: return 0;
    }
}

bool opaque(const sf::Texture& texture, const sf::IntRect& part)
{
    const sf::Image image = texture.copyToImage();
    if (part.width <= 0 || part.height <= 0 || image.getSize().x < static_cast<unsigned>(part.left + part.width) ||
        image.getSize().y < static_cast<unsigned>(part.top + part.height))
        return false;
    for (int y = part.top; y < part.top + part.height; ++y) {
        for (int x = part.left; x < part.left + part.width; ++x) {
            if (image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)).a != 255)
                return false;
        }
    }
    return true;
}

const sf::Texture& towerToolTexture(BuildTool tool)
{
    switch (tool) {
    case BuildTool::IceTower: return iceTowerTexture;
    case BuildTool::SkunkTower: return skunkTowerTexture;
    case BuildTool::SlapTower: return slapTowerTexture;
    default: return towerTexture;
    }
}

} // namespace

MainView::MainView()
    : homeTexture(loadTexture("image/home.png")),
      gameOverTexture(loadTexture("image/gameover.png")),
      gameWinTexture(loadTexture("image/gamewin.png")),
      atlas({&levelMap.lowGroundTexture, &levelMap.highGroundTexture, &homeTexture, &pondTexture,
             &platformTexture, &towerTexture, &iceTowerTexture, &skunkTowerTexture, &slapTowerTexture,
             &regularWolfTexture, &babyWolfTexture, &throwingWolfTexture, &suicidalWolfTexture,
             &hackingWolfTexture, &catapultWolfTexture,
             &bars.pictures()}), // last: the other pictures keep their places, and their texels
      wolfFrames({&regularWolfTexture, &babyWolfTexture, &throwingWolfTexture, &suicidalWolfTexture,
                  &hackingWolfTexture, &catapultWolfTexture})
{
    bounds = sf::FloatRect(0, 0, 800, 474);
    tag = 1;
    const sf::Vector2u high = levelMap.highGroundTexture.getSize();
    opaqueLowGround_ = opaque(levelMap.lowGroundTexture, {1, 1, cellSize - 2, cellSize - 2});
    opaqueHighGround_ = opaque(levelMap.highGroundTexture, {0, 0, static_cast<int>(high.x), static_cast<int>(high.y)});
}

int MainView::draw(sf::RenderTarget& target)
{
    drawWithPointer(target, viewPoint(sf::Mouse::getPosition(window)));
    return 0;
}

void MainView::drawWithPointer(sf::RenderTarget& target, sf::Vector2i pointer)
{
    DrawBatch batch(target, &atlas, &wolfFrames, vertices_);
    drawGround(batch);
    drawPonds(batch);
    drawWolves(batch);
    drawRaised(batch);
    drawTowers(batch);
    drawShots(batch);
    drawGhost(batch, pointer);
    drawOverlay(batch);
}

void MainView::drawGround(DrawBatch& batch) const
{
    const float k = static_cast<float>(cellSize);
    // The strip along the top never meets a ground tile, so all of it is
    // drawn before the tiles; each is drawn once per cell of its column,
    // which shows the same as once when the picture is opaque.
    if (opaqueHighGround_)
        batch.setBlendMode(sf::BlendNone);
    const int stripDraws = opaqueHighGround_ ? 1 : levelMap.rows;
    for (int i = 0; i < levelMap.columns; ++i) {
        for (int n = 0; n < stripDraws; ++n)
            batch.sprite(levelMap.highGroundTexture, {k * i + 1, 1 - k});
    }
    batch.setBlendMode(opaqueLowGround_ ? sf::BlendNone : sf::BlendAlpha);
    const sf::IntRect tile(1, 1, cellSize - 2, cellSize - 2);
    for (int i = 0; i < levelMap.columns; ++i) {
        for (int n = levelMap.rows - 1; n >= 0; --n) {
            const std::int32_t terrain = levelMap.cells[i + 2][n + 1].terrain;
            if (terrain == LowGround || terrain == Home)
                batch.sprite(levelMap.lowGroundTexture, tile, {k * i + 1, 8 * k + 1 - k * n + 24});
        }
    }
    batch.setBlendMode(sf::BlendAlpha);
    // A home covers its own tile and the gap around it, never a neighbour.
    for (int i = 0; i < levelMap.columns; ++i) {
        for (int n = levelMap.rows - 1; n >= 0; --n) {
            if (levelMap.cells[i + 2][n + 1].terrain == Home)
                batch.sprite(homeTexture, {k * i, k * (8 - n) + 24}, k * 0.03125f);
        }
    }
}

void MainView::drawPonds(DrawBatch& batch) const
{
    const float k = static_cast<float>(cellSize);
    for (const Pond* pond : ponds) {
        const float x = static_cast<float>(pond->x), y = static_cast<float>(pond->y);
        batch.sprite(pondTexture, {k * (x - 1.5f) - 22, 378 - k * (y - 1.5f) + 24}, 1.375f);
        if (pond->state == PondState::Filling)
            drawVerticalBar(batch, k * (x - 1.5f) + 15, 405 - k * (y - 1) + 24, 1 - pond->timer, magenta);
        else if (pond->state == PondState::Full)
            drawVerticalBar(batch, k * (x - 1.5f) - 20, 405 - k * (y - 1) + 24, pond->timer / 20, green);
    }
}

void MainView::drawWolves(DrawBatch& batch) const
{
    const float k = static_cast<float>(cellSize);
    for (Wolf* wolf : wolves) {
        const sf::Vector2f at = wolf->position();
        if (wolf->state != WolfState::Dying && wolf->state != WolfState::Dead) {
            const float r = wolf->radius();
            wolf->sprite.setPosition(k * (at.x - 1.5f) - r, 425 - r - k * (at.y - 1) + 24);
            batch.animated(wolf->sprite, coveredFrom(batch.animatedBounds(wolf->sprite)));
            const sf::Color& colour = wolf->state == WolfState::Stunned ? red : wolf->slowed ? blue : green;
            const float fraction = static_cast<float>(wolf->health) / static_cast<float>(wolf->maxHealth);
            bars.draw(batch, {k * (at.x - 1.5f) - 20, 405 - k * (at.y - 1) + 24}, fraction, colour);
        } else {
            // Lies on its side in the box it stood in.
            wolf->sprite.setPosition(k * (at.x - 1.5f) - 16, 409 - k * (at.y - 1) + 24);
            wolf->sprite.setRotation(90);
            wolf->sprite.move(32, 0);
            batch.animated(wolf->sprite);
        }
    }
}

float MainView::coveredFrom(const sf::FloatRect& sprite) const
{
    // The raised pass draws opaque high ground over every wolf: a sprite
    // standing within one column of blocks need not draw what they will cover.
    // Blocks of one column touch or overlap from row to row; their left and
    // right edges and their tops are whole pixels.
    const float none = 1e9f;
    const float k = static_cast<float>(cellSize);
    if (!opaqueHighGround_ || sprite.width <= 0)
        return none;
    const int i = static_cast<int>(std::floor((sprite.left - 1) / k));
    const sf::Vector2u block = levelMap.highGroundTexture.getSize();
    if (i < 0 || i >= levelMap.columns || sprite.left < k * i + 1 ||
        sprite.left + sprite.width > k * i + 1 + static_cast<float>(block.x))
        return none;
    const float bottom = sprite.top + sprite.height;
    float start = none, end = -none; // the run of blocks being joined
    for (int n = levelMap.rows - 1; n >= 0; --n) { // from the top of the screen down
        if (levelMap.cells[i + 2][n + 1].terrain != HighGround)
            continue;
        const float top = 8 * k + 1 - k * n, low = top + static_cast<float>(block.y);
        if (top <= end) {
            end = std::max(end, low);
            continue;
        }
        if (start < bottom && bottom <= end)
            return start;
        start = top;
        end = low;
    }
    return start < bottom && bottom <= end ? start : none;
}

void MainView::drawRaised(DrawBatch& batch) const
{
    const float k = static_cast<float>(cellSize);
    for (int i = 0; i < levelMap.columns; ++i) {
        for (int n = levelMap.rows - 1; n >= 0; --n) {
            const MapCell& cell = levelMap.cells[i + 2][n + 1];
            if (cell.terrain == HighGround) {
                batch.sprite(levelMap.highGroundTexture, {k * i + 1, 8 * k + 1 - k * n});
            } else if (cell.terrain == LowGround && cell.platform) {
                const Platform& platform = *cell.platform;
                const float x = static_cast<float>(platform.x), y = static_cast<float>(platform.y);
                batch.sprite(platformTexture, {k * (x - 1.5f) - 24, 376 - k * (y - 1.5f)}, 1.5f);
                if (platform.state == PlatformState::Building)
                    drawVerticalBar(batch, k * (x - 1.5f) + 15, 405 - k * (y - 1), 1 - platform.timer * 0.5f,
                                    magenta);
                drawVerticalBar(batch, k * (x - 1.5f) - 20, 405 - k * (y - 1),
                                static_cast<float>(platform.health) / 100, green);
            }
        }
    }
}

void MainView::drawTowers(DrawBatch& batch) const
{
    const float k = static_cast<float>(cellSize);
    for (const Tower* tower : towers) {
        const float x = static_cast<float>(tower->x), y = static_cast<float>(tower->y);
        batch.sprite(tower->texture(), {k * (x - 1.5f) - 16, 384 - k * (y - 1.5f)});
        if (tower->state == TowerState::Building)
            drawHorizontalBar(batch, {k * (x - 1.5f) - barLength * 0.5f, 440 - k * (y - 1)}, 1 - tower->timer,
                              magenta);
        drawHorizontalBar(batch, {k * (x - 1.5f) - 20, 405 - k * (y - 1)}, static_cast<float>(tower->health) / 100,
                          green);
    }
}

void MainView::drawHorizontalBar(DrawBatch& batch, sf::Vector2f at, float fraction, const sf::Color& colour) const
{
    if (barLength == HealthBars::length && barThickness == HealthBars::thickness)
        bars.draw(batch, at, fraction, colour);
    else
        drawBarRectangles(batch, at, {barLength, barThickness}, fraction, colour);
}

void MainView::drawShots(DrawBatch& batch) const
{
    const float k = static_cast<float>(cellSize);
    for (const Bullet* bullet : bullets)
        batch.circle({k * (bullet->x - 1.5f) - 2, 423 - k * (bullet->y - 1) + 24}, 2, blue);
    for (const Stone* stone : stones)
        batch.circle({k * (stone->x - 1.5f) - 2, 423 - k * (stone->y - 1) - stone->z * 0.5f + 24}, 2, red);
}

void MainView::drawGhost(DrawBatch& batch, sf::Vector2i pointer) const
{
    if (!containsPoint(bounds, pointer.x, pointer.y))
        return;
    const float k = static_cast<float>(cellSize);
    const bool groundTile = currentTool == BuildTool::Platform || currentTool == BuildTool::Flood;
    const sf::Vector2i at = cellAt(pointer.x, pointer.y, groundTile);
    const MapCell& cell = levelMap.cells[at.x][at.y];
    const float x = static_cast<float>(at.x), y = static_cast<float>(at.y);

    if (isTowerTool(currentTool)) {
        const bool freePlatform =
            cell.platform && !cell.platform->tower && cell.platform->state != PlatformState::Destroyed;
        if (cell.terrain == HighGround || (cell.terrain == LowGround && freePlatform))
            batch.sprite(towerToolTexture(currentTool), {k * (x - 1.5f) - 16, 384 - k * (y - 1.5f)}, 1.f,
                         ghostTint);
    } else if (cell.terrain == LowGround && !cell.platform) {
        if (currentTool == BuildTool::Platform)
            batch.sprite(platformTexture, {k * (x - 1.5f) - 24, 376 - k * (y - 1.5f)}, 1.5f, ghostTint);
        else if (currentTool == BuildTool::Flood)
            batch.sprite(pondTexture, {k * (x - 1.5f) - 22, 378 - k * (y - 1.5f) + 24}, 1.375f, ghostTint);
    }
}

void MainView::drawOverlay(DrawBatch& batch) const
{
    if (levelLost == 1)
        batch.sprite(gameOverTexture, {0, -100}, 1.f, overlayTint);
    if (levelWon == 1)
        batch.sprite(gameWinTexture, {0, 0}, 1.f, overlayTint);
}

sf::Vector2i MainView::cellAt(int x, int y, bool groundTile) const
{
    const int shifted = groundTile ? y - 24 : y;
    const int column = static_cast<int>(std::round(static_cast<float>(x / cellSize) + 1.5f));
    const int row = 10 - static_cast<int>(std::round(static_cast<float>(shifted / cellSize) + 0.5f));
    return {std::clamp(column, 2, 17), std::clamp(row, 1, 9)};
}

void MainView::onClick(int x, int y)
{
    if (!containsPoint(bounds, x, y))
        return;
    const BuildTool tool = currentTool;
    if (tool < BuildTool::Platform || tool > BuildTool::RemoveBuilding)
        return;

    const bool groundTile = tool == BuildTool::Platform || tool == BuildTool::Flood;
    const sf::Vector2i at = cellAt(x, y, groundTile);
    if (tool == BuildTool::Platform) {
        if (canPlacePlatform(at.x, at.y))
            placePlatform(at.x, at.y);
    } else if (tool == BuildTool::Flood) {
        if (canDigPond(at.x, at.y))
            digPond(at.x, at.y);
    } else if (isTowerTool(tool)) {
        if (canPlaceTower(at.x, at.y))
            placeTower(towerType(tool), at.x, at.y);
    } else if (!demolishTower(at.x, at.y)) {
        // Platforms and ponds are hit on their ground tile, 24 pixels lower.
        const float fromTop = (static_cast<float>(y) - 24) / static_cast<float>(cellSize) + 0.5f;
        const int row = std::clamp(10 - static_cast<int>(std::round(fromTop)), 1, 9);
        demolishPlatformOrPond(at.x, row);
    }
    currentTool = BuildTool::None;
}
