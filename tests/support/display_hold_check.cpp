// Start-up must hold its display connection until the graphics library has
// its own: an X server that resets when its last client leaves (as Xvfb does
// by default) would otherwise reset in between, and the library aborts. The
// test displays never reset, so the connections are counted instead, before
// and after the start-up guard, in this program of its own: in the test
// programs the guard has run before main. Status 0 when start-up holds one.

#include "app/startup.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include <sys/socket.h>

namespace {

// How many sockets of this process are connected where the given one is.
int connectionsLike(int socket)
{
    sockaddr_storage peer{}, other{};
    socklen_t size = sizeof peer;
    if (getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &size) != 0)
        return 0;
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        socklen_t otherSize = sizeof other;
        const int descriptor = std::stoi(entry.path().filename().string());
        count += getpeername(descriptor, reinterpret_cast<sockaddr*>(&other), &otherSize) == 0 &&
                 otherSize == size && std::memcmp(&peer, &other, size) == 0;
    }
    return count;
}

} // namespace

int main()
{
    Display* counter = XOpenDisplay(nullptr);
    if (!counter) {
        std::puts("cannot open the display to count its connections");
        return 2;
    }
    const int before = connectionsLike(ConnectionNumber(counter));
    prepareProcess();
    const int held = connectionsLike(ConnectionNumber(counter)) - before;
    XCloseDisplay(counter);
    if (held != 1) {
        std::printf("start-up holds %d connections to the display instead of 1\n", held);
        return 1;
    }
    std::puts("start-up holds one connection to the display");
    return 0;
}
