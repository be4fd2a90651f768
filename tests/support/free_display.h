#pragma once
// A display number no X server has, found at run time: a local server of
// display N listens on /tmp/.X11-unix/X<N> and holds /tmp/.X<N>-lock.

#include <filesystem>
#include <string>

inline std::string freeDisplayName()
{
    std::error_code error;
    for (int n = 50;; ++n) {
        const std::string number = std::to_string(n);
        if (!std::filesystem::exists("/tmp/.X11-unix/X" + number, error) &&
            !std::filesystem::exists("/tmp/.X" + number + "-lock", error))
            return ":" + number;
    }
}
