#pragma once
// The game's shared resources: textures, sound buffers, the window, the font,
// the frame clock, the random engine and the pool of sound players. They are
// globals constructed before main in one fixed order (see assets.cpp) and live
// until the process exits.

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Clock.hpp>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

extern sf::Texture catapultWolfTexture;
extern sf::Texture hackingWolfTexture;
extern sf::Texture iceTowerTexture;
extern sf::Texture platformTexture;
extern sf::Texture pondTexture;
extern sf::Texture skunkTowerTexture;
extern sf::Texture slapTowerTexture;
extern sf::Texture suicidalWolfTexture;
extern sf::SoundBuffer explodeSound;
extern sf::Texture throwingWolfTexture;
extern sf::Texture regularWolfTexture;
extern sf::Texture babyWolfTexture;
extern sf::RenderWindow window;
extern sf::Font font;
extern sf::Clock frameClock;
extern std::mt19937 randomEngine;
extern std::vector<sf::Sound> soundPool;
extern sf::Texture towerTexture;
extern sf::SoundBuffer towerShootSound;
extern sf::SoundBuffer towerCollapseSound;

// Loads a whole image; a missing file leaves the texture empty (SFML reports
// it), and so does a file that fails the checks of asset_files.h (we report
// it, naming the file).
sf::Texture loadTexture(const std::string& path);
void loadTextureFile(sf::Texture& texture, const std::string& path);
// Loads a WAV file; a missing or failing file leaves the buffer empty, likewise.
sf::SoundBuffer loadSoundBuffer(const std::string& path);
// Loads the global font; a missing or failing file leaves every text invisible.
void loadFont(const std::string& path);

// Plays an effect on the first stopped sound of the pool, at volume 10.
// When every sound of the pool is busy the effect is dropped; without an
// audio device the pool is empty and every effect is.
void playEffect(const sf::SoundBuffer& buffer);

// A double in [0, 1) from exactly one 32-bit engine output divided by 2^32.
// (The standard distributions draw two outputs per double, which would shift
// every later draw of the game.)
struct UnitRandom
{
    template <class Engine> double operator()(Engine& engine) const
    {
        return static_cast<double>(static_cast<std::uint32_t>(engine())) / 4294967296.0;
    }
    double operator()() const { return (*this)(randomEngine); }
};
extern const UnitRandom unitRandom;
