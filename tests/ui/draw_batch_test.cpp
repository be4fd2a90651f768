// Batched drawing must put the same pixels on screen as SFML's own sprites
// and shapes, which the board view used to draw one call at a time.

#include "app/assets.h"
#include "ui/board_atlas.h"
#include "ui/draw_batch.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <gtest/gtest.h>

#include <functional>

namespace {

sf::Image render(const std::function<void(sf::RenderTarget&)>& paint)
{
    sf::RenderTexture canvas;
    canvas.create(200, 150);
    canvas.clear(sf::Color(30, 90, 40));
    paint(canvas);
    canvas.display();
    return canvas.getTexture().copyToImage();
}

int differingPixels(const sf::Image& a, const sf::Image& b)
{
    int differing = 0;
    for (unsigned y = 0; y < a.getSize().y; ++y) {
        for (unsigned x = 0; x < a.getSize().x; ++x)
            differing += a.getPixel(x, y) != b.getPixel(x, y);
    }
    return differing;
}

} // namespace

TEST(DrawBatchTest, BarsMatchOutlinedRectangles)
{
    // A frame with a black outline, then a fill of 0.6 and one of -0.25.
    const sf::Image expected = render([](sf::RenderTarget& target) {
        for (float fraction : {0.6f, -0.25f}) {
            const float y = fraction > 0 ? 20.f : 80.f;
            sf::RectangleShape frame({40, 5});
            frame.setPosition(60, y);
            frame.setFillColor(sf::Color(0, 0, 0, 0));
            frame.setOutlineThickness(1);
            frame.setOutlineColor(sf::Color::Black);
            target.draw(frame);
            sf::RectangleShape fill({40 * fraction, 5});
            fill.setPosition(60, y);
            fill.setFillColor(sf::Color::Green);
            target.draw(fill);
        }
    });
    const sf::Image batched = render([](sf::RenderTarget& target) {
        DrawBatch batch(target);
        for (float fraction : {0.6f, -0.25f}) {
            const float y = fraction > 0 ? 20.f : 80.f;
            batch.outline({60, y}, {40, 5}, sf::Color::Black);
            batch.rectangle({60, y}, {40 * fraction, 5}, sf::Color::Green);
        }
    });
    EXPECT_EQ(differingPixels(expected, batched), 0);
}

TEST(DrawBatchTest, SpritesMatchAtTheGamesScalesAndTints)
{
    const sf::Image expected = render([](sf::RenderTarget& target) {
        sf::Sprite platform(platformTexture);
        platform.setPosition(10, 10);
        platform.setScale(1.5f, 1.5f);
        target.draw(platform);
        sf::Sprite pond(pondTexture);
        pond.setPosition(80, 20);
        pond.setScale(1.375f, 1.375f);
        pond.setColor(sf::Color(255, 255, 255, 100));
        target.draw(pond);
        sf::Sprite frame(regularWolfTexture, {32, 64, 32, 32});
        frame.setPosition(140, 90);
        target.draw(frame);
    });
    const sf::Image batched = render([](sf::RenderTarget& target) {
        DrawBatch batch(target);
        batch.sprite(platformTexture, {10, 10}, 1.5f);
        batch.sprite(pondTexture, {80, 20}, 1.375f, sf::Color(255, 255, 255, 100));
        batch.sprite(regularWolfTexture, {32, 64, 32, 32}, {140, 90});
    });
    EXPECT_EQ(differingPixels(expected, batched), 0);
}

// Triangles reaching the edges go in calls of their own; overlapping
// see-through pictures across the edges and inside must come out as one call.
TEST(DrawBatchTest, CallsSplitAtTheEdgesDrawAsOneCall)
{
    const sf::Vector2f places[] = {{-12, 40}, {20, 30}, {180, -9}, {100, 60}, {185, 140}, {30, 135}, {110, 70}};
    const sf::Color tint(255, 255, 255, 140);
    const sf::Image expected = render([&](sf::RenderTarget& target) {
        sf::VertexArray triangles(sf::Triangles);
        for (sf::Vector2f at : places) {
            const sf::Vertex a(at, tint, {0, 0}), b(at + sf::Vector2f(0, 32), tint, {0, 32}),
                c(at + sf::Vector2f(32, 0), tint, {32, 0}), d(at + sf::Vector2f(32, 32), tint, {32, 32});
            for (const sf::Vertex& vertex : {a, b, c, c, b, d})
                triangles.append(vertex);
        }
        target.draw(triangles, &pondTexture);
    });
    const sf::Image batched = render([&](sf::RenderTarget& target) {
        DrawBatch batch(target);
        for (sf::Vector2f at : places)
            batch.sprite(pondTexture, at, 1.f, tint);
    });
    EXPECT_EQ(differingPixels(expected, batched), 0);
}

