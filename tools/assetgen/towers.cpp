// The four towers: one brick tower body, and a different top for each weapon. The body is
// red brick rather than stone, so a tower stands out from the grey block it is built on.

#include "assets.h"
#include "pixgrid.h"

#include <cmath>

namespace assetgen {

namespace {

constexpr int kW = 32;
constexpr int kH = 40;

// Shade of a round surface spanning columns x0..x1, lit from the left.
Tone roundWall(int x, int x0, int x1) {
  const double rel = (x - x0 + 0.5) / (x1 - x0 + 1);
  if (rel < 0.28) return Ember;
  if (rel < 0.72) return Brick;
  return BrickDark;
}

Tone darker(Tone t) {
  switch (t) {
    case Ember: return Brick;
    case Brick: return BrickDark;
    case BrickDark: return Outline;
    default: return t;
  }
}

// Courses of stone on a round wall: bed joints every 4 rows, staggered head joints.
void masonry(Grid& g, int x0, int x1, int y0, int y1, int phase) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      Tone t = roundWall(x, x0, x1);
      const int course = (y - y0 + phase) / 4;
      const bool bed = (y - y0 + phase) % 4 == 3;
      const bool head = (x - x0 + (course % 2) * 3) % 6 == 5;
      if (bed || head) t = darker(t);
      g.set(x, y, t);
    }
}

// Tower body, ledge and the front battlement. Tops are drawn first and this goes over them,
// so the weapon sits inside the crown.
void stoneBase(Grid& g) {
  // Footing.
  masonry(g, 5, 26, 36, 39, 1);
  for (int x = 5; x <= 26; ++x) g.set(x, 36, roundWall(x, 5, 26) == BrickDark ? Brick : Ember);
  // Shaft.
  masonry(g, 7, 24, 24, 35, 0);
  // Small arched door.
  g.fillRect(14, 31, 4, 5, WoodDark);
  g.fillRect(15, 30, 2, 1, WoodDark);
  g.fillRect(14, 31, 1, 5, Wood);
  g.fillRect(16, 31, 1, 5, Wood);
  g.set(17, 33, Straw);
  g.fillRect(13, 31, 1, 5, Outline);
  g.fillRect(18, 31, 1, 5, Outline);
  g.fillRect(15, 29, 2, 1, Outline);
  g.set(14, 30, Outline);
  g.set(17, 30, Outline);
  // Arrow loop above the door.
  g.fillRect(15, 25, 2, 3, Outline);
  // Ledge.
  for (int x = 5; x <= 26; ++x) {
    g.set(x, 21, Ember);
    g.set(x, 22, roundWall(x, 5, 26));
    g.set(x, 23, BrickDark);
  }
  // Crown wall with three merlons in front of whatever the top holds.
  masonry(g, 6, 25, 17, 20, 2);
  const int merlons[3][2] = {{6, 10}, {14, 17}, {21, 25}};
  for (const auto& m : merlons)
    for (int x = m[0]; x <= m[1]; ++x) {
      for (int y = 14; y <= 16; ++y) g.set(x, y, roundWall(x, 6, 25));
      g.set(x, 14, roundWall(x, 6, 25) == BrickDark ? Brick : Ember);
      g.set(m[1], 15, darker(roundWall(m[1], 6, 25)));
      g.set(m[1], 16, darker(roundWall(m[1], 6, 25)));
    }
  for (int x = 6; x <= 25; ++x) {
    if (g.at(x, 16) == Clear || x == 11 || x == 12 || x == 13 || x == 18 || x == 19 || x == 20)
      g.set(x, 17, Ember);  // lit walkway edge between merlons
    g.set(x, 20, Outline);       // shadow under the crown
  }
}

