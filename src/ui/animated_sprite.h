#pragma once
// A textured quad that shows one frame of a sprite sheet at a time and steps
// through an animation's frames at a fixed frame time. Each wolf owns one.

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Transformable.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <SFML/System/Time.hpp>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

// An sf::Time is nothing but its count of microseconds. The wolves' clocks
// step every tick, so they read and make times inline here rather than through
// the library's out-of-line operators; the arithmetic is the library's own.
static_assert(std::is_trivially_copyable_v<sf::Time> && sizeof(sf::Time) == sizeof(std::int64_t));
inline std::int64_t microsecondsOf(sf::Time time)
{
    std::int64_t microseconds;
    std::memcpy(&microseconds, &time, sizeof microseconds);
    return microseconds;
}
inline sf::Time timeOfMicroseconds(std::int64_t microseconds)
{
    sf::Time time = sf::Time::Zero;
    std::memcpy(static_cast<void*>(&time), &microseconds, sizeof microseconds);
    return time;
}
// sf::seconds: the float seconds times a million, truncated.
inline sf::Time timeOfSeconds(float seconds)
{
    return timeOfMicroseconds(static_cast<std::int64_t>(seconds * 1000000));
}

// The frames of one animation on one sprite sheet, in playing order.
struct Animation
{
    std::vector<sf::IntRect> frames;
    const sf::Texture* texture = nullptr;
};

class AnimatedSprite : public sf::Drawable, public sf::Transformable
{
public:
    explicit AnimatedSprite(sf::Time frameTime);

    void setFrameTime(sf::Time time) { frameTime = time; }
    // Switches to another animation at its first frame; playing the current
    // one again changes nothing.
    void play(const Animation& next);
    void setFrame(std::size_t index, bool resetTime = true);
    // Advances the clock; at most one frame step per call.
    void update(sf::Time elapsed);

    const Animation* animation = nullptr;
    sf::Time frameTime;
    sf::Time currentTime;
    std::size_t currentFrame = 0;
    const sf::Texture* texture = nullptr;
    sf::Vertex vertices[4];

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
};
