#include "palette.h"

#include <array>

namespace assetgen {

namespace {
// 0xRRGGBBAA
constexpr std::array<std::uint32_t, ToneCount> kTable = {
    0x00000000,  // Clear
    0x241c2cff,  // Outline
    0x4e4a5eff,  // StoneDark
    0x817c90ff,  // Stone
    0xbab5c4ff,  // StoneLight
    0x2f5f34ff,  // GrassDark
    0x4f8d3cff,  // Grass
    0x86bf4eff,  // GrassLight
    0x5a3524ff,  // WoodDark
    0x8b5a34ff,  // Wood
    0xc38b4fff,  // WoodLight
    0x4c4440ff,  // FurDark
    0x7b6e62ff,  // Fur
    0xa99b88ff,  // FurLight
    0x2a4f8eff,  // WaterDark
    0x3d86ccff,  // Water
    0x8fd3f2ff,  // WaterLight
    0x6f2630ff,  // BrickDark
    0xb5432fff,  // Brick
    0xee8a2eff,  // Ember
    0xf3cf55ff,  // Straw
    0xf1e4bfff,  // Cream
    0xfdfbefff,  // Snow
    0x5c2a63ff,  // Berry
    0x9a5694ff,  // Plum
    0x34446eff,  // SlateDark
    0x5873a6ff,  // Slate
    0x8fa6cfff,  // SlateLight
    0x2b2433ff,  // CharcoalDark
    0x3b3446ff,  // Charcoal
    0xb07a2cff,  // GoldDark
    0xe3ad3fff,  // Gold
};
}  // namespace

sf::Color colorOf(Tone tone) {
  const std::uint32_t v = kTable[tone < ToneCount ? tone : 0];
  return sf::Color(static_cast<sf::Uint8>(v >> 24), static_cast<sf::Uint8>(v >> 16),
                   static_cast<sf::Uint8>(v >> 8), static_cast<sf::Uint8>(v));
}

}  // namespace assetgen