// The top gets its own outline first, so it stays crisp where the merlons cut across it.
// `haze` (smoke, gas) goes on last and keeps the soft edge it was painted with.
Grid finish(Grid top, const Grid& haze = Grid()) {
  top.outline(Outline);
  Grid g(kW, kH);
  g.stamp(top, 0, 0);
  stoneBase(g);
  g.outline(Outline);
  g.stamp(haze, 0, 0);
  return g;
}

// Arrow tower: a big bow set upright in the crown, an arrow nocked and a purple pennant.
Grid arrowTop() {
  Grid g(kW, kH);
  // Pennant on a pole behind the left merlon.
  g.line(7, 1, 7, 15, WoodDark);
  g.fillRect(8, 1, 5, 3, Plum);
  g.fillRect(8, 3, 5, 1, Berry);
  g.set(12, 3, Clear);
  g.set(13, 2, Plum);
  // Bow limb: an arc bulging to the right, two pixels thick, with a leather grip.
  const double cx = 12.5, cy = 9.5, rx = 9.0, ry = 8.5;
  for (int y = 1; y <= 18; ++y) {
    const double t = (y + 0.5 - cy) / ry;
    if (std::fabs(t) > 1) continue;
    const int x = static_cast<int>(std::lround(cx + rx * std::sqrt(1 - t * t)));
    const bool grip = y >= 8 && y <= 10;
    g.set(x, y, grip ? Brick : WoodLight);
    g.set(x + 1, y, grip ? BrickDark : Wood);
  }
  for (int y = 2; y <= 17; ++y) g.set(14, y, Snow);  // string
  // Arrow, nocked and pointing right.
  for (int x = 12; x <= 25; ++x) {
    g.set(x, 9, WoodLight);
    g.set(x, 10, Wood);
  }
  g.fillRect(26, 8, 2, 4, StoneLight);
  g.set(28, 9, StoneLight);
  g.set(28, 10, Stone);
  g.set(26, 11, Stone);
  g.set(27, 11, Stone);
  g.fillRect(11, 7, 2, 2, Brick);
  g.fillRect(11, 11, 2, 2, Brick);
  g.set(11, 7, Ember);
  return g;
}

// Ice tower: a cluster of glowing crystals.
Grid iceTop() {
  Grid g(kW, kH);
  auto crystal = [&](int cx, int top, int half, int bottom) {
    // A hexagonal prism standing on end: a point, straight sides, three facets.
    for (int y = top; y <= bottom; ++y) {
      const int w = std::min(half, y - top);
      for (int x = cx - w; x <= cx + w; ++x) {
        Tone t = WaterLight;
        if (x < cx - w / 3) t = Snow;
        else if (x > cx + w / 3) t = Water;
        if (x == cx + w && w > 1) t = WaterDark;
        g.set(x, y, t);
      }
    }
  };
  crystal(9, 6, 3, 17);
  crystal(23, 4, 3, 17);
  crystal(16, 0, 5, 17);
  g.set(15, 3, Snow);
  g.set(16, 5, Snow);
  g.fillRect(17, 7, 1, 6, WaterLight);  // a glint running down the big facet
  // Sparkles.
  const int sparkles[][2] = {{4, 3}, {28, 1}};
  for (const auto& s : sparkles) {
    g.set(s[0], s[1], Snow);
    g.set(s[0] - 1, s[1], WaterLight);
    g.set(s[0] + 1, s[1], WaterLight);
    g.set(s[0], s[1] - 1, WaterLight);
    g.set(s[0], s[1] + 1, WaterLight);
  }
  g.set(28, 9, Snow);
  return g;
}

// Skunk tower: a striped funnel breathing out wavy yellow-green stink.
Grid skunkTop() {
  Grid g(kW, kH);
  // Funnel, black with a white stripe like the animal, its dark mouth open to the sky.
  for (int y = 10; y <= 17; ++y) {
    const int half = y <= 12 ? 7 - (y - 10) : 4;
    g.fillRect(16 - half, y, 2 * half, 1, StoneDark);
    g.set(16 - half, y, Stone);
    g.set(15 + half, y, Outline);
    g.fillRect(15, y, 2, 1, Snow);
  }
  g.fillRect(10, 10, 12, 1, Outline);
  g.fillRect(9, 9, 14, 1, StoneDark);
  g.fillRect(9, 9, 6, 1, Stone);
  g.fillRect(15, 9, 2, 1, Snow);
  return g;
}

