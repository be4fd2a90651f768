#pragma once
// How long the lab's frames last. The real game steps its world by the real
// length of each frame, a little over 1/30 s and never twice the same, and
// every frame's length changes every spawn draw after it. So a lab run either
// steps exactly 1/30 s (the golden runs), or draws each frame's length, with a
// seed of its own, from the spread measured on the real game
// (tools/levellab/measure_frames prints it).

#include <SFML/System/Time.hpp>

#include <random>

class FrameLengths
{
public:
    // Seed 0: every frame exactly 1/30 s. Any other seed: frames drawn from
    // the real game's spread.
    explicit FrameLengths(unsigned seed = 0);
    sf::Time next();
    bool varied() const { return varied_; }

private:
    bool varied_;
    std::mt19937 engine_;
};

// The real game's frame length at a quantile q (0 to 1) of the measured spread.
sf::Time measuredFrameLength(double q);
