#include "fontlettering.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <memory>
#include <stdexcept>
#include <vector>

namespace assetgen {

namespace {

std::string& fontFile() {
  static std::string path = ASSETGEN_DEFAULT_FONT;
  return path;
}

std::u32string decodeUtf8(const std::string& text) {
  std::u32string out;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < text.size(); ++k) c = (c << 6) | (text[i + k] & 0x3F);
    out.push_back(c);
    i += static_cast<size_t>(extra) + 1;
  }
  return out;
}

struct Library {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~Library() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

}  // namespace

void useFontFile(const std::string& path) { fontFile() = path; }

Grid fontText(const std::string& utf8, int pixelSize, Tone face) {
  Library ft;
  if (FT_Init_FreeType(&ft.library) || FT_New_Face(ft.library, fontFile().c_str(), 0, &ft.face))
    throw std::runtime_error("cannot read font " + fontFile());
  FT_Set_Pixel_Sizes(ft.face, 0, static_cast<FT_UInt>(pixelSize));

  // Ink pixels on a baseline at y = 0, collected before the grid's size is known.
  struct Dot {
    int x, y;
  };
  std::vector<Dot> ink;
  int pen = 0;
  for (char32_t c : decodeUtf8(utf8)) {
    const FT_UInt index = FT_Get_Char_Index(ft.face, c);
    if (index == 0) throw std::runtime_error("font " + fontFile() + " has no glyph for U+" + std::to_string(c));
    if (FT_Load_Glyph(ft.face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME))
      throw std::runtime_error("cannot render U+" + std::to_string(c));
    const FT_GlyphSlot slot = ft.face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    for (unsigned row = 0; row < bitmap.rows; ++row)
      for (unsigned col = 0; col < bitmap.width; ++col)
        if (bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + col / 8] & (0x80 >> (col % 8)))
          ink.push_back({pen + slot->bitmap_left + static_cast<int>(col), static_cast<int>(row) - slot->bitmap_top});
    pen += static_cast<int>(slot->advance.x >> 6);
  }
  if (ink.empty()) return Grid(0, 0);
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (const Dot& d : ink) {
    left = std::min(left, d.x);
    right = std::max(right, d.x);
    top = std::min(top, d.y);
    bottom = std::max(bottom, d.y);
  }
  Grid g(right - left + 1, bottom - top + 1);
  for (const Dot& d : ink) g.set(d.x - left, d.y - top, face);
  return g;
}

}  // namespace assetgen
