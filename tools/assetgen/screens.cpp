// Full screens and buttons: the title screen, the lost and won overlays, and menu buttons.
// The screens are painted at half size and doubled, so their pixels match the chunky sprites.

#include "assets.h"
#include "fontlettering.h"
#include "pixfont.h"
#include "pixgrid.h"
#include "sprites.h"

#include <cmath>
#include <string>
#include <vector>

namespace assetgen {

namespace {

constexpr int kW = 400;  // painting size; saved at 800 x 600
constexpr int kH = 300;

void centreText(Grid& g, const Grid& text, int cy) {
  g.stamp(text, (g.width() - text.width()) / 2, cy - text.height() / 2);
}

// Every opaque pixel of `sprite` in one tone, except eye-bright Straw which stays lit.
Grid silhouette(const Grid& sprite, Tone tone) {
  Grid g = sprite;
  for (int y = 0; y < g.height(); ++y)
    for (int x = 0; x < g.width(); ++x)
      if (g.at(x, y) != Clear && g.at(x, y) != Straw) g.set(x, y, tone);
  return g;
}

// A ridge line of rolling hills.
struct Ridge {
  double base, a1, f1, p1, a2, f2, p2;
  int at(int x) const {
    return static_cast<int>(std::lround(base + a1 * std::sin(x * f1 + p1) + a2 * std::sin(x * f2 + p2)));
  }
};

void hills(Grid& g, Tone tone, const Ridge& r) {
  for (int x = 0; x < g.width(); ++x)
    for (int y = r.at(x); y < g.height(); ++y) g.set(x, y, tone);
}

void cloud(Grid& g, int x, int y, int w) {
  g.fillEllipse(x + w * 0.5, y + 6, w * 0.5, 5, Snow);
  g.fillEllipse(x + w * 0.35, y + 3, w * 0.22, 5, Snow);
  g.fillEllipse(x + w * 0.62, y + 2, w * 0.18, 5, Snow);
  for (int i = x + 2; i < x + w - 2; ++i)
    if (g.at(i, y + 10) == Snow) g.set(i, y + 10, Cream);
}

// A tangle of bramble: dark leafy mass, thorny canes and berries.
void bramble(Grid& g, double cx, double cy, double rx, double ry, Rng& rng) {
  g.fillEllipse(cx, cy, rx, ry, GrassDark);
  const int leaves = static_cast<int>(rx * ry / 6);
  for (int i = 0; i < leaves; ++i) {
    const double a = rng.unit() * 6.2832, r = std::sqrt(rng.unit());
    const int x = static_cast<int>(cx + std::cos(a) * r * (rx - 2)), y = static_cast<int>(cy + std::sin(a) * r * (ry - 2));
    const bool upper = y < cy;
    g.set(x, y, upper ? GrassLight : Grass);
    g.set(x + 1, y, Grass);
    g.set(x, y + 1, Grass);
  }
  // Canes arching over the top, with thorns.
  for (int c = 0; c < 3; ++c) {
    const double x0 = cx - rx + rng.unit() * rx, span = rx * (0.6 + 0.6 * rng.unit());
    for (int i = 0; i <= static_cast<int>(span); ++i) {
      const double t = i / span;
      const int x = static_cast<int>(x0 + i), y = static_cast<int>(cy - ry * 0.6 - std::sin(t * 3.1416) * ry * 0.6);
      g.set(x, y, BrickDark);
      if (i % 4 == 2) g.set(x, y - 1, Berry);
    }
  }
  const int berries = static_cast<int>(rx * ry / 30);
  for (int i = 0; i < berries; ++i) {
    const double a = rng.unit() * 6.2832, r = std::sqrt(rng.unit()) * 0.85;
    const int x = static_cast<int>(cx + std::cos(a) * r * rx), y = static_cast<int>(cy + std::sin(a) * r * ry);
    g.fillRect(x, y, 2, 2, Berry);
    g.set(x, y, Plum);
  }
}

void signboard(Grid& g, int x0, int y0, int x1, int y1) {
  // Posts down into the hedge.
  for (int px : {x0 + 16, x1 - 22}) {
    g.fillRect(px, y1, 6, kH - y1, Wood);
    g.fillRect(px, y1, 2, kH - y1, WoodLight);
    g.fillRect(px + 5, y1, 1, kH - y1, WoodDark);
    g.fillRect(px - 1, y1, 1, kH - y1, Outline);
    g.fillRect(px + 6, y1, 1, kH - y1, Outline);
  }
  // Frame and parchment.
  g.fillRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1, Outline);
  g.fillRect(x0 + 1, y0 + 1, x1 - x0 - 1, y1 - y0 - 1, Wood);
  g.fillRect(x0 + 1, y0 + 1, x1 - x0 - 1, 1, WoodLight);
  g.fillRect(x0 + 1, y0 + 1, 1, y1 - y0 - 1, WoodLight);
  g.fillRect(x0 + 1, y1 - 1, x1 - x0 - 1, 1, WoodDark);
  g.fillRect(x1 - 1, y0 + 1, 1, y1 - y0 - 1, WoodDark);
  g.fillRect(x0 + 4, y0 + 4, x1 - x0 - 7, y1 - y0 - 7, WoodDark);
  g.fillRect(x0 + 5, y0 + 5, x1 - x0 - 9, y1 - y0 - 9, Cream);
  for (int x : {x0 + 2, x1 - 2})
    for (int y : {y0 + 2, y1 - 2}) g.set(x, y, StoneLight);  // nails
  // Bramble trailing over the top corners of the sign.
  for (int i = 0; i < 18; ++i) {
    g.set(x0 - 2 + i, y0 - 1 + (i * i) / 60, GrassDark);
    g.set(x1 + 2 - i, y0 - 1 + (i * i) / 60, GrassDark);
    if (i % 5 == 1) {
      g.fillRect(x0 - 2 + i, y0 - 3 + (i * i) / 60, 2, 2, Grass);
      g.fillRect(x1 + 1 - i, y0 - 3 + (i * i) / 60, 2, 2, Grass);
    }
  }
  g.fillRect(x0 + 12, y0 - 1, 2, 2, Berry);
  g.fillRect(x1 - 13, y0, 2, 2, Berry);
}

Grid menu() {
  Grid g(kW, kH, WaterLight);
  // Sky: a light band of haze near the horizon, dithered into the blue.
  g.fillRect(0, 96, kW, kH - 96, Cream);
  for (int y = 88; y < 96; ++y)
    for (int x = 0; x < kW; ++x)
      if ((x + y) % 2 == 0 && (y >= 92 || (x % 4 == y % 4))) g.set(x, y, Cream);
  // Sun and clouds.
  g.fillEllipse(352, 104, 17, 17, Straw);
  g.fillEllipse(349, 101, 9, 9, Snow);
  cloud(g, 22, 76, 58);
  cloud(g, 250, 64, 44);
  cloud(g, 352, 92, 36);
  // Hills, far to near.
  const Ridge far{122, 9, 0.021, 0.5, 5, 0.057, 2.0};
  hills(g, GrassLight, far);
  hills(g, Grass, Ridge{150, 8, 0.027, 2.2, 4, 0.071, 0.3});
  // Near meadow, textured with the board's own grass.
  const Grid tile = meadowTile();
  for (int x = 0; x < kW; ++x) {
    const int top = static_cast<int>(std::lround(178 + 5 * std::sin(x * 0.018 + 1.0)));
    for (int y = top; y < kH; ++y) g.set(x, y, tile.atWrapped(x, y));
    g.set(x, top, GrassLight);
  }
  // A dirt path winding up to the cottage door.
  for (int y = 240; y < kH; ++y) {
    const double t = (y - 240) / 60.0;
    const int cx = static_cast<int>(std::lround(332 - 40 * t * t + 6 * std::sin(t * 5)));
    const int half = 4 + static_cast<int>(t * 9);
    for (int x = cx - half; x <= cx + half; ++x) g.set(x, y, (x + y) % 7 ? WoodLight : Wood);
    g.set(cx - half - 1, y, Wood);
    g.set(cx + half + 1, y, Wood);
  }
  // The cottage, large, on the right.
  g.stamp(cottageSprite().scaled(2), 300, 178);
  // Wolves on the far ridge, black against the haze, eyes glinting, heading for the cottage.
  const struct {
    const char* kind;
    int x, col;
  } pack[] = {{"regular", 30, 0}, {"hacking", 58, 2}, {"baby", 86, 1}};
  for (const auto& w : pack) g.stamp(silhouette(wolfFrame(w.kind, 2, w.col), FurDark), w.x, far.at(w.x + 16) - 29);
  // Brambles: bushes along the bottom and climbing the sides.
  Rng rng(0xB4A3);
  bramble(g, 20, 262, 34, 30, rng);
  bramble(g, 6, 210, 16, 30, rng);
  bramble(g, 96, 292, 40, 18, rng);
  bramble(g, 300, 294, 40, 14, rng);
  bramble(g, 392, 250, 22, 44, rng);
  // The parchment sign: the game writes its prompt and buttons here.
  signboard(g, 128, 163, 264, 277);
  bramble(g, 196, 298, 50, 12, rng);
  // Title.
  TextStyle big;
  big.scale = 4;
  big.bold = true;
  const Grid title = titleText("BRAMBLEHOLT", big, Straw, Ember, BrickDark, 3);
  centreText(g, title, 34);
  const Grid tag = fontText("守住家门，别让狼进来", 14, WoodDark);
  Grid tagBox(tag.width() + 2, tag.height() + 2);
  tagBox.stamp(tag, 1, 1);
  tagBox.outline(Snow);
  centreText(g, tagBox, 66);
  return g;
}

// The characters of a UTF-8 text, one string each.
std::vector<std::string> characters(const std::string& utf8) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    out.push_back(utf8.substr(i, length));
    i += length;
  }
  return out;
}

