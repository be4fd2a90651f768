// Stepping through frames and the textured quad.

#include "app/assets.h"
#include "ui/animated_sprite.h"

#include <gtest/gtest.h>

namespace {

Animation threeFrames()
{
    Animation animation;
    animation.texture = &regularWolfTexture;
    animation.frames = {{0, 0, 32, 32}, {32, 0, 32, 32}, {64, 0, 32, 32}};
    return animation;
}

} // namespace

TEST(AnimatedSpriteTest, StepsOneFrameEachTimeTheFrameTimeIsReached)
{
    const Animation animation = threeFrames();
    AnimatedSprite sprite(sf::seconds(0.2f));
    sprite.update(sf::seconds(0.1f));
    EXPECT_EQ(sprite.currentTime, sf::Time::Zero) << "nothing to animate yet";
    sprite.play(animation);
    std::vector<std::size_t> shown;
    for (int i = 0; i < 8; ++i) {
        sprite.update(sf::milliseconds(100));
        shown.push_back(sprite.currentFrame);
    }
    EXPECT_EQ(shown, (std::vector<std::size_t>{0, 1, 1, 2, 2, 0, 0, 1}));
}

TEST(AnimatedSpriteTest, ALongUpdateStepsOnceAndKeepsTheRemainder)
{
    const Animation animation = threeFrames();
    AnimatedSprite sprite(sf::seconds(0.2f));
    sprite.play(animation);
    sprite.update(sf::milliseconds(500));
    EXPECT_EQ(sprite.currentFrame, 1u);
    EXPECT_EQ(sprite.currentTime, sf::milliseconds(100));

    sprite.play(animation); // the same animation: nothing restarts
    EXPECT_EQ(sprite.currentFrame, 1u);
    EXPECT_EQ(sprite.currentTime, sf::milliseconds(100));

    Animation other = threeFrames();
    sprite.play(other);
    EXPECT_EQ(sprite.currentFrame, 0u);
    EXPECT_EQ(sprite.currentTime, sf::Time::Zero);
}

TEST(AnimatedSpriteTest, SpansTheFrameRectangleWithASmallLeftOffset)
{
    Animation animation;
    animation.texture = &regularWolfTexture;
    animation.frames = {{64, 0, 32, 32}};
    AnimatedSprite sprite(sf::seconds(0.2f));
    sprite.play(animation);
    EXPECT_EQ(sprite.vertices[0].position, sf::Vector2f(0, 0));
    EXPECT_EQ(sprite.vertices[2].position, sf::Vector2f(32, 32));
    EXPECT_FLOAT_EQ(sprite.vertices[0].texCoords.x, 64.0001f);
    EXPECT_FLOAT_EQ(sprite.vertices[2].texCoords.x, 96.0001f);
    EXPECT_EQ(sprite.vertices[1].texCoords.y, 32.f);
    EXPECT_EQ(sprite.vertices[3].texCoords.y, 0.f);
    sprite.update(sf::seconds(1.f)); // one frame loops onto itself
    EXPECT_EQ(sprite.currentFrame, 0u);
}
