// Ground and buildings of the board: grass, stone blocks, the built deck, ponds and the home.

#include "assets.h"
#include "pixgrid.h"
#include "sprites.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace assetgen {

namespace {

// ---- grass ----------------------------------------------------------------------------------

// 48x48 of meadow that repeats without seams: mottled ground and a few low tufts. The same tile
// fills every cell, so it holds nothing bright that would repeat as a pattern.
Grid meadow(std::uint64_t seed) {
  const int n = 48;
  Grid g(n, n, Grass);
  const TileNoise mottle(seed, n, 12), fine(seed + 1, n, 6);
  Rng rng(seed * 7 + 3);
  // Blades of grass: short dark strokes gather where the noise is low, lit tips where it is
  // high, so the meadow has soft patches without any gradient.
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const double v = 0.7 * mottle.at(x, y) + 0.3 * fine.at(x, y);
      const double dark = v < 0.5 ? (0.5 - v) * 0.7 : 0.015;
      const double lit = v > 0.55 ? (v - 0.55) * 0.35 : 0.0;
      const double r = rng.unit();
      if (r < dark) {
        g.setWrapped(x, y, GrassDark);
        g.setWrapped(x, y + 1, GrassDark);
      } else if (r < dark + lit) {
        g.setWrapped(x, y, GrassLight);
      }
    }
  // Tufts: three lit blades over a dark root.
  for (int i = 0; i < 6; ++i) {
    const int x = rng.below(n), y = rng.below(n);
    g.setWrapped(x, y, GrassLight);
    g.setWrapped(x + 2, y, GrassLight);
    g.setWrapped(x + 1, y + 1, GrassLight);
    g.setWrapped(x, y + 1, Grass);
    g.setWrapped(x + 2, y + 1, Grass);
    g.setWrapped(x + 1, y + 2, GrassDark);
    g.setWrapped(x, y + 2, GrassDark);
    g.setWrapped(x + 2, y + 2, GrassDark);
  }
  return g;
}

Grid lowGround() {
  const Grid tile = meadowTile();
  Grid g(50, 50);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 50; ++x) g.set(x, y, tile.atWrapped(x - 1, y - 1));
  return g;
}

// ---- stone block ----------------------------------------------------------------------------

// Cobbles for the top face: the cells of a jittered grid of seeds, each cell one stone, the
// seams between them mortar; every stone catches the light on its upper-left rim.
void cobbles(Grid& g, int x0, int y0, int size, int cells, Rng& rng) {
  struct Seed {
    double x, y;
  };
  std::vector<Seed> seeds;
  const double cell = static_cast<double>(size) / cells;
  for (int j = -1; j <= cells; ++j)
    for (int i = -1; i <= cells; ++i)
      seeds.push_back({x0 + (i + 0.2 + 0.6 * rng.unit()) * cell, y0 + (j + 0.2 + 0.6 * rng.unit()) * cell});
  Grid mortar(g.width(), g.height());
  for (int y = y0; y < y0 + size; ++y)
    for (int x = x0; x < x0 + size; ++x) {
      double d1 = 1e9, d2 = 1e9;
      for (const Seed& s : seeds) {
        const double d = std::hypot(x + 0.5 - s.x, y + 0.5 - s.y);
        if (d < d1) {
          d2 = d1;
          d1 = d;
        } else if (d < d2) {
          d2 = d;
        }
      }
      const bool seam = d2 - d1 < 1.3;
      g.set(x, y, seam ? Stone : StoneLight);
      if (seam) mortar.set(x, y, Stone);
    }
  for (int y = y0; y < y0 + size; ++y)
    for (int x = x0; x < x0 + size; ++x) {
      if (mortar.at(x, y) != Clear) continue;
      if (mortar.at(x - 1, y) != Clear || mortar.at(x, y - 1) != Clear) g.set(x, y, Snow);
      else if (mortar.at(x + 1, y) != Clear || mortar.at(x, y + 1) != Clear) g.set(x, y, Stone);
    }
  for (int i = 0; i < size * size / 60; ++i) {
    const int x = x0 + rng.below(size), y = y0 + rng.below(size);
    if (g.at(x, y) == StoneLight) g.set(x, y, Stone);
  }
}

