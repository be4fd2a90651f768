#include "app/startup.h"

#include "datafiles/file_kind.h"

#include <AL/alc.h>
#include <X11/Xlib.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The start-up check's display connection, kept for the life of the process.
Display* keptDisplay = nullptr;

// Set when start-up found no sound device and chose the silent driver.
bool silentAudioChosen = false;

// Whether the audio library can open its default device. A child process
// asks: the library reads its choice of driver once, at its first call, and
// that must still be ahead in this process; the child's errors go nowhere.
bool audioDeviceAvailable()
{
    const pid_t child = fork();
    if (child < 0)
        return true; // cannot ask: the library will say for itself
    if (child == 0) {
        const int nowhere = open("/dev/null", O_WRONLY);
        dup2(nowhere, 1);
        dup2(nowhere, 2);
        ALCdevice* device = alcOpenDevice(nullptr);
        if (device)
            alcCloseDevice(device);
        _exit(device ? 0 : 1);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return true;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

void openStandardStreams()
{
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        // open() takes the lowest free descriptor: this one, as the lower
        // ones are open by now.
        if (fcntl(descriptor, F_GETFD) == -1)
            open("/dev/null", O_RDWR);
    }
}

void ignoreBrokenPipes()
{
    std::signal(SIGPIPE, SIG_IGN);
}

std::string checkDisplay(bool keepOpen)
{
    // SFML aborts the process when it finds no display; ask first.
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        const char* name = std::getenv("DISPLAY");
        if (!name || !*name)
            return "no display: DISPLAY is not set, and the game needs an X display";
        return std::string("cannot open the display \"") + name + "\", and the game needs an X display";
    }
    // On any screen but a display's first, SFML's window setup asks for a
    // colormap the server refuses (BadMatch), and Xlib ends the process with
    // a raw error.
    const int screen = DefaultScreen(display);
    const std::string name = DisplayString(display);
    if (screen == 0 && keepOpen && !keptDisplay)
        keptDisplay = display;
    else
        XCloseDisplay(display);
    if (screen != 0)
        return "cannot open a window on screen " + std::to_string(screen) + " of the display \"" + name +
               "\" (only on a display's first screen), and the game needs a screen it can open a window on";
    return {};
}

std::string findDataFolder(const fs::path& programFolder)
{
    std::error_code error;
    const fs::path working = fs::current_path(error);
    if (holdsGameData(working))
        return {};
    if (!programFolder.empty() && holdsGameData(programFolder)) {
        fs::current_path(programFolder, error);
        if (!error)
            return {};
    }
    return "the whole of the game's data (map/, image/, sound/, hei.ttf) is neither in the working folder " +
           working.string() + " nor beside the program in " + programFolder.string() + "; going on without it";
}

void chooseSilentAudioWithoutDevice()
{
    const char* chosen = std::getenv("ALSOFT_DRIVERS");
    if ((chosen && *chosen) || audioDeviceAvailable())
        return;
    setenv("ALSOFT_DRIVERS", "null", 1);
    silentAudioChosen = true;
}

bool audioDeviceOpen()
{
    // SFML makes its context current when it opens the device, and says
    // nothing we could ask when it cannot.
    return !silentAudioChosen && alcGetCurrentContext() != nullptr;
}

void prepareProcess()
{
    openStandardStreams();
    ignoreBrokenPipes();
    if (const std::string problem = checkDisplay(true); !problem.empty()) {
        std::fprintf(stderr, "brambleholt: %s\n", problem.c_str());
        std::exit(1);
    }
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (const std::string problem = findDataFolder(error ? fs::path() : program.parent_path()); !problem.empty())
        std::fprintf(stderr, "brambleholt: %s\n", problem.c_str());
    chooseSilentAudioWithoutDevice();
}
