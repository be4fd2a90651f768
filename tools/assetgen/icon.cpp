// The desktop icon: the home on a round badge, a bramble sprig, and a wolf peeking in.

#include "assets.h"
#include "pixgrid.h"
#include "sprites.h"

#include <cmath>

namespace assetgen {

namespace {

// A small cottage, simpler than the board's so it survives at icon size.
Grid littleHome() {
  Grid g(18, 17);
  for (int y = 0; y < 8; ++y) {
    const int half = 4 + y * 5 / 7;
    for (int x = 9 - half; x < 9 + half; ++x) {
      Tone t = WoodLight;
      if (x < 9 - half / 3) t = Straw;
      if (x >= 9 + half / 2) t = Wood;
      if (y == 7) t = Wood;
      g.set(x, y, t);
    }
  }
  g.fillRect(12, 0, 2, 3, StoneLight);
  g.fillRect(2, 8, 14, 8, Brick);
  g.fillRect(2, 8, 14, 1, BrickDark);
  for (int x = 2; x < 16; x += 3) g.set(x + (x % 2), 12, BrickDark);
  g.fillRect(7, 10, 4, 6, Wood);
  g.fillRect(7, 10, 1, 6, WoodLight);
  g.set(10, 13, Straw);
  g.fillRect(3, 10, 3, 3, Straw);
  g.fillRect(12, 10, 3, 3, Straw);
  g.fillRect(2, 16, 14, 1, StoneLight);
  g.outline(Outline);
  return g;
}

// Painted at 32 x 32 and doubled, like the other chunky art.
Grid icon() {
  Grid g(32, 32);
  // Badge: sky over a green hill.
  g.fillEllipse(16, 16, 15.5, 15.5, WaterLight);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (g.at(x, y) != Clear && y >= 21 + static_cast<int>(std::lround(1.5 * std::sin(x * 0.3))))
        g.set(x, y, y < 23 ? GrassLight : Grass);
  g.fillEllipse(25, 7, 3.2, 3.2, Straw);
  g.set(24, 6, Snow);
  // A wolf peeking round the house, ears up, eyes bright.
  g.stamp(wolfFrame("regular", 0, 1).crop(7, 1, 18, 16), -2, 7);
  g.stamp(littleHome(), 13, 10);
  // Bramble sprig along the bottom, with berries.
  for (int x = 2; x < 30; ++x) {
    const int y = 28 + static_cast<int>(std::lround(std::sin(x * 0.5)));
    g.set(x, y, BrickDark);
    if (x % 5 == 0) g.set(x, y - 1, GrassDark);
    if (x % 7 == 3) {
      g.fillRect(x, y - 2, 2, 2, Berry);
      g.set(x, y - 2, Plum);
    }
  }
  // Keep everything inside the badge, then ring it.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const double dx = x + 0.5 - 16, dy = y + 0.5 - 16;
      if (dx * dx + dy * dy > 15.0 * 15.0) g.set(x, y, Clear);
    }
  g.outline(Outline);
  return g.scaled(2);
}

}  // namespace

std::vector<Picture> makeIcon() { return {{"icon/brambleholt.png", icon().toImage()}}; }

}  // namespace assetgen
