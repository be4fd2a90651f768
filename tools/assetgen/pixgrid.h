// A small paint box: a grid of palette tones, text sprites, shapes and seeded noise.
#pragma once

#include "palette.h"

#include <SFML/Graphics/Image.hpp>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// Which tone each character of a text sprite stands for.
//   .  clear            k  outline
//   q s S  stone        g G h  grass        d w W  wood
//   n f F  fur          b B i  water        r R o  brick red / ember
//   y straw  c cream  e snow  p P berry
// Sprites may bind extra characters (for a kind's own colours) with with().
class Key {
 public:
  Key();
  Key& with(char c, Tone tone);
  bool knows(char c) const;
  Tone operator()(char c) const;

 private:
  std::array<int, 128> map_;
};

class Grid {
 public:
  Grid() = default;
  Grid(int width, int height, Tone fill = Clear);

  // Throws std::runtime_error on ragged rows or characters the key does not know.
  static Grid parse(const std::vector<std::string>& rows, const Key& key = Key());

  int width() const { return w_; }
  int height() const { return h_; }
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }

  Tone at(int x, int y) const { return inside(x, y) ? px_[y * w_ + x] : Clear; }
  void set(int x, int y, Tone tone) {
    if (inside(x, y)) px_[y * w_ + x] = tone;
  }
  // Wrapping access, for tiles that must repeat without seams.
  Tone atWrapped(int x, int y) const;
  void setWrapped(int x, int y, Tone tone);

  void fillRect(int x, int y, int w, int h, Tone tone);
  // Pixel (x, y) is painted when its centre lies inside the ellipse.
  void fillEllipse(double cx, double cy, double rx, double ry, Tone tone);
  void line(int x0, int y0, int x1, int y1, Tone tone);
  // Copies the non-clear pixels of `sprite` with its top-left corner at (x, y).
  void stamp(const Grid& sprite, int x, int y);
  // Paints `tone` over every non-clear pixel of `mask` placed at (x, y).
  void stampMask(const Grid& mask, int x, int y, Tone tone);
  void replace(Tone from, Tone to);
  // Rings every opaque shape with `ink` on its clear 4-neighbours.
  void outline(Tone ink = Outline);

  Grid mirrored() const;
  Grid scaled(int factor) const;
  Grid crop(int x, int y, int w, int h) const;

  sf::Image toImage() const;

 private:
  int w_ = 0;
  int h_ = 0;
  std::vector<Tone> px_;
};

// SplitMix64: small, fast and the same on every machine, so the art never changes between builds.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next();
  int below(int n);                 // 0 .. n-1
  int range(int lo, int hi);        // lo .. hi inclusive
  double unit();                    // [0, 1)
  bool chance(double p) { return unit() < p; }

 private:
  std::uint64_t state_;
};

// Smooth value noise in [0, 1) that repeats every `period` pixels in both directions.
class TileNoise {
 public:
  TileNoise(std::uint64_t seed, int period, int cell);
  double at(int x, int y) const;

 private:
  int period_;
  int cell_;
  int lattice_;
  std::vector<double> values_;
};

// Nearest-neighbour resampling, the way the game draws unsmoothed textures.
sf::Image scaleNearest(const sf::Image& src, double factor);
// Draws `src` over `dst` at (x, y) with ordinary alpha blending; `alpha` scales the source.
void blit(sf::Image& dst, const sf::Image& src, int x, int y, int alpha = 255);

}  // namespace assetgen
