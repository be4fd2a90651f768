#pragma once
// The program's entry and outer loop: the window, the font, the sound pool,
// then the main menu and the play of a level, for ever, until the window is
// closed.

#include <SFML/System/Vector2.hpp>

#include <cstdint>

enum AppStateCode : std::int32_t
{
    Menu = 0,    // the main menu is to be shown
    Playing = 1, // a level is loaded and its play loop runs
};

extern AppStateCode AppState;

void initialize();
[[noreturn]] void run();

// What closing the window does, from the menu or from a level: empties the
// level, closes the window and ends the process with status 0.
[[noreturn]] void closeProgram();

// The point of the 800 x 600 picture under a pixel of the window (a mouse
// event's, or the pointer's). A window manager may resize the window (a
// tiling one ignores that it is fixed); the picture is then stretched to fill
// it, so the pixel is mapped back through the window's view. At 800 x 600 the
// point is the pixel itself.
sf::Vector2i viewPoint(sf::Vector2i pixel);
