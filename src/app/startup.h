#pragma once
// The few things the game asks of the operating system itself. Everything
// else goes through SFML, but these must happen before SFML or our own code
// first touches a file, the display or standard error, so the asset registry
// runs prepareProcess ahead of its first global (before main).

#include <filesystem>
#include <string>

// All of the below, in this order; ends the process with status 1 when there
// is no display to open.
void prepareProcess();

// Descriptors 0, 1 and 2 that are closed are opened on /dev/null: otherwise
// the display connection takes descriptor 2 and the library's first warning
// is written into it.
void openStandardStreams();
// A reader of our messages that goes away must not end the game: writes to
// the broken pipe then simply fail.
void ignoreBrokenPipes();
// Why the display cannot be opened, or nothing when it can.
std::string checkDisplay();
// The data is looked up in the working folder. When it is not there but
// beside the program, the program's folder becomes the working folder; when
// it is in neither, a message naming both is returned (once, at start-up).
std::string findDataFolder(const std::filesystem::path& programFolder);
bool holdsGameData(const std::filesystem::path& folder);

// Whether the audio library could open a sound device.
bool audioDeviceOpen();