Grid highGround() {
  Grid g(48, 72, Stone);
  Rng rng(0x570E);
  // Top face, rows 0..47: cobbles inside a rim.
  cobbles(g, 1, 1, 46, 4, rng);
  // A little moss where the rim meets the cobbles.
  for (auto [x, y] : {std::pair{1, 45}, {1, 46}, {2, 46}, {3, 46}, {45, 46}, {46, 46}, {46, 45}, {46, 1}})
    g.set(x, y, GrassDark);
  g.set(2, 45, Grass);
  g.set(45, 45, Grass);
  for (int x = 0; x < 48; ++x) {
    g.set(x, 0, Outline);
    g.set(x, 47, StoneDark);
  }
  for (int y = 0; y < 48; ++y) {
    g.set(0, y, Outline);
    g.set(47, y, Outline);
  }
  g.set(1, 1, StoneLight);
  // Front face, rows 48..71: a lit lip, then three courses of ashlar that run on from block to
  // block (the brick pattern repeats every 48 px, so a row of blocks reads as one wall).
  for (int x = 0; x < 48; ++x) g.set(x, 48, Outline);
  const int ashlar[3][2] = {{49, 7}, {57, 7}, {65, 6}};
  for (int c = 0; c < 3; ++c) {
    const int top = ashlar[c][0], h = ashlar[c][1];
    const int shift = (c % 2) ? 8 : 0;
    for (int y = top; y < top + h; ++y)
      for (int x = 0; x < 48; ++x) {
        const int bx = ((x + shift) % 16 + 16) % 16;
        Tone t = Stone;
        if (bx == 15) t = StoneDark;              // vertical joint
        else if (y == top) t = StoneLight;        // lit upper edge of the stone
        else if (bx == 0 && y < top + h - 1) t = StoneLight;
        else if (y == top + h - 1 && bx > 8) t = StoneDark;  // worn lower-right corner
        g.set(x, y, t);
      }
    if (c < 2)
      for (int x = 0; x < 48; ++x) g.set(x, top + h, StoneDark);  // bed joint
  }
  for (int i = 0; i < 10; ++i) {
    const int x = rng.below(48), y = 50 + rng.below(20);
    if (g.at(x, y) == Stone) g.set(x, y, StoneDark);
  }
  // Moss creeping over the lip.
  for (auto [x, y] : {std::pair{5, 49}, {6, 49}, {6, 50}, {7, 49}, {30, 49}, {31, 49}, {31, 50}, {31, 51}, {42, 49}})
    g.set(x, y, (x + y) % 3 ? GrassDark : Grass);
  for (int x = 0; x < 48; ++x) g.set(x, 71, Outline);
  return g;
}

// ---- wooden deck ----------------------------------------------------------------------------

Grid platform() {
  Grid g(32, 48, Wood);
  // Deck: horizontal boards, rows 0..31, inside a frame beam.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const int by = (y - 2) % 5;
      Tone t = Wood;
      if (by == 4) t = WoodDark;        // gap between boards
      else if (by == 0) t = WoodLight;  // lit board edge
      g.set(x, y, t);
    }
  // Board ends staggered, grain and nails.
  const int ends[6] = {11, 22, 7, 18, 14, 25};
  for (int b = 0; b < 6; ++b) {
    const int y0 = 2 + b * 5;
    for (int y = y0; y < y0 + 4 && y < 30; ++y) g.set(ends[b], y, WoodDark);
    if (y0 + 1 < 30) {
      g.set(ends[b] - 2, y0 + 1, WoodDark);  // nails either side of the joint
      g.set(ends[b] + 2, y0 + 1, WoodDark);
      g.set((ends[b] + 16) % 28 + 2, y0 + 2, WoodDark);
      g.set((ends[b] + 17) % 28 + 2, y0 + 2, WoodDark);
    }
  }
  // Frame beam round the deck.
  for (int x = 0; x < 32; ++x) {
    g.set(x, 1, WoodLight);
    g.set(x, 30, WoodDark);
  }
  for (int y = 1; y < 31; ++y) {
    g.set(1, y, WoodLight);
    g.set(30, y, WoodDark);
  }
  for (int x = 0; x < 32; ++x) {
    g.set(x, 0, Outline);
    g.set(x, 31, Outline);
  }
  for (int y = 0; y < 32; ++y) {
    g.set(0, y, Outline);
    g.set(31, y, Outline);
  }
  // Front face, rows 32..47: a beam over two posts with a cross brace between.
  g.fillRect(0, 32, 32, 16, WoodDark);
  g.fillRect(1, 32, 30, 4, Wood);
  for (int x = 1; x < 31; ++x) g.set(x, 32, WoodLight);
  g.set(3, 34, Outline);
  g.set(28, 34, Outline);
  g.fillRect(1, 36, 30, 11, Outline);  // the dark void under the deck, behind the brace
  g.fillRect(2, 36, 4, 11, Wood);
  g.fillRect(26, 36, 4, 11, Wood);
  for (int y = 36; y < 47; ++y) {
    g.set(2, y, WoodLight);
    g.set(5, y, WoodDark);
    g.set(26, y, WoodLight);
    g.set(29, y, WoodDark);
  }
  for (int i = 0; i < 20; ++i) {
    const int x = 6 + i;
    const int y1 = 36 + i * 10 / 19;
    const int y2 = 46 - i * 10 / 19;
    g.set(x, y1, Wood);
    g.set(x, y1 + 1, WoodDark);
    g.set(x, y2, Wood);
    g.set(x, y2 - 1, WoodLight);
  }
  g.set(3, 37, Outline);
  g.set(28, 37, Outline);
  for (int x = 0; x < 32; ++x) g.set(x, 47, Outline);
  for (int y = 32; y < 48; ++y) {
    g.set(0, y, Outline);
    g.set(31, y, Outline);
  }
  return g;
}

