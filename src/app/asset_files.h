#pragma once
// Checks of the game's own image, sound and font files before the multimedia
// library reads them. The library believes a file's header: a header that
// claims more than the file holds makes it reserve gigabytes, a picture
// larger than the graphics driver takes is decoded only to be thrown away,
// and a named pipe makes it wait for ever. Each check returns why the file
// must be left out, or nothing; a missing file is left to the library, which
// reports it itself.

#include <string>

// Anything but a regular file (or a link to one).
std::string checkDataFile(const std::string& path);
// A PNG whose size is beyond maxSide pixels, or whose header claims more
// pixels than the file can hold. Files that are no PNG are left to the library.
std::string checkImageFile(const std::string& path, unsigned maxSide);
// A WAV file whose data chunk claims more bytes than follow it. Files that
// are no WAV are left to the library.
std::string checkSoundFile(const std::string& path);
