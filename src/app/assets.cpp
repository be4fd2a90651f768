// Every global of the asset registry, defined in this one file so that C++
// constructs them in this order: textures and sounds first, then the level's
// terrain (which loads its own textures), the World's lists and the map
// loader, then the window, the root panel, the font, the clock, the random
// engine and the sound pool.

#include "app/assets.h"

#include "app/startup.h"
#include "datafiles/asset_files.h"
#include "datafiles/map_data.h"
#include "ui/control.h"
#include "world/level.h"
#include "world/level_map.h"
#include "world/world.h"

#include <iostream>

namespace {

// What the checks pass on is still the library's to read; a file it cannot
// (a missing file, a cut font) is named by the game too, not only by the
// library's own line.
const char* const unreadable = "the library could not read it";

void reportLeftOut(const std::string& path, const std::string& problem)
{
    std::cerr << "brambleholt: " << path << ": " << problem << "; the game goes on without it\n";
}

} // namespace

void loadTextureFile(sf::Texture& texture, const std::string& path)
{
    if (const std::string problem = checkImageFile(path, sf::Texture::getMaximumSize()); !problem.empty())
        reportLeftOut(path, problem);
    else if (!texture.loadFromFile(path, sf::IntRect()))
        reportLeftOut(path, unreadable);
}

sf::Texture loadTexture(const std::string& path)
{
    sf::Texture texture;
    loadTextureFile(texture, path);
    return texture;
}

sf::SoundBuffer loadSoundBuffer(const std::string& path)
{
    sf::SoundBuffer buffer;
    if (const std::string problem = checkSoundFile(path); !problem.empty())
        reportLeftOut(path, problem);
    else if (!buffer.loadFromFile(path))
        reportLeftOut(path, unreadable);
    return buffer;
}

void loadFont(const std::string& path)
{
    if (const std::string problem = checkDataFile(path); !problem.empty())
        reportLeftOut(path, problem);
    else if (!font.loadFromFile(path))
        reportLeftOut(path, unreadable);
}

namespace {

// Runs the start-up guard before any global of the program touches a file or
// the display: the first priority of all, ahead of globals of other files
// too (such as the sanitizer build's GL anchor).
struct ProcessGuard
{
    ProcessGuard() { prepareProcess(); }
};
[[gnu::init_priority(101)]] const ProcessGuard processGuard;

} // namespace

sf::Texture catapultWolfTexture = loadTexture("image/catapult_wolf.png");
sf::Texture hackingWolfTexture = loadTexture("image/hacking_wolf.png");
sf::Texture iceTowerTexture = loadTexture("image/ice_tower.png");
sf::Texture platformTexture = loadTexture("image/platform.png");
sf::Texture pondTexture = loadTexture("image/pond.png");
sf::Texture skunkTowerTexture = loadTexture("image/skunk_tower.png");
sf::Texture slapTowerTexture = loadTexture("image/slap_tower.png");
sf::Texture suicidalWolfTexture = loadTexture("image/suicidal_wolf.png");
sf::SoundBuffer explodeSound = loadSoundBuffer("sound/explode.wav");
sf::Texture throwingWolfTexture = loadTexture("image/throwing_wolf.png");
sf::Texture regularWolfTexture = loadTexture("image/regular_wolf.png");
sf::Texture babyWolfTexture = loadTexture("image/baby_wolf.png");
LevelMap levelMap;
std::vector<Wolf*> wolves;
std::vector<Tower*> towers;
std::vector<Bullet*> bullets;
std::vector<Stone*> stones;
std::vector<Platform*> platforms;
std::vector<Pond*> ponds;
MapData mapData;
sf::RenderWindow window;
Panel rootPanel(0, 0, 1, 1, 0);
sf::Font font;
sf::Clock frameClock;
std::mt19937 randomEngine; // default seed 5489, never reseeded
std::vector<sf::Sound> soundPool;
sf::Texture towerTexture = loadTexture("image/tower.png");
sf::SoundBuffer towerShootSound = loadSoundBuffer("sound/tower_shoot.wav");
sf::SoundBuffer towerCollapseSound = loadSoundBuffer("sound/tower_collapse.wav");

const UnitRandom unitRandom{};

void playEffect(const sf::SoundBuffer& buffer)
{
    for (sf::Sound& sound : soundPool) {
        if (sound.getStatus() == sf::Sound::Stopped) {
            sound.setBuffer(buffer);
            sound.setVolume(10);
            sound.play();
            return;
        }
    }
}