constexpr int kBannerLeft = 2, kBannerWidth = 40;

// A banner hanging down the left edge of the board with the message set top to bottom, as
// on a scroll. Wolves come in on the left and the home is always further right, so the
// home and whoever reached it stay in plain view.
Grid banner(const std::string& message, int top, int bottom, Tone band, Tone trim, Tone lit, Tone base,
            Tone shadow) {
  Grid g(kW, kH);
  const int left = kBannerLeft, right = kBannerLeft + kBannerWidth;
  g.fillRect(left, top, kBannerWidth, bottom - top, band);
  g.fillRect(left, top, 1, bottom - top, Outline);
  g.fillRect(left + 1, top, 1, bottom - top, trim);
  g.fillRect(right - 2, top, 1, bottom - top, trim);
  g.fillRect(right - 1, top, 1, bottom - top, Outline);
  g.fillRect(left, top, kBannerWidth, 1, Outline);
  g.fillRect(left, bottom - 1, kBannerWidth, 1, Outline);

  std::vector<Grid> glyphs;
  const int gap = 4;
  int height = -gap;
  for (const std::string& character : characters(message)) {
    glyphs.push_back(titleLettering(fontText(character, 22, base), lit, base, shadow, 2));
    height += glyphs.back().height() + gap;
  }
  int y = (top + bottom - height) / 2;
  for (const Grid& glyph : glyphs) {
    g.stamp(glyph, left + (kBannerWidth - glyph.width()) / 2, y);
    y += glyph.height() + gap;
  }
  return g;
}

