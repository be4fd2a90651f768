#include "game_process.h"

#include <SFML/Graphics/Image.hpp>

#include <X11/Xlib.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string titleOf(Display* display, Window window)
{
    char* name = nullptr;
    std::string title;
    if (XFetchName(display, window, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

Window findTitled(Display* display, Window parent, const char* title)
{
    if (titleOf(display, parent) == title) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, parent, &attributes) && attributes.map_state == IsViewable)
            return parent;
    }
    Window root, parentOut, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &parentOut, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i)
        found = findTitled(display, children[i], title);
    if (children)
        XFree(children);
    return found;
}

// Calls visit(column, row, pixel) for every pixel of a window rectangle, as
// the X server has it; for none when the rectangle cannot be read.
template <class Visit>
void forEachPixel(Display* display, Window window, int x, int y, int width, int height, Visit visit)
{
    XImage* image = XGetImage(display, window, x, y, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image)
        return;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column)
            visit(column, row, XGetPixel(image, column, row));
    }
    XDestroyImage(image);
}

// Moves the pointer to a point of the window and presses a button there (and
// lets it go, for a click), as a real mouse does.
void mouseAt(Display* display, Window window, int x, int y, int button, bool click)
{
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
    XTestFakeButtonEvent(display, static_cast<unsigned>(button), True, CurrentTime);
    if (click)
        XTestFakeButtonEvent(display, static_cast<unsigned>(button), False, CurrentTime);
    XSync(display, False);
}

} // namespace

Rgb toRgb(unsigned long pixel)
{
    return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
            static_cast<int>(pixel & 0xFF)};
}

GameProcess::GameProcess() : display_(XOpenDisplay(nullptr)) {}

GameProcess::~GameProcess()
{
    if (pid_ > 0 && running()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (display_)
        XCloseDisplay(display_);
}

bool GameProcess::start(const std::string& folder, std::chrono::milliseconds timeout)
{
    return startProgram("./brambleholt", folder, timeout);
}

bool GameProcess::startProgram(const std::string& program, const std::string& folder,
                               std::chrono::milliseconds timeout)
{
    if (!display_)
        return false;
    pid_ = fork();
    if (pid_ == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(126);
        execlp(program.c_str(), "brambleholt", static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        window_ = findTitled(display_, DefaultRootWindow(display_), "Brambleholt");
        if (window_) {
            // Without a window manager the window lands anywhere; put it in
            // the corner so that all of it is on the screen.
            XMoveWindow(display_, window_, 0, 0);
            XSync(display_, False);
            // Give the game a moment to draw its first frame.
            pause(std::chrono::milliseconds(300));
            return true;
        }
        if (!running())
            return false;
        pause(std::chrono::milliseconds(50));
    }
    return false;
}

bool GameProcess::windowSize(unsigned& width, unsigned& height) const
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window_, &attributes))
        return false;
    width = static_cast<unsigned>(attributes.width);
    height = static_cast<unsigned>(attributes.height);
    return true;
}

void GameProcess::resize(unsigned width, unsigned height) const
{
    XMoveResizeWindow(display_, window_, 0, 0, width, height);
    XSync(display_, False);
}

std::string GameProcess::windowTitle() const
{
    return titleOf(display_, window_);
}

void GameProcess::click(int x, int y, int button) const
{
    mouseAt(display_, window_, x, y, button, true);
    pause(std::chrono::milliseconds(150));
}

void GameProcess::press(int x, int y, int button) const
{
    mouseAt(display_, window_, x, y, button, false);
    pause(std::chrono::milliseconds(150));
}

void GameProcess::key(const std::string& name) const
{
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(name.c_str()));
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XSync(display_, False);
    pause(std::chrono::milliseconds(150));
}

void GameProcess::pause(std::chrono::milliseconds duration) const
{
    std::this_thread::sleep_for(duration);
}

bool GameProcess::waitUntil(const std::function<bool()>& shows, std::chrono::milliseconds timeout) const
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!shows()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        pause(std::chrono::milliseconds(20));
    }
    return true;
}

std::string GameProcess::screenshot(const std::string& name) const
{
    std::filesystem::create_directories(BRAMBLEHOLT_SCREENSHOT_DIR);
    const std::string path = std::string(BRAMBLEHOLT_SCREENSHOT_DIR) + "/" + name + ".png";
    unsigned width = 0, height = 0;
    windowSize(width, height);
    sf::Image picture;
    picture.create(width, height);
    forEachPixel(display_, window_, 0, 0, static_cast<int>(width), static_cast<int>(height),
                 [&picture](int x, int y, unsigned long pixel) {
                     const Rgb c = toRgb(pixel);
                     picture.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y), sf::Color(c.r, c.g, c.b));
                 });
    if (!picture.saveToFile(path))
        std::fprintf(stderr, "no screenshot %s\n", path.c_str());
    return path;
}

unsigned long GameProcess::pixel(int x, int y) const
{
    unsigned long value = 0;
    forEachPixel(display_, window_, x, y, 1, 1, [&value](int, int, unsigned long pixel) { value = pixel; });
    return value;
}

std::string GameProcess::region(int x, int y, int width, int height) const
{
    std::string pixels;
    forEachPixel(display_, window_, x, y, width, height,
                 [&pixels](int, int, unsigned long pixel) { pixels += std::to_string(pixel) + ','; });
    return pixels;
}

int GameProcess::brightPixels(int x, int y, int width, int height) const
{
    int bright = 0;
    forEachPixel(display_, window_, x, y, width, height, [&bright](int, int, unsigned long pixel) {
        const Rgb c = toRgb(pixel);
        bright += c.r > 190 && c.g > 190 && c.b > 120;
    });
    return bright;
}

void GameProcess::requestClose() const
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window_, False, NoEventMask, &event);
    XFlush(display_);
}

std::optional<int> GameProcess::waitForExit(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            if (WIFEXITED(status))
                return WEXITSTATUS(status);
            return 128 + WTERMSIG(status);
        }
        pause(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

bool GameProcess::running()
{
    if (pid_ <= 0)
        return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return false;
    }
    return true;
}
