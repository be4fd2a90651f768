// What each family of Brambleholt art produces, named by its path inside the asset folder.
#pragma once

#include <SFML/Config.hpp>
#include <SFML/Graphics/Image.hpp>

#include <string>
#include <vector>

namespace assetgen {

struct Picture {
  std::string path;  // e.g. "image/tower.png"
  sf::Image image;
};

struct Sound {
  std::string path;  // e.g. "sound/explode.wav"
  std::vector<sf::Int16> samples;  // mono
};

constexpr unsigned kSampleRate = 44100;

std::vector<Picture> makeTerrain();  // grass, stone block, deck, pond, home
std::vector<Picture> makeTowers();
std::vector<Picture> makeWolves();
std::vector<Picture> makeScreens();  // menu, overlays, buttons
std::vector<Picture> makeIcon();
std::vector<Sound> makeSounds();

std::vector<Picture> allPictures();

// A single PNG showing every picture, for looking the whole set over at once.
sf::Image contactSheet(const std::vector<Picture>& pictures);
// A mock stretch of the board at 1:1, laid out the way the game draws its pieces.
sf::Image boardPreview(const std::vector<Picture>& pictures);

}  // namespace assetgen