// The stink itself: wavy fumes and loose puffs, ringed in green rather than ink so they read
// as gas.
Grid stinkCloud() {
  Grid gas(kW, kH);
  const struct {
    int x, top;
    double phase;
  } fumes[] = {{9, 3, 0.0}, {15, 0, 2.0}, {22, 2, 3.6}};
  for (const auto& f : fumes)
    for (int y = f.top; y <= 8; ++y) {
      const int x = f.x + static_cast<int>(std::lround(1.2 * std::sin(y * 1.1 + f.phase)));
      gas.set(x, y, Straw);
      gas.set(x + 1, y, GrassLight);
    }
  const struct {
    double x, y, r;
  } puffs[] = {{5.5, 4.5, 1.8}, {26.5, 6.5, 1.8}, {26.0, 1.5, 1.3}, {4.0, 0.8, 1.2}};
  for (const auto& p : puffs) {
    gas.fillEllipse(p.x, p.y, p.r, p.r, GrassLight);
    gas.set(static_cast<int>(p.x) - 1, static_cast<int>(p.y) - 1, Straw);
  }
  gas.outline(Grass);
  return gas;
}

// Slap tower: a big yellow glove on a coiled spring.
Grid slapTop() {
  Grid g(kW, kH);
  // Spring.
  for (int i = 0; i < 4; ++i) {
    const int y = 11 + i * 2;
    g.fillRect(13, y, 6, 1, StoneLight);
    g.fillRect(13, y + 1, 6, 1, StoneDark);
    g.set(18, y, Stone);
  }
  // Wrist cuff.
  g.fillRect(11, 10, 10, 2, Slate);
  g.fillRect(11, 10, 10, 1, SlateLight);
  g.fillRect(20, 10, 1, 2, SlateDark);
  // Palm.
  g.fillEllipse(16.0, 6.5, 6.0, 3.8, Gold);
  // Fingers, spread wide.
  const int fingers[4][2] = {{10, 1}, {14, 0}, {18, 0}, {22, 1}};
  for (const auto& f : fingers) {
    g.fillRect(f[0], f[1], 2, 6, Gold);
    g.set(f[0], f[1], Straw);
    g.set(f[0], f[1] + 1, Straw);
    g.set(f[0] + 1, f[1] + 5, GoldDark);
  }
  // Thumb out to the left.
  g.fillRect(6, 5, 5, 2, Gold);
  g.fillRect(6, 5, 3, 1, Straw);
  g.set(5, 4, Gold);
  // Palm shading and a crease.
  g.fillEllipse(14.5, 5.8, 3.0, 1.8, Straw);
  for (int x = 19; x <= 21; ++x) g.set(x, 8, GoldDark);
  g.set(21, 7, GoldDark);
  g.line(13, 8, 18, 8, GoldDark);
  // Whoosh marks.
  const int whoosh[][2] = {{2, 9}, {3, 9}, {1, 11}, {2, 11}, {28, 9}, {29, 9}, {28, 11}, {29, 11}};
  for (const auto& w : whoosh) g.set(w[0], w[1], Snow);
  return g;
}

}  // namespace

std::vector<Picture> makeTowers() {
  return {
      {"image/tower.png", finish(arrowTop()).toImage()},
      {"image/ice_tower.png", finish(iceTop()).toImage()},
      {"image/skunk_tower.png", finish(skunkTop(), stinkCloud()).toImage()},
      {"image/slap_tower.png", finish(slapTop()).toImage()},
  };
}

}  // namespace assetgen