// The game draws this picture 100 pixels (50 painting rows) up, so painting row 50 is the
// top of the window; the banner runs down the board's two left columns.
Grid gameOver() {
  const int top = 52, bottom = 286;
  Grid g = banner("狼进屋了！", top, bottom, Outline, BrickDark, Snow, Cream, BrickDark);
  // Claw marks torn across both ends of the band.
  for (int end = 0; end < 2; ++end)
    for (int c = 0; c < 3; ++c) {
      const int y = end ? bottom - 30 : top + 10;
      for (int i = 0; i < 14; ++i) g.set(kBannerLeft + 12 + c * 6 + i / 3, y + i, Brick);
    }
  return g;
}

Grid gameWin() {
  const int top = 2, bottom = 236;
  Grid g = banner("家园安全！", top, bottom, GrassDark, GrassLight, Snow, Straw, WoodDark);
  // Little cottages at both ends of the band and sparkles between the words.
  const Grid house = cottageSprite();
  const int houseX = kBannerLeft + (kBannerWidth - house.width()) / 2;
  g.stamp(house, houseX, top + 3);
  g.stamp(house, houseX, bottom - 3 - house.height());
  const int sparkles[][2] = {{8, 60}, {36, 90}, {9, 150}, {35, 176}};
  for (const auto& s : sparkles) {
    g.set(s[0], s[1], Snow);
    g.set(s[0] - 1, s[1], Straw);
    g.set(s[0] + 1, s[1], Straw);
    g.set(s[0], s[1] - 1, Straw);
    g.set(s[0], s[1] + 1, Straw);
  }
  return g;
}

// Buttons are drawn at half size by the game, so they are painted at 100 x 25 and doubled.
// The face is a mid tone (a wooden plank, a red one when selected): the caption is black or,
// while the tool is locked, light grey, and both must read on it. The face stays flat where
// the caption goes; grain and trim keep to the edges.
Grid button(bool selected) {
  Grid g(100, 25, Outline);
  const Tone face = selected ? Brick : Wood, lit = selected ? Ember : WoodLight, shade = selected ? BrickDark : WoodDark;
  g.fillRect(1, 1, 98, 23, face);
  g.fillRect(1, 1, 98, 1, lit);
  g.fillRect(1, 1, 1, 23, lit);
  g.fillRect(1, 23, 98, 1, shade);
  g.fillRect(98, 1, 1, 23, shade);
  // Grain at the plank's ends, clear of the caption.
  for (int x : {4, 95}) {
    g.fillRect(x, 5, 1, 5, shade);
    g.fillRect(x - 1, 14, 1, 6, shade);
  }
  if (selected) {
    // A bright frame and pointers at both ends, so the chosen tool shows from afar.
    g.fillRect(0, 0, 100, 1, Straw);
    g.fillRect(0, 24, 100, 1, Straw);
    g.fillRect(0, 0, 1, 25, Straw);
    g.fillRect(99, 0, 1, 25, Straw);
    for (int i = 0; i < 4; ++i) {
      g.fillRect(2 + i, 8 + i, 1, 9 - 2 * i, Straw);
      g.fillRect(97 - i, 8 + i, 1, 9 - 2 * i, Straw);
    }
  }
  // Round the corners.
  for (int x : {0, 99})
    for (int y : {0, 24}) g.set(x, y, Clear);
  return g;
}

}  // namespace

std::vector<Picture> makeScreens() {
  return {
      {"image/menu.png", menu().scaled(2).toImage()},
      {"image/gameover.png", gameOver().scaled(2).toImage()},
      {"image/gamewin.png", gameWin().scaled(2).toImage()},
      {"image/button.png", button(false).scaled(2).toImage()},
      {"image/button_selected.png", button(true).scaled(2).toImage()},
  };
}

}  // namespace assetgen
