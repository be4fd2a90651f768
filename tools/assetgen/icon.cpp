// The desktop icon at the sizes desktops ask for: the home on a round badge of sky and hill, a
// wolf peeking round it, a bramble sprig below. Each size is drawn for itself: a scaled-down
// picture turns to mush at 16 and 32 px, so those two are hand-set pixel grids; the larger ones
// are composed at their own size, with the game's sprites at a whole multiple so they stay crisp.

#include "assets.h"
#include "pixgrid.h"
#include "sprites.h"

#include <array>
#include <cmath>
#include <string>

namespace assetgen {

namespace {

// The wolf's face and the house's roof and door are what must still read at this size.
Grid icon16() {
  return Grid::parse({
      ".....kkkkkk.....",
      "...kkiiiiiikk...",
      "..kiiiiiiiiiik..",
      ".kiiiiiiiiiiiik.",
      ".kiiiiiiiiikiik.",
      "kikiiikiiikykiik",
      "kkFkikFkikyyWkik",
      "kkfffffkkyyyWwkk",
      "kkfyfyfkkWWWwwkk",
      "kkfcccfkkRyRdRkk",
      "khkckckhkRRRdRkk",
      ".kGkkkGGkkkkkkk.",
      ".kGGGGGGGGGGGGk.",
      "..kGrPrGGrrPgk..",
      "...kkggggggkk...",
      ".....kkkkkk.....",
  });
}

Grid icon32() {
  return Grid::parse({
      "............kkkkkkkk............",
      ".........kkkiiiiiiiikkk.........",
      ".......kkiiiiiiiiiiiiiikk.......",
      "......kkiiiiiiiiiiiiiiiikk......",
      ".....kiiyyiiiiiiiiiiiiiiiik.....",
      "....kiiyeyyiiiiiiiiiiiiiiiik....",
      "...kiiiyyyyiiiiiiiiiiiiiiiiik...",
      "..kkiiiiyyiiiiiiiiiikkkkiiiikk..",
      "..kiiiiiiiiiiiiiiikkyyyykkiiik..",
      ".kiiiiiiiiiiiiiiikyyyyyyWWkiiik.",
      ".kikkiiiiiiikkiikyyyyyyyWWWkiik.",
      ".kikFkiiiiikFkiikyyyyyyWWWWkiik.",
      "kiikcFkkkkkFckikyyyyyyyWWWWwkiik",
      "kikFcFFFFFffcnkkyyyyyyWWWWwwkiik",
      "kikFFFFffffffnkkyWyyWyyWwwWwkiik",
      "kikFFkkfffkkfnkkWWWWWWWwwwwwkiik",
      "kikFfykfffkyfnkikrrrrrrrrrrkiiik",
      "kikffffcccfffnkikRkkkRkkkkRkiiik",
      "kiikffcccccfnkiikRkykRkWwkRkiiik",
      "kiikfcckkkccnkiikRkykRkWwkrkiiik",
      ".kiikccckccckiiikRkkkRkWykrkiik.",
      ".kiiikccccckhhhhkRrRRRkWwkrkihk.",
      ".kiiiikkkkkGGGGGkRRRrRkWwkrkhGk.",
      "..khhhhhGGGGGGGGkkkkkkkkkkkkGk..",
      "..kkGGGGGGGGGGGGGGGGGGGGGGGGkk..",
      "...kGGGpPGGGGGGGGGGGGGpPGGGGk...",
      "....kGGrppGGGGgGGGGGGrppGGGk....",
      ".....kGrrrGGrrrGGGrrrGGrrGk.....",
      "......kkGGGGGGGGGGGGggggkk......",
      ".......kkGGGGGGGGGGGgggkk.......",
      ".........kkkGGGGGGGGkkk.........",
      "............kkkkkkkk............",
  });
}

// A small cottage, simpler than the board's, for the 48 px icon.
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

// The larger icons, composed at `side` pixels. `unit` is the size of one sprite pixel: the
// badge, hill, sun and bramble are drawn at the icon's own resolution with strokes that wide.
Grid composedIcon(int side, int unit, const Grid& home, const Grid& wolf) {
  const double s = side, u = unit;
  Grid g(side, side);
  const double centre = s / 2, radius = s / 2;
  g.fillEllipse(centre, centre, radius, radius, WaterLight);
  if (side >= 128) {  // room for clouds
    for (const auto& [cx, cy, rx] : {std::array<double, 3>{0.62, 0.16, 0.07}, {0.74, 0.13, 0.05},
                                     {0.80, 0.30, 0.05}})
      g.fillEllipse(cx * s, cy * s, rx * s, rx * s * 0.6, Snow);
  }
  // The sun at the top left, where the light comes from.
  g.fillEllipse(0.30 * s, 0.20 * s, 0.085 * s, 0.085 * s, Straw);
  g.fillEllipse(0.28 * s, 0.18 * s, 0.03 * s, 0.03 * s, Snow);

  // A rolling hill: a lit rim, grass, and shade towards the bottom right.
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      if (g.at(x, y) == Clear) continue;
      const double top = 0.70 * s + 0.025 * s * std::sin(x * 6.0 / s * 1.6);
      if (y < top) continue;
      Tone t = Grass;
      if (y < top + 2 * u) t = GrassLight;
      else if (x + y > 1.45 * s) t = GrassDark;
      g.set(x, y, t);
    }

