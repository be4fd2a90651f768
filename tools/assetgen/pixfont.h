// Brambleholt's own blocky lettering: 5x7 capitals, digits and a little punctuation.
#pragma once

#include "pixgrid.h"

#include <string>

namespace assetgen {

struct TextStyle {
  int scale = 1;      // each font pixel becomes scale x scale
  bool bold = false;  // thickens every stroke one font pixel to the right
  int gap = 1;        // font pixels between letters
};

// Width in pixels of `text` in `style` (lower case is drawn as upper case).
int textWidth(const std::string& text, const TextStyle& style);
int textHeight(const TextStyle& style);

// The letters of `text` as a mask (tone `face` on clear), tight to the text.
Grid textMask(const std::string& text, const TextStyle& style, Tone face);

// Title lettering: lit upper half, base lower half, outline, and a drop shadow of `depth` pixels.
Grid titleText(const std::string& text, const TextStyle& style, Tone lit, Tone base, Tone shadow, int depth);
// The same treatment for any lettering mask (such as text set in the shipped font).
Grid titleLettering(const Grid& mask, Tone lit, Tone base, Tone shadow, int depth);

}  // namespace assetgen
