// The reference the game's frame is measured against: the bare library
// drawing N textured 32 x 32 quads from one texture through one
// sf::VertexArray in an 800 x 600 window, nothing else. The quads sit at
// fractional positions all over the window and drift every frame, as
// sprites do; the texture is a 32 x 32 picture with transparent corners,
// drawn with the default alpha blending.
//
//   bare_quads N SECONDS      (under a display)
// prints one line per phase, frame limit off and then at 30:
//   bare LIMIT quads N frames F seconds S fps X frame_ms M

#include "timed_phase.h"

#include <SFML/Graphics.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

sf::Texture makeTexture()
{
    sf::Image image;
    image.create(32, 32, sf::Color::Transparent);
    for (unsigned y = 0; y < 32; ++y) {
        for (unsigned x = 0; x < 32; ++x) {
            const int dx = static_cast<int>(x) - 16, dy = static_cast<int>(y) - 16;
            if (dx * dx + dy * dy < 256)
                image.setPixel(x, y, sf::Color(static_cast<sf::Uint8>(120 + 4 * x), 110, static_cast<sf::Uint8>(90 + 4 * y)));
        }
    }
    sf::Texture texture;
    texture.loadFromImage(image);
    return texture;
}

void runPhase(sf::RenderWindow& window, const sf::Texture& texture, std::vector<sf::Vector2f>& places,
              unsigned limit, double seconds)
{
    window.setFramerateLimit(limit);
    sf::VertexArray quads(sf::Quads, 4 * places.size());
    float drift = 0;
    const bench::PhaseTimes times = bench::timePhase(seconds, [&](bool) {
        sf::Event event;
        while (window.pollEvent(event)) {
        }
        drift += 0.37f;
        for (std::size_t i = 0; i < places.size(); ++i) {
            const float x = std::fmod(places[i].x + drift, 800.f) - 16, y = places[i].y;
            sf::Vertex* quad = &quads[4 * i];
            quad[0] = sf::Vertex({x, y}, {0, 0});
            quad[1] = sf::Vertex({x, y + 32}, {0, 32});
            quad[2] = sf::Vertex({x + 32, y + 32}, {32, 32});
            quad[3] = sf::Vertex({x + 32, y}, {32, 0});
        }
        window.clear(sf::Color::Black);
        window.draw(quads, &texture);
        window.display();
    });
    std::printf("bare %u quads %zu frames %zu seconds %.2f fps %.2f frame_ms %.2f\n", limit, places.size(),
                times.frames.size(), times.seconds, static_cast<double>(times.frames.size()) / times.seconds,
                bench::median(times.frames));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bare_quads N SECONDS\n");
        return 2;
    }
    const long count = std::atol(argv[1]);
    const double seconds = std::atof(argv[2]);
    sf::RenderWindow window(sf::VideoMode(800, 600, 32), "Bare quads", sf::Style::Titlebar | sf::Style::Close);
    const sf::Texture texture = makeTexture();

    std::mt19937 random(7u);
    std::uniform_real_distribution<float> across(0.f, 800.f), down(-16.f, 584.f);
    std::vector<sf::Vector2f> places(static_cast<std::size_t>(std::max(0L, count)));
    for (sf::Vector2f& place : places)
        place = {across(random), down(random)};

    runPhase(window, texture, places, 0, seconds);
    runPhase(window, texture, places, 30, seconds);
    return 0;
}
