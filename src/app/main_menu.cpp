#include "app/main_menu.h"

#include "app/assets.h"
#include "app/recording.h"
#include "app/run.h"
#include "ui/control.h"
#include "ui/texts.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Event.hpp>

#include <algorithm>

namespace {

// A line under the buttons on a light band, so it reads over the picture.
void drawNotice(const sf::String& notice)
{
    sf::Text text(notice, font, 14);
    text.setFillColor(sf::Color(150, 0, 0, 255));
    const sf::FloatRect size = text.getLocalBounds();
    const float x = std::max(4.f, 400.f - size.width * 0.5f);
    sf::RectangleShape band({size.width + 16, 24});
    band.setPosition(x - 8, 544);
    band.setFillColor(sf::Color(255, 250, 230, 230));
    text.setPosition(x, 546);
    window.draw(band);
    window.draw(text);
}

const sf::FloatRect levelButtonBounds[3] = {{330, 400, 100, 30}, {330, 450, 100, 30}, {330, 500, 100, 30}};

} // namespace

int levelButtonAt(int x, int y)
{
    for (int i = 0; i < 3; ++i) {
        if (containsPoint(levelButtonBounds[i], x, y))
            return i + 1;
    }
    return 0;
}

int mainMenu(const std::wstring& notice)
{
    sf::Texture picture;
    loadTextureFile(picture, "image/menu.png");
    sf::Text prompt(sf::String(texts::menuPrompt), font, 20);
    prompt.setFillColor(sf::Color(0, 0, 0, 255));
    prompt.setPosition(320, 350);

    const auto buttonAt = [](const sf::FloatRect& r) { return Button(r.left, r.top, r.width, r.height); };
    Button levelButtons[3] = {buttonAt(levelButtonBounds[0]), buttonAt(levelButtonBounds[1]),
                              buttonAt(levelButtonBounds[2])};
    const wchar_t* captions[3] = {texts::levelButton1, texts::levelButton2, texts::levelButton3};
    for (int i = 0; i < 3; ++i)
        levelButtons[i].setLabel(captions[i]);
    for (Button& button : levelButtons)
        button.background.setFillColor(sf::Color(255, 255, 0, 255));

    const sf::String noticeText = notice.empty() ? sf::String() : sf::String(texts::loadFailure + notice);

    while (window.isOpen()) {
        sf::Event event;
        while (window.pollEvent(event)) {
            recordMenuEvent(event);
            if (event.type == sf::Event::Closed)
                closeProgram();
            if (event.type == sf::Event::MouseButtonReleased && event.mouseButton.button == sf::Mouse::Left) {
                const sf::Vector2i point = viewPoint({event.mouseButton.x, event.mouseButton.y});
                if (const int level = levelButtonAt(point.x, point.y))
                    return level;
            }
        }
        window.clear(sf::Color(0, 0, 0, 255));
        window.draw(sf::Sprite(picture));
        for (Button& button : levelButtons)
            button.draw(window);
        window.draw(prompt);
        if (!noticeText.isEmpty())
            drawNotice(noticeText);
        window.display();
    }
    // Only a window that never opened gets here.
    closeProgram();
}
