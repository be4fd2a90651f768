#include "pixfont.h"

#include <cctype>
#include <map>
#include <vector>

namespace assetgen {

namespace {

constexpr int kW = 5;
constexpr int kH = 7;

const std::map<char, std::vector<const char*>>& glyphs() {
  static const std::map<char, std::vector<const char*>> g = {
      {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
      {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
      {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
      {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
      {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
      {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
      {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
      {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
      {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
      {'J', {"..###", "...#.", "...#.", "...#.", "#..#.", "#..#.", ".##.."}},
      {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
      {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
      {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
      {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
      {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
      {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
      {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
      {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
      {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
      {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
      {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
      {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
      {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
      {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
      {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
      {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
      {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
      {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
      {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
      {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
      {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
      {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
      {'6', {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}},
      {'7', {"#####", "....#", "...#.", "..#..", "..#..", "..#..", "..#.."}},
      {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
      {'9', {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
      {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
      {'?', {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}},
      {'.', {".....", ".....", ".....", ".....", ".....", ".....", "..#.."}},
      {',', {".....", ".....", ".....", ".....", ".....", "..#..", ".#..."}},
      {'\'', {"..#..", "..#..", ".....", ".....", ".....", ".....", "....."}},
      {'-', {".....", ".....", ".....", ".###.", ".....", ".....", "....."}},
      {':', {".....", "..#..", ".....", ".....", ".....", "..#..", "....."}},
      {'/', {"....#", "....#", "...#.", "..#..", ".#...", "#....", "#...."}},
      {'_', {".....", ".....", ".....", ".....", ".....", ".....", "#####"}},
      {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
  };
  return g;
}

const std::vector<const char*>& glyph(char c) {
  const auto& g = glyphs();
  auto it = g.find(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  return it != g.end() ? it->second : g.at('?');
}

int advance(const TextStyle& s) { return kW + (s.bold ? 1 : 0) + s.gap; }

}  // namespace

int textWidth(const std::string& text, const TextStyle& style) {
  if (text.empty()) return 0;
  const int units = static_cast<int>(text.size()) * advance(style) - style.gap;
  return units * style.scale;
}

int textHeight(const TextStyle& style) { return kH * style.scale; }

Grid textMask(const std::string& text, const TextStyle& style, Tone face) {
  Grid g(textWidth(text, style), textHeight(style));
  int pen = 0;
  for (char c : text) {
    const auto& rows = glyph(c);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        if (rows[static_cast<size_t>(y)][x] != '#') continue;
        const int thick = style.bold ? 2 : 1;
        g.fillRect((pen + x) * style.scale, y * style.scale, thick * style.scale, style.scale, face);
      }
    pen += advance(style);
  }
  return g;
}

Grid titleText(const std::string& text, const TextStyle& style, Tone lit, Tone base, Tone shadow, int depth) {
  return titleLettering(textMask(text, style, base), lit, base, shadow, depth);
}

Grid titleLettering(const Grid& mask, Tone lit, Tone base, Tone shadow, int depth) {
  Grid face(mask.width(), mask.height());
  face.stampMask(mask, 0, 0, base);
  const int pad = 1;
  Grid g(face.width() + 2 * pad + depth, face.height() + 2 * pad + depth);
  // Extruded shadow first, then the outlined face on top.
  for (int d = depth; d >= 1; --d) g.stampMask(face, pad + d, pad + d, shadow);
  g.stamp(face, pad, pad);
  // Light from above: the upper part of every stroke row band is lit.
  const int litRows = face.height() * 3 / 7;
  for (int y = 0; y < litRows; ++y)
    for (int x = 0; x < face.width(); ++x)
      if (face.at(x, y) != Clear) g.set(pad + x, pad + y, lit);
  g.outline(Outline);
  // The outline pass only rings the outside; separate the face from its own shadow too.
  for (int y = 0; y < face.height(); ++y)
    for (int x = 0; x < face.width(); ++x)
      if (face.at(x, y) != Clear && g.at(pad + x + 1, pad + y + 1) == shadow && face.at(x + 1, y + 1) == Clear)
        g.set(pad + x + 1, pad + y + 1, Outline);
  return g;
}

}  // namespace assetgen
