#include "ui/animated_sprite.h"

#include <SFML/Graphics/RenderTarget.hpp>

AnimatedSprite::AnimatedSprite(sf::Time time) : frameTime(time) {}

void AnimatedSprite::play(const Animation& next)
{
    if (animation == &next)
        return;
    animation = &next;
    texture = next.texture;
    currentFrame = 0;
    setFrame(0, true);
}

void AnimatedSprite::setFrame(std::size_t index, bool resetTime)
{
    if (animation) {
        const sf::IntRect& rect = animation->frames[index];
        // The small offset keeps the sampler off the neighbouring frame's edge.
        const float left = static_cast<float>(rect.left) + 0.0001f;
        const float top = static_cast<float>(rect.top);
        const float width = static_cast<float>(rect.width);
        const float height = static_cast<float>(rect.height);
        const float right = left + width;
        const float bottom = top + height;

        vertices[0].position = {0.f, 0.f};
        vertices[1].position = {0.f, height};
        vertices[2].position = {width, height};
        vertices[3].position = {width, 0.f};
        vertices[0].texCoords = {left, top};
        vertices[1].texCoords = {left, bottom};
        vertices[2].texCoords = {right, bottom};
        vertices[3].texCoords = {right, top};
    }
    if (resetTime)
        currentTime = sf::Time::Zero;
}

void AnimatedSprite::update(sf::Time elapsed)
{
    if (!animation)
        return;
    std::int64_t now = microsecondsOf(currentTime) + microsecondsOf(elapsed);
    const std::int64_t frame = microsecondsOf(frameTime);
    if (now >= frame) {
        // A zero frame time would divide by zero; it simply stays on the frame.
        now = frame > 0 ? now % frame : 0;
        if (currentFrame + 1 < animation->frames.size())
            ++currentFrame;
        else
            currentFrame = 0;
        currentTime = timeOfMicroseconds(now);
        setFrame(currentFrame, false);
        return;
    }
    currentTime = timeOfMicroseconds(now);
}

void AnimatedSprite::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    if (!animation || !texture)
        return;
    states.transform *= getTransform();
    states.texture = texture;
    target.draw(vertices, 4, sf::Quads, states);
}
