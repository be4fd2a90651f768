#include "app/play_loop.h"

#include "app/assets.h"
#include "app/run.h"
#include "ui/build_tool.h"
#include "ui/building_panel.h"
#include "ui/main_view.h"
#include "ui/message_box.h"
#include "world/level.h"
#include "world/world.h"

#include <algorithm>

std::uint8_t pauseFlag = 0;

namespace {

void chooseTool(BuildTool tool)
{
    if (buildLock == 0)
        currentTool = tool;
}

void handleKey(sf::Keyboard::Key key)
{
    switch (key) {
    case sf::Keyboard::Q: chooseTool(BuildTool::Platform); break;
    case sf::Keyboard::Num1: chooseTool(BuildTool::ArrowTower); break;
    case sf::Keyboard::Num2: chooseTool(BuildTool::IceTower); break;
    case sf::Keyboard::Num3: chooseTool(BuildTool::SkunkTower); break;
    case sf::Keyboard::W: chooseTool(BuildTool::Flood); break;
    case sf::Keyboard::Num4: chooseTool(BuildTool::SlapTower); break;
    case sf::Keyboard::C: currentTool = BuildTool::RemoveBuilding; break;
    case sf::Keyboard::P: pauseFlag = static_cast<std::uint8_t>(1 - pauseFlag); break;
    default: break;
    }
}

} // namespace

void handlePlayEvent(const sf::Event& event)
{
    switch (event.type) {
    case sf::Event::Closed:
        closeProgram();
    case sf::Event::MouseButtonReleased:
        if (event.mouseButton.button == sf::Mouse::Left) {
            const sf::Vector2i point = viewPoint({event.mouseButton.x, event.mouseButton.y});
            rootPanel.onClick(point.x, point.y);
        }
        break;
    case sf::Event::KeyPressed:
        handleKey(event.key.code);
        break;
    default:
        break;
    }
}

PlayEventBatch::PlayEventBatch() : clearsAtStart_(worldClears) {}

void PlayEventBatch::handle(const sf::Event& event)
{
    if (worldClears == clearsAtStart_ || event.type == sf::Event::Closed)
        handlePlayEvent(event);
}

void updateFrame()
{
    advanceFrame(frameClock.restart());
}

bool advanceFrame(sf::Time dt)
{
    if (messageBoxOpen == 1) {
        MessageBox* box = static_cast<MessageBox*>(rootPanel.children.back());
        if (box->result == 0)
            return false;
        messageBoxOpen = 0;
        rootPanel.children.pop_back();
        delete box;
    }
    if (pauseFlag == 1 || AppState != Playing)
        return false;
    tick(std::min(dt, longestFrame));
    return true;
}

void playLevel()
{
    rootPanel.bounds = sf::FloatRect(0, 0, 800, 600);
    rootPanel.tag = 0;
    rootPanel.background.setFillColor(sf::Color(0, 0, 255, 255));

    MainView board;
    rootPanel.children.push_back(&board);
    BuildingPanel panel(0, 474, 800, 176);
    panel.background.setFillColor(sf::Color(128, 128, 128, 255));
    rootPanel.children.push_back(&panel);

    frameClock.restart();
    while (window.isOpen()) {
        PlayEventBatch batch;
        sf::Event event;
        while (window.pollEvent(event))
            batch.handle(event);
        updateFrame();
        if (AppState != Playing)
            break;
        window.clear(sf::Color(0, 0, 0, 255));
        rootPanel.draw(window);
        window.display();
    }
    rootPanel.children.clear();
}
