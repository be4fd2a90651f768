#include "pixgrid.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen {

Key::Key() {
  map_.fill(-1);
  const struct {
    char c;
    Tone t;
  } defaults[] = {
      {'.', Clear},      {'k', Outline},    {'q', StoneDark}, {'s', Stone},     {'S', StoneLight},
      {'g', GrassDark},  {'G', Grass},      {'h', GrassLight}, {'d', WoodDark}, {'w', Wood},
      {'W', WoodLight},  {'n', FurDark},    {'f', Fur},       {'F', FurLight},  {'b', WaterDark},
      {'B', Water},      {'i', WaterLight}, {'r', BrickDark}, {'R', Brick},     {'o', Ember},
      {'y', Straw},      {'c', Cream},      {'e', Snow},      {'p', Berry},      {'P', Plum},
  };
  for (const auto& d : defaults) map_[static_cast<unsigned char>(d.c)] = d.t;
}

Key& Key::with(char c, Tone tone) {
  map_[static_cast<unsigned char>(c) & 127] = tone;
  return *this;
}

bool Key::knows(char c) const {
  const auto u = static_cast<unsigned char>(c);
  return u < 128 && map_[u] >= 0;
}

Tone Key::operator()(char c) const {
  if (!knows(c)) throw std::runtime_error(std::string("sprite uses unknown colour key '") + c + "'");
  return static_cast<Tone>(map_[static_cast<unsigned char>(c)]);
}

Grid::Grid(int width, int height, Tone fill)
    : w_(width), h_(height), px_(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

Grid Grid::parse(const std::vector<std::string>& rows, const Key& key) {
  if (rows.empty()) throw std::runtime_error("empty sprite");
  const int w = static_cast<int>(rows[0].size());
  Grid g(w, static_cast<int>(rows.size()));
  for (int y = 0; y < g.h_; ++y) {
    const std::string& row = rows[static_cast<size_t>(y)];
    if (static_cast<int>(row.size()) != w)
      throw std::runtime_error("sprite row " + std::to_string(y) + " is " + std::to_string(row.size()) +
                               " wide, expected " + std::to_string(w) + ": \"" + row + "\"");
    for (int x = 0; x < w; ++x) g.set(x, y, key(row[static_cast<size_t>(x)]));
  }
  return g;
}

static int wrap(int v, int n) { return ((v % n) + n) % n; }

Tone Grid::atWrapped(int x, int y) const { return px_[wrap(y, h_) * w_ + wrap(x, w_)]; }
void Grid::setWrapped(int x, int y, Tone tone) { px_[wrap(y, h_) * w_ + wrap(x, w_)] = tone; }

void Grid::fillRect(int x, int y, int w, int h, Tone tone) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) set(i, j, tone);
}

void Grid::fillEllipse(double cx, double cy, double rx, double ry, Tone tone) {
  if (rx <= 0 || ry <= 0) return;
  const int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
  const int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) set(x, y, tone);
    }
}

void Grid::line(int x0, int y0, int x1, int y1, Tone tone) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    set(x0, y0, tone);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x0 += sx; }
    if (e2 <= dx) { err += dx; y0 += sy; }
  }
}

void Grid::stamp(const Grid& sprite, int x, int y) {
  for (int j = 0; j < sprite.h_; ++j)
    for (int i = 0; i < sprite.w_; ++i) {
      const Tone t = sprite.at(i, j);
      if (t != Clear) set(x + i, y + j, t);
    }
}

void Grid::stampMask(const Grid& mask, int x, int y, Tone tone) {
  for (int j = 0; j < mask.h_; ++j)
    for (int i = 0; i < mask.w_; ++i)
      if (mask.at(i, j) != Clear) set(x + i, y + j, tone);
}

void Grid::replace(Tone from, Tone to) { std::replace(px_.begin(), px_.end(), from, to); }

void Grid::outline(Tone ink) {
  Grid out = *this;
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      if (at(x, y) != Clear) continue;
      const Tone n[4] = {at(x - 1, y), at(x + 1, y), at(x, y - 1), at(x, y + 1)};
      for (Tone t : n)
        if (t != Clear && t != ink) { out.set(x, y, ink); break; }
    }
  *this = out;
}

Grid Grid::mirrored() const {
  Grid g(w_, h_);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) g.set(w_ - 1 - x, y, at(x, y));
  return g;
}

