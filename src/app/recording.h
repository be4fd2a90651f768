#pragma once
// Recording a play: `brambleholt --record FILE` writes, from the program's
// start to its end, every frame's length and the input that reached the game,
// so the level lab can play it back exactly. Without the option nothing here
// runs. The game only writes recordings; it never reads one.
//
// The file is text, one entry a line:
//   brambleholt-recording 1       the format's version, first
//   click X Y                     a left-button release at window position X, Y
//   key CODE                      a key press (SFML's key code) during play
//   close                         the window's close request
//   level N CHECKSUM              level N loaded from a map file with that checksum
//   level N refused               level N's map could not be loaded
//   frame MICROSECONDS            one frame of play, after its events
//   end HOW TICKS MS HASH         a play ended (won, lost, restarted, left,
//                                 closed) after TICKS ticks, at MS ms of level
//                                 time, with the world's hash then

#include <SFML/System/Time.hpp>
#include <SFML/Window/Event.hpp>

#include <cstdint>
#include <optional>
#include <string>

namespace recording {
constexpr const char* header = "brambleholt-recording";
constexpr int formatVersion = 1;
} // namespace recording

// Reads `--record FILE` from the command line and opens the recording;
// refuses anything else, or a file it cannot write, with one line on standard
// error and a non-zero exit, before the window opens. A relative FILE is
// taken from the folder the game was started in.
void startFromCommandLine(int argc, char** argv);

// The hooks the menu, the play loop and the window's closing call; each does
// nothing unless a recording was started.
void recordMenuEvent(const sf::Event& event);
void recordPlayEvent(const sf::Event& event);
void recordLevel(int level, bool loaded);
void recordFrame(sf::Time dt, bool ticked);
void recordLevelLeft();
void recordClose();

// Opens a recording file directly; the reason when it cannot be written.
std::string startRecording(const std::string& path);
// Writes what is buffered and closes the recording (tests).
void stopRecording();

// FNV-1a over a file's bytes; none when it cannot be read.
std::optional<std::uint64_t> fileChecksum(const std::string& path);
