#pragma once
// Checks of the game's own image, sound and font files before the multimedia
// library reads them. The library believes a file's header and its data: a
// header that claims more than the file holds makes it reserve gigabytes, a
// picture larger than the graphics driver takes is decoded only to be thrown
// away, compressed pixels that stop short make its PNG decoder run for ever,
// a WAV without its format divides by zero, and a named pipe makes it wait
// for ever. Each check returns why the file must be left out, or nothing; a
// missing or unreadable file is left to the library, which reports it itself.

#include "datafiles/file_kind.h"

#include <string>

// Only a PNG that a strict reading of its chunks accepts goes on to the
// library: the signature, IHDR first with valid fields, every chunk within
// the file and with its checksum, a palette where one is needed, the IDAT
// chunks in one run whose compressed stream ends and holds exactly the rows
// of the picture's size, and IEND. A picture beyond maxSide pixels, or one
// whose header claims more pixels than the file can hold, is left out too.
std::string checkImageFile(const std::string& path, unsigned maxSide);
// A WAV file is walked chunk by chunk as the library walks it: its sound must
// follow its format, must not claim more bytes than follow it, and must come
// within the first maxChunksBeforeSound chunks. Files that are no WAV are
// left to the library.
std::string checkSoundFile(const std::string& path);
constexpr int maxChunksBeforeSound = 100;
