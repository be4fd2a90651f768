#pragma once
// A small yes/no question in the middle of the window. While it is open the
// level stands still and the building panel ignores clicks; it adds itself to
// the root panel, and the play loop removes and deletes it once answered.

#include "ui/control.h"

#include <cstdint>
#include <string>

// Set while a question is open on the root panel.
extern std::uint8_t messageBoxOpen;

class MessageBox : public Panel
{
public:
    explicit MessageBox(std::wstring question);

    int draw(sf::RenderTarget& target) override;
    void onClick(int x, int y) override;

    std::int32_t mode = 1;   // 1 yes/no; 0 a single OK (not used in the game)
    std::int32_t result = 0; // 0 unanswered, 1 OK, 2 yes, 3 no
    Button okButton;
    Button yesButton;
    Button noButton;
    sf::Text message;
};