// ---- pond -----------------------------------------------------------------------------------

Grid pond() {
  Grid g(32, 32);
  const double c = 16.0;
  g.fillEllipse(c, c + 0.5, 14.5, 13.5, GrassDark);  // muddy bank
  g.fillEllipse(c, c + 0.5, 13.0, 12.0, WaterDark);
  g.fillEllipse(c + 0.5, c + 1.8, 12.4, 10.6, Water);
  // Stones on the bank, lit from the top left.
  Rng rng(0x90D);
  for (int i = 0; i < 16; ++i) {
    const double a = i * (2 * 3.14159265 / 16) + rng.unit() * 0.2;
    const int x = static_cast<int>(std::lround(c - 0.5 + 13.6 * std::cos(a)));
    const int y = static_cast<int>(std::lround(c + 13.0 * std::sin(a)));
    g.set(x, y, Stone);
    g.set(x + 1, y, i % 3 == 0 ? StoneDark : Stone);
    g.set(x, y - 1, StoneLight);
  }
  // Ripples and the sky's glint.
  const int ripples[][3] = {{10, 12, 5}, {19, 15, 4}, {9, 20, 3}, {16, 24, 5}, {22, 21, 3}};
  for (const auto& r : ripples)
    for (int x = r[0]; x < r[0] + r[2]; ++x) g.set(x, r[1], WaterLight);
  g.set(8, 9, Snow);
  g.set(9, 9, WaterLight);
  g.set(8, 10, WaterLight);
  // A lily pad with a flower.
  g.fillEllipse(21.5, 10.5, 3.6, 2.6, Grass);
  g.fillEllipse(21.0, 10.0, 2.4, 1.5, GrassLight);
  g.set(24, 10, Water);
  g.set(23, 10, Water);
  g.set(24, 11, GrassDark);
  g.set(20, 12, GrassDark);
  g.set(21, 12, GrassDark);
  g.set(20, 9, Snow);
  g.set(19, 9, Cream);
  g.set(20, 8, Snow);
  g.set(21, 9, Straw);
  g.outline(Outline);
  return g;
}

// ---- home -----------------------------------------------------------------------------------