  const Grid bigWolf = wolf.scaled(unit), bigHome = home.scaled(unit);
  const int ground = static_cast<int>(0.80 * s);
  g.stamp(bigWolf, static_cast<int>(0.08 * s), ground - bigWolf.height());
  g.stamp(bigHome, static_cast<int>(0.46 * s), ground - bigHome.height());

  // A bramble sprig along the bottom: a thorny cane with leaves and berries.
  const int left = static_cast<int>(0.14 * s), right = static_cast<int>(0.86 * s);
  auto caneY = [&](int x) { return 0.89 * s + 0.025 * s * std::sin(x * 12.0 / s); };
  for (int x = left; x < right; ++x) g.fillRect(x, static_cast<int>(caneY(x)), 1, unit, BrickDark);
  const int step = static_cast<int>(std::lround(0.09 * s));
  for (int i = 0, x = left + step / 2; x < right - unit; ++i, x += step) {
    const int y = static_cast<int>(caneY(x));
    if (i % 3 == 1) {  // berries: a little cluster, lit on its upper left
      g.fillEllipse(x + 0.5, y - 1.2 * u, 1.6 * u, 1.6 * u, Berry);
      g.fillRect(x - unit / 2 - (unit == 1), y - static_cast<int>(2 * u), unit, unit, Plum);
    } else if (i % 3 == 0) {  // a leaf
      g.fillEllipse(x + 0.5, y - 1.2 * u, 1.8 * u, 1.0 * u, GrassDark);
    } else {  // a thorn
      g.fillRect(x, y - unit, unit, unit, BrickDark);
    }
  }

  // Keep everything inside the badge, then ring it with an outline a sprite pixel wide.
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      const double d = std::hypot(x + 0.5 - centre, y + 0.5 - centre);
      if (d > radius) g.set(x, y, Clear);
      else if (d > radius - u) g.set(x, y, Outline);
    }
  return g;
}

Grid wolfHead() { return wolfFrame("regular", 0, 1).crop(7, 1, 18, 16); }
Grid standingWolf() { return wolfFrame("regular", 0, 1); }

}  // namespace

std::vector<Picture> makeIcon() {
  const struct {
    int size;
    Grid grid;
  } icons[] = {
      {16, icon16()},
      {32, icon32()},
      {48, composedIcon(48, 1, littleHome(), wolfHead())},
      {64, composedIcon(64, 1, cottageSprite(), standingWolf())},
      {128, composedIcon(128, 2, cottageSprite(), standingWolf())},
      {256, composedIcon(256, 4, cottageSprite(), standingWolf())},
  };
  std::vector<Picture> pictures;
  for (const auto& icon : icons) {
    const std::string size = std::to_string(icon.size);
    pictures.push_back({"icon/" + size + "x" + size + "/brambleholt.png", icon.grid.toImage()});
  }
  return pictures;
}

}  // namespace assetgen
