#include "app/run.h"

#include "app/assets.h"

#include <SFML/Window/Event.hpp>

#include <cstdlib>

AppStateCode AppState = Menu;

void initialize()
{
    window.create(sf::VideoMode(800, 600, 32), L"Brambleholt",
                  sf::Style::Titlebar | sf::Style::Close, sf::ContextSettings());
    window.setFramerateLimit(30);
    font.loadFromFile("hei.ttf");
    soundPool.resize(100);
}

void closeProgram()
{
    window.close();
    std::exit(0);
}

namespace {

// Stands in for the main menu until it exists: a black window that answers
// the close request.
void blankScreen()
{
    while (window.isOpen()) {
        sf::Event event;
        while (window.pollEvent(event)) {
            if (event.type == sf::Event::Closed)
                closeProgram();
        }
        window.clear(sf::Color::Black);
        window.display();
    }
}

} // namespace

void run()
{
    initialize();
    AppState = Menu;
    for (;;) {
        if (AppState == Menu)
            blankScreen();
        // exit(0) is the only way out; a window that failed to open ends here.
        if (!window.isOpen())
            std::exit(0);
    }
}