Grid home() {
  Grid g(32, 32);
  // Chimney behind the roof.
  g.fillRect(21, 3, 4, 8, Stone);
  g.fillRect(21, 3, 1, 8, StoneLight);
  g.fillRect(24, 3, 1, 8, StoneDark);
  g.fillRect(20, 2, 6, 2, StoneLight);
  g.fillRect(20, 3, 6, 1, Stone);
  // Brick walls, rows 16..28.
  g.fillRect(5, 16, 22, 13, Brick);
  for (int y = 16; y < 29; ++y) {
    const int course = (y - 16) / 3;
    for (int x = 5; x < 27; ++x) {
      if ((y - 16) % 3 == 2) g.set(x, y, BrickDark);
      else if ((x + course * 3) % 6 == 0) g.set(x, y, BrickDark);
      else if ((y - 16) % 3 == 0 && (x + course * 3) % 6 == 1) g.set(x, y, Ember);
    }
  }
  for (int y = 16; y < 29; ++y) g.set(26, y, BrickDark);
  for (int x = 5; x < 27; ++x) g.set(x, 17, BrickDark);  // under the eaves
  // Windows: warm light inside, a wooden cross and sill.
  for (int wx : {7, 21}) {
    g.fillRect(wx, 19, 4, 5, Straw);
    g.fillRect(wx, 19, 4, 1, Ember);
    g.fillRect(wx + 2, 19, 1, 5, WoodDark);
    g.fillRect(wx, 21, 4, 1, WoodDark);
    g.fillRect(wx - 1, 18, 6, 1, Outline);
    g.fillRect(wx - 1, 24, 6, 1, WoodLight);
    g.fillRect(wx - 1, 19, 1, 5, Outline);
    g.fillRect(wx + 4, 19, 1, 5, Outline);
  }
  // Arched door.
  g.fillRect(13, 21, 6, 8, Wood);
  g.fillRect(14, 20, 4, 1, Wood);
  g.fillRect(13, 21, 1, 8, WoodLight);
  g.fillRect(15, 21, 1, 8, WoodDark);
  g.fillRect(17, 21, 1, 8, WoodDark);
  g.set(18, 25, Straw);
  g.fillRect(12, 21, 1, 8, Outline);
  g.fillRect(19, 21, 1, 8, Outline);
  g.fillRect(14, 19, 4, 1, Outline);
  g.set(13, 20, Outline);
  g.set(18, 20, Outline);
  g.fillRect(11, 29, 10, 1, StoneLight);  // doorstep
  g.fillRect(11, 30, 10, 1, Stone);
  // Thatched roof: a rounded hump of straw with an overhanging fringe.
  for (int y = 4; y <= 17; ++y) {
    const double t = (y - 4) / 13.0;
    const double half = 6.0 + 9.5 * std::sqrt(t);
    const int x0 = static_cast<int>(std::lround(15.5 - half)), x1 = static_cast<int>(std::lround(15.5 + half));
    for (int x = x0; x <= x1; ++x) {
      Tone tone = WoodLight;
      const double rel = (x - x0) / static_cast<double>(x1 - x0 + 1);
      if (rel < 0.35 && (x + y) % 3 != 0) tone = Straw;  // sunny left slope
      if (rel > 0.78) tone = (x + y) % 2 ? Wood : WoodLight;
      if ((x * 3 + y) % 7 == 0) tone = Wood;  // straw strands
      if (y == 17 || (y == 16 && x % 3 == 0)) tone = Wood;  // ragged fringe
      g.set(x, y, tone);
    }
  }
  g.set(7, 17, Clear);
  g.set(24, 17, Clear);
  // Bramble bush hugging the left corner, a tuft on the right.
  g.fillEllipse(4.5, 26.5, 4.2, 3.6, GrassDark);
  g.fillEllipse(4.0, 25.5, 3.0, 2.4, Grass);
  g.set(3, 24, GrassLight);
  g.set(4, 24, GrassLight);
  for (auto [x, y] : {std::pair{2, 26}, {5, 25}, {6, 28}, {3, 28}}) g.set(x, y, Berry);
  g.set(5, 24, Berry);
  g.set(2, 25, BrickDark);
  g.fillEllipse(28.0, 28.0, 2.6, 2.0, Grass);
  g.set(27, 27, GrassLight);
  g.set(29, 29, GrassDark);
  g.outline(Outline);
  return g;
}

}  // namespace

Grid cottageSprite() { return home(); }
Grid meadowTile() { return meadow(0xB4A3B1E); }

std::vector<Picture> makeTerrain() {
  return {
      {"image/lowground.png", lowGround().toImage()},
      {"image/highground.png", highGround().toImage()},
      {"image/platform.png", platform().toImage()},
      {"image/pond.png", pond().toImage()},
      {"image/home.png", home().toImage()},
  };
}

}  // namespace assetgen