Grid Grid::scaled(int factor) const {
  Grid g(w_ * factor, h_ * factor);
  for (int y = 0; y < g.h_; ++y)
    for (int x = 0; x < g.w_; ++x) g.set(x, y, at(x / factor, y / factor));
  return g;
}

Grid Grid::crop(int x, int y, int w, int h) const {
  Grid g(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) g.set(i, j, at(x + i, y + j));
  return g;
}

sf::Image Grid::toImage() const {
  sf::Image img;
  img.create(static_cast<unsigned>(w_), static_cast<unsigned>(h_), sf::Color::Transparent);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x)
      img.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y), colorOf(at(x, y)));
  return img;
}

std::uint64_t Rng::next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int Rng::below(int n) { return n <= 1 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
int Rng::range(int lo, int hi) { return lo + below(hi - lo + 1); }
double Rng::unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

TileNoise::TileNoise(std::uint64_t seed, int period, int cell)
    : period_(period), cell_(cell), lattice_(period / cell) {
  if (lattice_ < 1 || lattice_ * cell_ != period_)
    throw std::runtime_error("noise cell must divide its period");
  Rng rng(seed);
  values_.resize(static_cast<size_t>(lattice_ * lattice_));
  for (double& v : values_) v = rng.unit();
}

double TileNoise::at(int x, int y) const {
  x = wrap(x, period_);
  y = wrap(y, period_);
  const int gx = x / cell_, gy = y / cell_;
  const double fx = static_cast<double>(x % cell_) / cell_, fy = static_cast<double>(y % cell_) / cell_;
  auto v = [&](int i, int j) { return values_[static_cast<size_t>(wrap(j, lattice_) * lattice_ + wrap(i, lattice_))]; };
  auto smooth = [](double t) { return t * t * (3 - 2 * t); };
  const double sx = smooth(fx), sy = smooth(fy);
  const double top = v(gx, gy) + (v(gx + 1, gy) - v(gx, gy)) * sx;
  const double bottom = v(gx, gy + 1) + (v(gx + 1, gy + 1) - v(gx, gy + 1)) * sx;
  return top + (bottom - top) * sy;
}

sf::Image scaleNearest(const sf::Image& src, double factor) {
  const sf::Vector2u s = src.getSize();
  const unsigned w = static_cast<unsigned>(std::lround(s.x * factor));
  const unsigned h = static_cast<unsigned>(std::lround(s.y * factor));
  sf::Image out;
  out.create(w, h, sf::Color::Transparent);
  for (unsigned y = 0; y < h; ++y)
    for (unsigned x = 0; x < w; ++x) {
      const unsigned sx = std::min(s.x - 1, static_cast<unsigned>((x + 0.5) / factor));
      const unsigned sy = std::min(s.y - 1, static_cast<unsigned>((y + 0.5) / factor));
      out.setPixel(x, y, src.getPixel(sx, sy));
    }
  return out;
}

void blit(sf::Image& dst, const sf::Image& src, int x, int y, int alpha) {
  const sf::Vector2u ds = dst.getSize(), ss = src.getSize();
  for (unsigned j = 0; j < ss.y; ++j)
    for (unsigned i = 0; i < ss.x; ++i) {
      const int tx = x + static_cast<int>(i), ty = y + static_cast<int>(j);
      if (tx < 0 || ty < 0 || tx >= static_cast<int>(ds.x) || ty >= static_cast<int>(ds.y)) continue;
      const sf::Color s = src.getPixel(i, j);
      const int a = s.a * alpha / 255;
      if (a == 0) continue;
      const sf::Color d = dst.getPixel(static_cast<unsigned>(tx), static_cast<unsigned>(ty));
      const int outA = a + d.a * (255 - a) / 255;
      auto mix = [&](int sc, int dc) {
        return static_cast<sf::Uint8>(outA == 0 ? 0 : (sc * a + dc * d.a * (255 - a) / 255) / outA);
      };
      dst.setPixel(static_cast<unsigned>(tx), static_cast<unsigned>(ty),
                   sf::Color(mix(s.r, d.r), mix(s.g, d.g), mix(s.b, d.b), static_cast<sf::Uint8>(outA)));
    }
}

}  // namespace assetgen
