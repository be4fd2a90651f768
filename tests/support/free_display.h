#pragma once
// An X display name that no server answers, found at run time: a local X
// server of display N listens on /tmp/.X11-unix/X<N> and holds the lock
// file /tmp/.X<N>-lock, so a number with neither is dead (unless a server
// starts on it in the moment between).

#include <filesystem>
#include <string>

inline std::string freeDisplayName()
{
    for (int number = 50;; ++number) {
        const std::string n = std::to_string(number);
        std::error_code error;
        if (!std::filesystem::exists("/tmp/.X11-unix/X" + n, error) &&
            !std::filesystem::exists("/tmp/.X" + n + "-lock", error))
            return ":" + n;
    }
}
