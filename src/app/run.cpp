#include "app/run.h"

#include "app/assets.h"
#include "app/main_menu.h"
#include "app/play_loop.h"
#include "app/startup.h"
#include "ui/control.h"
#include "world/level.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>

AppStateCode AppState = Menu;

namespace {

// Without a window manager the library leaves the window where X puts it,
// which can run off the screen's bottom; centre it on the desktop instead.
void centreOnDesktop(sf::Window& shown)
{
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    const sf::Vector2u size = shown.getSize();
    const int x = (static_cast<int>(desktop.width) - static_cast<int>(size.x)) / 2;
    const int y = (static_cast<int>(desktop.height) - static_cast<int>(size.y)) / 2;
    shown.setPosition(sf::Vector2i(std::max(x, 0), std::max(y, 0)));
}

} // namespace

void initialize()
{
    window.create(sf::VideoMode(800, 600, 32), L"Brambleholt",
                  sf::Style::Titlebar | sf::Style::Close, sf::ContextSettings());
    centreOnDesktop(window);
    window.setFramerateLimit(30);
    loadFont("hei.ttf");
    // Without a device every sound started would only add the audio
    // library's errors: the pool stays empty and the game plays silently.
    if (audioDeviceOpen())
        soundPool.resize(100);
    else
        std::cerr << "brambleholt: no audio device could be opened; the game plays without sound\n";
}

sf::Vector2i viewPoint(sf::Vector2i pixel)
{
    // Without an open window there is no view to map through.
    if (!window.isOpen())
        return pixel;
    const sf::Vector2f point = window.mapPixelToCoords(pixel);
    // Rounded, not cut: the mapping's float steps may land a hair below a
    // whole pixel.
    return {static_cast<int>(std::lround(point.x)), static_cast<int>(std::lround(point.y))};
}

void closeProgram()
{
    clearWorld();
    // During play a third child of the root panel is the open question.
    if (rootPanel.children.size() == 3) {
        Control* box = rootPanel.children.back();
        rootPanel.children.pop_back();
        delete box;
    }
    window.close();
    std::exit(0);
}

void run()
{
    initialize();
    AppState = Menu;
    std::wstring notice; // why the last chosen level could not be loaded
    for (;;) {
        if (AppState == Menu) {
            const int level = mainMenu(notice);
            const LevelLoadResult loaded = loadLevel(level);
            if (!loaded) {
                notice = loaded.screenMessage;
                continue;
            }
            notice.clear();
            AppState = Playing;
        }
        if (AppState == Playing)
            playLevel();
    }
}
