#pragma once
// The few things the game asks of the operating system itself. Everything
// else goes through SFML, but these must happen before SFML or our own code
// first touches a file, the display or standard error, so the asset registry
// runs prepareProcess ahead of its first global (before main).

#include <filesystem>
#include <string>

// All of the below, in this order (the data folder before the audio); ends the process with status 1 when there
// is no display to open.
void prepareProcess();

// Descriptors 0, 1 and 2 that are closed are opened on /dev/null: otherwise
// the display connection takes descriptor 2 and the library's first warning
// is written into it.
void openStandardStreams();
// A reader of our messages that goes away must not end the game: writes to
// the broken pipe then simply fail.
void ignoreBrokenPipes();
// Why the game cannot open its window on the display, or nothing when it
// can: the display must open, and name its first screen (the graphics
// library fails with an X error on any other). With keepOpen, the connection
// stays open for the life of the process: an X server that resets when its
// last client leaves (as Xvfb does by default) would otherwise reset between
// this check and the library's own connection, and the library aborts then.
std::string checkDisplay(bool keepOpen = false);
// The data is looked up in the working folder. When not all of it is there
// but all of it is beside the program, the program's folder becomes the
// working folder; when it is whole in neither, a message naming both is
// returned (once, at start-up).
std::string findDataFolder(const std::filesystem::path& programFolder);

// Without a sound device the audio library would write its own errors for
// every sound the game loads, burying the game's one notice. So before the
// library is first used, unless the user chose its drivers (ALSOFT_DRIVERS),
// it is asked in a child process whether it can open a device; when it
// cannot, it is set to its silent driver, and audioDeviceOpen says no.
void chooseSilentAudioWithoutDevice();
// Whether the audio library opened a sound device that plays.
bool audioDeviceOpen();
