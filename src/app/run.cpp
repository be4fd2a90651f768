#include "app/run.h"

#include "app/assets.h"
#include "app/main_menu.h"
#include "app/play_loop.h"
#include "app/startup.h"
#include "ui/control.h"
#include "world/level.h"

#include <cstdlib>
#include <iostream>

AppStateCode AppState = Menu;

void initialize()
{
    window.create(sf::VideoMode(800, 600, 32), L"Brambleholt",
                  sf::Style::Titlebar | sf::Style::Close, sf::ContextSettings());
    window.setFramerateLimit(30);
    loadFont("hei.ttf");
    // Without a device every sound started would only add the audio
    // library's errors: the pool stays empty and the game plays silently.
    if (audioDeviceOpen())
        soundPool.resize(100);
    else
        std::cerr << "brambleholt: no audio device could be opened; the game plays without sound\n";
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
