#pragma once
// Reads a recording the game wrote with --record (its format is described in
// src/app/recording.h), one line at a time, so that any file, however long
// or damaged, is read in a little memory. A damaged line stops the reading
// with a reason that names the line.

#include "app/play_watch.h"

#include <cstdint>
#include <istream>
#include <optional>
#include <string>

struct RecordedEntry
{
    enum Kind
    {
        Click,
        Key,
        Close,
        Level,
        LevelRefused,
        Frame,
        End,
    };
    Kind kind = Click;
    int line = 0;
    int x = 0, y = 0;          // a click's window position
    int code = 0;              // a key
    int level = 0;             // Level, LevelRefused
    std::uint64_t checksum = 0; // Level: the map file's
    std::int64_t micros = 0;   // Frame: its length
    PlayEnd end{};             // End
};

class RecordingReader
{
public:
    explicit RecordingReader(std::istream& in) : in_(in) {}
    // The next entry; none at the end of the file or at a damaged line, and
    // then error() tells which.
    std::optional<RecordedEntry> next();
    const std::string& error() const { return error_; }
    // The file's last line had no line break: the game was stopped while
    // writing it, and it is left out.
    bool cutOff() const { return cutOff_; }
    int lines() const { return line_; }

private:
    bool readLine();
    std::optional<RecordedEntry> fail(const std::string& why);

    std::istream& in_;
    std::string text_;
    std::string error_;
    int line_ = 0;
    bool cutOff_ = false;
    bool closed_ = false;  // the window closed: only the play's end may follow
    bool endAfterClose_ = false;
};

// Reads a whole recording without playing it; the reason it is refused, or
// nothing when every line reads.
std::string checkRecordingText(std::istream& in);
