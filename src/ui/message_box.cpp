#include "ui/message_box.h"

#include "app/assets.h"
#include "ui/texts.h"

std::uint8_t messageBoxOpen = 0;

MessageBox::MessageBox(std::wstring question)
    : Panel(300, 200, 200, 150, 0),
      okButton(380, 280, 40, 40),
      yesButton(355, 280, 40, 40),
      noButton(405, 280, 40, 40)
{
    mode = 1;
    children.push_back(&yesButton);
    children.push_back(&noButton);
    yesButton.setLabel(texts::yes);
    noButton.setLabel(texts::no);
    // Only the middle of the box takes clicks; its white margin lets them through.
    bounds = sf::FloatRect(350, 250, 100, 100);
    message.setFont(font);
    message.setString(sf::String(question));
    message.setCharacterSize(14);
    message.setFillColor(sf::Color(0, 0, 0, 255));
    message.setPosition(320, 220);
    result = 0;
    rootPanel.children.push_back(this);
    messageBoxOpen = 1;
}

int MessageBox::draw(sf::RenderTarget& target)
{
    Panel::draw(target);
    target.draw(message);
    return 0;
}

void MessageBox::onClick(int x, int y)
{
    Panel::onClick(x, y);
    if (mode == 1) {
        if (yesButton.clicked)
            result = 2;
        if (noButton.clicked)
            result = 3;
    } else if (okButton.clicked) {
        result = 1;
    }
}
