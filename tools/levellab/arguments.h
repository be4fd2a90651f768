#pragma once
// Reading the lab tools' command-line numbers.

#include <optional>

// The number the whole of text spells, when it lies from low to high;
// nothing for a missing text, trailing words, not-a-number or a number out
// of range.
std::optional<float> numberWithin(const char* text, float low, float high);
