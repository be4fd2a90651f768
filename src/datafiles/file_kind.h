#pragma once
// What kind of file or folder a data path names, before anything opens it.
// Opening a named pipe would wait for a writer, and a device or a folder is
// no data file either.

#include "datafiles/map_refusal.h"

#include <filesystem>
#include <string>

// Anything but a regular file (or a link to one) is refused, in both
// languages; empty for a regular file.
Refusal checkRegularFile(const std::string& path);
// The same in English for a picture, a sound or the font, where a missing
// file is left to the library, which reports it itself: empty then too.
std::string checkDataFile(const std::string& path);
// Whether a folder holds the whole data set: map/, image/, sound/ and hei.ttf.
bool holdsGameData(const std::filesystem::path& folder);
