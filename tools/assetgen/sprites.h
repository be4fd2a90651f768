// Pieces of art that more than one family paints with (the menu reuses the cottage, the
// meadow and the wolves; the icon reuses the cottage).
#pragma once

#include "pixgrid.h"

#include <string>

namespace assetgen {

Grid cottageSprite();                  // 32 x 32, as in image/home.png
Grid meadowTile();                     // 48 x 48 of seamless grass
// One 32 x 32 frame of a wolf sheet. kind: "regular", "baby", "throwing", "suicidal",
// "hacking" or "catapult"; row 0..3 = down, left, right, up; col 0..2 = step A, stand, step B.
Grid wolfFrame(const std::string& kind, int row, int col);

}  // namespace assetgen
