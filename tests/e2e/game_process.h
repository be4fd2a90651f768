#pragma once
// Runs the real game in its runtime folder and drives it like a player:
// finds its window, moves and clicks the mouse and presses keys through the X
// server's XTest extension, reads the window's pixels and saves screenshots,
// and closes the window the way a window manager's close button does (a
// WM_DELETE_WINDOW client message).

#include <chrono>
#include <functional>
#include <optional>
#include <string>

// Xlib's macros clash with other headers, so Xlib stays inside the source.
struct _XDisplay;

class GameProcess
{
public:
    GameProcess();
    ~GameProcess(); // kills the game if a test left it running
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    // Starts the game from a runtime folder (the build's by default) and
    // waits until its window is mapped; false on timeout.
    bool start(const std::string& folder = BRAMBLEHOLT_GAME_DIR,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // The same for any program that opens the game's window, such as an
    // installed launcher, started from the given working folder. A name
    // without a slash is looked up on PATH.
    bool startProgram(const std::string& program, const std::string& folder,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10));

    unsigned long window() const { return window_; }
    // The window's size as the X server reports it.
    bool windowSize(unsigned& width, unsigned& height) const;
    std::string windowTitle() const;
    // Resizes the window as a tiling window manager does, heedless of its
    // fixed size, in the screen's corner so that all of it shows.
    void resize(unsigned width, unsigned height) const;

    void click(int x, int y, int button = 1) const;
    void press(int x, int y, int button = 1) const; // press without release
    void key(const std::string& name) const;
    void pause(std::chrono::milliseconds duration) const;
    // Looks again and again until the window shows what is looked for: true
    // as soon as it does, false when it has not after the timeout (a bound
    // for a machine under load, not a time to wait).
    bool waitUntil(const std::function<bool()>& shows,
                   std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;

    // Saves the window's content as PNG in the screenshot folder and returns its path.
    std::string screenshot(const std::string& name) const;
    // The colour of one window pixel, read from the X server.
    unsigned long pixel(int x, int y) const;
    // Every pixel of a window rectangle, to tell whether something changed.
    std::string region(int x, int y, int width, int height) const;
    // How many pixels of a rectangle are near white (light lettering).
    int brightPixels(int x, int y, int width, int height) const;

    void requestClose() const;
    // The exit status once the game has ended, or nothing on timeout.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    bool running();

private:
    _XDisplay* display_ = nullptr;
    unsigned long window_ = 0;
    int pid_ = -1;
};

// Red, green and blue of an X pixel value on a 24-bit screen.
struct Rgb
{
    int r, g, b;
};
Rgb toRgb(unsigned long pixel);
