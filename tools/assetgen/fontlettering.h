// Lettering set in the font the game ships (hei.ttf), for the Chinese on the title screen
// and the end-of-level banners. FreeType's monochrome rasteriser gives hard-edged pixels like
// the rest of the art, and needs no display.
#pragma once

#include "pixgrid.h"

#include <string>

namespace assetgen {

// The font file to read; until set, the system copy of the font the build ships.
void useFontFile(const std::string& path);

// `utf8` set at `pixelSize` as a mask of tone `face`, tight to the ink. Throws
// std::runtime_error when the font cannot be read or lacks a character.
Grid fontText(const std::string& utf8, int pixelSize, Tone face);

}  // namespace assetgen
