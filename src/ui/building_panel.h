#pragma once
// The grey strip along the bottom of the level screen: six building tools,
// demolition, restart and return to the menu, and a clock that turns once
// every two minutes of play with the period's number over it.

#include "ui/build_tool.h"
#include "ui/control.h"

// A button that chooses one building tool. It looks selected while its
// tool is the current one, and grey (refusing clicks) once the level is lost,
// while a building is under construction or while a question is open.
template <BuildTool tool> class BuildingToolButton : public Button
{
public:
    BuildingToolButton(float x, float y, float width, float height);
    int draw(sf::RenderTarget& target) override;
    void click() override;
};

using PlatformButton = BuildingToolButton<BuildTool::Platform>;
using ArrowTowerButton = BuildingToolButton<BuildTool::ArrowTower>;
using IceTowerButton = BuildingToolButton<BuildTool::IceTower>;
using SkunkTowerButton = BuildingToolButton<BuildTool::SkunkTower>;
using FloodButton = BuildingToolButton<BuildTool::Flood>;
using SlapTowerButton = BuildingToolButton<BuildTool::SlapTower>;

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
