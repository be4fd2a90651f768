#pragma once
// Pictures of the board for a designer: the board as a run left it, with the
// columns and rows numbered as plans name them and, after a lost run, the way
// the wolf that reached the home came in marked.

#include "timeline.h"

#include <optional>
#include <string>

// Whether a picture can be written at this path; empty when it can, else why
// not (checked before a run, so a long trial does not end in nothing).
std::string pictureUnwritable(const std::string& file);
// Saves the board of the World as it stands. Empty when saved, else why not.
std::string saveBoardPicture(const std::string& file, const std::optional<Breach>& breach);
// "a regular wolf came in at row 5 and stepped into the home from (16, 5)".
std::string describeBreach(const Breach& breach);
