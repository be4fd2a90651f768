// The one palette every Brambleholt picture is painted with.
// Materials come in three shades: shadow, base and lit (light falls from the top left).
#pragma once

#include <SFML/Graphics/Color.hpp>
#include <cstdint>

namespace assetgen {

enum Tone : std::uint8_t {
  Clear = 0,
  Outline,                            // the dark line around every creature and building
  StoneDark, Stone, StoneLight,
  GrassDark, Grass, GrassLight,
  WoodDark, Wood, WoodLight,
  FurDark, Fur, FurLight,
  WaterDark, Water, WaterLight,
  BrickDark, Brick, Ember,            // red accents; Ember is also fire and sparks
  Straw, Cream, Snow,
  Berry, Plum,                        // bramble fruit, shadow and lit
  SlateDark, Slate, SlateLight,       // coats: the thrower's blue-grey,
  CharcoalDark, Charcoal,             // the hacker's near-black (lit with StoneDark),
  GoldDark, Gold,                     // the catapult crew's gold (lit with Straw)
  ToneCount
};

sf::Color colorOf(Tone tone);

}  // namespace assetgen