TEST(DrawBatchTest, ShotsMatchCircleShapesAndOrderIsKept)
{
    const sf::Image expected = render([](sf::RenderTarget& target) {
        sf::CircleShape shot(2, 30);
        shot.setFillColor(sf::Color::Blue);
        shot.setPosition(50.5f, 60.25f);
        target.draw(shot);
        sf::Sprite tower(towerTexture);
        tower.setPosition(40, 40); // over the shot
        target.draw(tower);
        shot.setFillColor(sf::Color::Red);
        shot.setPosition(44, 50); // over the tower
        target.draw(shot);
    });
    const sf::Image batched = render([](sf::RenderTarget& target) {
        DrawBatch batch(target);
        batch.circle({50.5f, 60.25f}, 2, sf::Color::Blue);
        batch.sprite(towerTexture, {40, 40});
        batch.circle({44, 50}, 2, sf::Color::Red);
    });
    EXPECT_LE(differingPixels(expected, batched), 2) << "a circle's rim pixel may round differently";
}

TEST(DrawBatchTest, TheBoardAtlasDrawsTheSamePictures)
{
    const sf::Image expected = render([](sf::RenderTarget& target) {
        sf::Sprite frame(regularWolfTexture, {64, 32, 32, 32});
        frame.setPosition(20, 30);
        target.draw(frame);
        sf::Sprite pond(pondTexture);
        pond.setPosition(80, 20);
        target.draw(pond);
        sf::Sprite platform(platformTexture); // not in the atlas: drawn on its own
        platform.setPosition(130, 10);
        target.draw(platform);
        sf::Sprite tower(towerTexture);
        tower.setPosition(150, 60);
        target.draw(tower);
        sf::RectangleShape bar({30, 5});
        bar.setPosition(20, 100);
        bar.setFillColor(sf::Color::Blue);
        target.draw(bar);
    });
    // With a driver whose largest texture is 110 pixels, the wolf sheet
    // (96 x 128) no longer fits: it alone is drawn from its own texture.
    for (const unsigned maxSide : {sf::Texture::getMaximumSize(), 110u}) {
        SCOPED_TRACE(maxSide);
        const BoardAtlas atlas({&pondTexture, &regularWolfTexture, &towerTexture}, maxSide);
        EXPECT_EQ(atlas.place(&regularWolfTexture) != nullptr, maxSide > 110);
        EXPECT_NE(atlas.place(&towerTexture), nullptr);
        EXPECT_EQ(atlas.place(&platformTexture), nullptr);
        EXPECT_LE(atlas.texture().getSize().x, maxSide);
        EXPECT_LE(atlas.texture().getSize().y, maxSide);

        const sf::Image batched = render([&atlas](sf::RenderTarget& target) {
            DrawBatch batch(target, &atlas);
            batch.sprite(regularWolfTexture, {64, 32, 32, 32}, {20, 30});
            batch.sprite(pondTexture, {80, 20});
            batch.sprite(platformTexture, {130, 10});
            batch.sprite(towerTexture, {150, 60});
            batch.rectangle({20, 100}, {30, 5}, sf::Color::Blue);
        });
        EXPECT_EQ(differingPixels(expected, batched), 0);
    }

    // A picture too tall for a new row leaves no empty row behind.
    sf::Texture tall, square;
    ASSERT_TRUE(tall.create(40, 60) && square.create(20, 20));
    const BoardAtlas crowded({&tall, &square}, 64);
    EXPECT_EQ(crowded.texture().getSize(), sf::Vector2u(64, 64));
    EXPECT_NE(crowded.place(&tall), nullptr);
    EXPECT_EQ(crowded.place(&square), nullptr);
}
