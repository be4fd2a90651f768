// Buttons and panels: hit tests, click dispatch and caption placement.

#include "app/assets.h"
#include "ui/build_tool.h"
#include "ui/control.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

int callbackCalls = 0;
void countCall()
{
    ++callbackCalls;
}

// Records the clicks it is offered.
class Recorder : public Control
{
public:
    Recorder(float x, float y, float width, float height) { bounds = sf::FloatRect(x, y, width, height); }
    int draw(sf::RenderTarget&) override { return 0; }
    void onClick(int, int) override { ++clicks; }
    int clicks = 0;
};

} // namespace

TEST(ButtonTest, TakesClicksOnItsLeftAndTopEdgesButNotItsRightAndBottom)
{
    Button button(330, 400, 100, 30);
    button.onClick(430, 415);
    button.onClick(380, 430);
    button.onClick(329, 415);
    EXPECT_FALSE(button.clicked);
    button.onClick(330, 400);
    EXPECT_TRUE(button.clicked);

    Button withCallback(0, 0, 10, 10);
    withCallback.callback = &countCall;
    callbackCalls = 0;
    withCallback.onClick(9, 9);
    EXPECT_TRUE(withCallback.clicked);
    EXPECT_EQ(callbackCalls, 1);
}

TEST(ButtonTest, CentresItsCaptionThreePixelsHigh)
{
    font.loadFromFile("hei.ttf");
    Button button(5, 479, 100, 25);
    button.setLabel(L"");
    EXPECT_EQ(button.label.getPosition(), sf::Vector2f(5 + 50, 479 + 13 - 3));

    button.setLabel(L"[1] 箭塔");
    const sf::FloatRect text = button.label.getGlobalBounds();
    EXPECT_GT(text.width, 20.f);
    const sf::Vector2f expected(5 + std::round((100 - text.width) * 0.5f),
                                479 + std::round((25 - text.height) * 0.5f) - 3);
    EXPECT_EQ(button.label.getPosition(), expected);
    EXPECT_EQ(button.label.getCharacterSize(), 14u);
    EXPECT_EQ(button.label.getFillColor(), sf::Color(0, 0, 0, 255));
    EXPECT_EQ(button.background.getFillColor(), sf::Color(200, 200, 200, 255));
}

TEST(PanelTest, OffersAClickOnlyToTheLastAddedChildUnderThePointer)
{
    Panel panel(0, 0, 800, 600, 0);
    panel.onClick(5, 5); // no children: nothing happens
    Recorder below(0, 0, 100, 100), above(50, 50, 100, 100);
    panel.children.push_back(&below);
    panel.children.push_back(&above);

    panel.onClick(60, 60);
    EXPECT_EQ(above.clicks, 1);
    EXPECT_EQ(below.clicks, 0);
    panel.onClick(10, 10);
    EXPECT_EQ(below.clicks, 1);
    panel.onClick(300, 300); // in no child
    EXPECT_EQ(above.clicks + below.clicks, 2);

    // A child that takes the click and ignores it still keeps it from the ones beneath.
    Button inert(0, 0, 100, 100);
    panel.children.push_back(&inert);
    panel.onClick(10, 10);
    EXPECT_EQ(below.clicks, 1);
    EXPECT_TRUE(inert.clicked);
}

TEST(ControlTest, TheDefaultClickPutsTheToolAway)
{
    Recorder probe(0, 0, 1, 1);
    currentTool = BuildTool::Flood;
    probe.Control::onClick(0, 0);
    EXPECT_EQ(currentTool, BuildTool::None);
}
