#pragma once
// The grey strip along the bottom of the level screen: six building tools,
// demolition, restart and return to the menu, and a clock that turns once
// every two minutes of play with the period's number over it.

#include "ui/build_tool.h"
#include "ui/control.h"

class PlatformButton : public Button
{
public:
    PlatformButton(float x, float y, float width, float height);
    int draw(sf::RenderTarget& target) override;
    void click() override;
};

class ArrowTowerButton : public Button
{
public:
    ArrowTowerButton(float x, float y, float width, float height);
    int draw(sf::RenderTarget& target) override;
    void click() override;
};

class IceTowerButton : public Button
{
public:
    IceTowerButton(float x, float y, float width, float height);
    int draw(sf::RenderTarget& target) override;
    void click() override;
};

class SkunkTowerButton : public Button
{
public:
    SkunkTowerButton(float x, float y, float width, float height);
    int draw(sf::RenderTarget& target) override;
    void click() override;
};

class FloodButton : public Button
{
public:
    FloodButton(float x, float y, float width, float height);
    int draw(sf::RenderTarget& target) override;
    void click() override;
};

class SlapTowerButton : public Button
{
public:
    SlapTowerButton(float x, float y, float width, float height);
    int draw(sf::RenderTarget& target) override;
    void click() override;
};

// Demolition stays available while a building is under construction.
class RemoveBuildingButton : public Button
{
public:
    RemoveBuildingButton(float x, float y, float width, float height);
    int draw(sf::RenderTarget& target) override;
    void click() override;
};

// Asks whether to start the level again.
class RestartButton : public Button
{
public:
    RestartButton(float x, float y, float width, float height);
    int draw(sf::RenderTarget& target) override;
    void click() override;
};

// Asks whether to go back to the main menu.
class ReturnToMenuButton : public Button
{
public:
    ReturnToMenuButton(float x, float y, float width, float height);
    int draw(sf::RenderTarget& target) override;
    void click() override;
};

class BuildingPanel : public Panel
{
public:
    BuildingPanel(float x, float y, float width, float height);
    int draw(sf::RenderTarget& target) override;

    PlatformButton platformButton;
    ArrowTowerButton arrowTowerButton;
    IceTowerButton iceTowerButton;
    SkunkTowerButton skunkTowerButton;
    FloodButton floodButton;
    SlapTowerButton slapTowerButton;
    RemoveBuildingButton removeBuildingButton;
    RestartButton restartButton;
    ReturnToMenuButton returnToMenuButton;

private:
    void drawClock(sf::RenderTarget& target) const;
};
