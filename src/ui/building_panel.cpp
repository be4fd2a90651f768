#include "ui/building_panel.h"

#include "app/assets.h"
#include "app/run.h"
#include "ui/message_box.h"
#include "ui/texts.h"
#include "world/level.h"
#include "world/world.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/ConvexShape.hpp>

#include <cmath>
#include <string>

namespace {

const sf::Color black(0, 0, 0, 255);
const sf::Color grey(200, 200, 200, 255);

// Every panel button shows the button image at half size under its caption.
void dressPanelButton(Button& button, float x, float y, const wchar_t* caption)
{
    loadTextureFile(button.normalTexture, "image/button.png");
    loadTextureFile(button.selectedTexture, "image/button_selected.png");
    button.icon.setScale(0.5f, 0.5f);
    button.icon.setPosition(x, y);
    button.setLabel(caption);
}

void drawPanelButton(Button& button, sf::RenderTarget& target, bool selected, bool greyed)
{
    button.icon.setTexture(selected ? button.selectedTexture : button.normalTexture, false);
    button.label.setFillColor(greyed ? grey : black);
    target.draw(button.icon);
    target.draw(button.label);
}

bool buildingBlocked()
{
    return levelLost == 1 || buildLock == 1 || messageBoxOpen == 1;
}

bool demolitionBlocked()
{
    return levelLost == 1 || messageBoxOpen == 1;
}

const wchar_t* captionOf(BuildTool tool)
{
    switch (tool) {
    case BuildTool::Platform: return texts::platformButton;
    case BuildTool::ArrowTower: return texts::arrowTowerButton;
    case BuildTool::IceTower: return texts::iceTowerButton;
    case BuildTool::SkunkTower: return texts::skunkTowerButton;
    case BuildTool::Flood: return texts::floodButton;
    case BuildTool::SlapTower: return texts::slapTowerButton;
    default: return L"";
    }
}

void restartAction()
{
    restartLevel();
}

void returnToMenuAction()
{
    AppState = Menu;
    clearWorld();
}

// The restart and return buttons are grey only while a question is open.
int drawEndButton(Button& button, sf::RenderTarget& target)
{
    drawPanelButton(button, target, false, messageBoxOpen == 1);
    return 0;
}

// Opens a yes/no question whose yes runs the action; one question at a time.
void askFirst(const wchar_t* question, void (*action)())
{
    if (messageBoxOpen == 1)
        return;
    MessageBox* box = new MessageBox(question); // rootPanel holds it from here
    box->yesButton.callback = action;
}

} // namespace

template <BuildTool tool>
BuildingToolButton<tool>::BuildingToolButton(float x, float y, float width, float height)
    : Button(x, y, width, height)
{
    dressPanelButton(*this, x, y, captionOf(tool));
}

template <BuildTool tool> int BuildingToolButton<tool>::draw(sf::RenderTarget& target)
{
    drawPanelButton(*this, target, currentTool == tool, buildingBlocked());
    return 0;
}

template <BuildTool tool> void BuildingToolButton<tool>::click()
{
    if (!buildingBlocked())
        currentTool = tool;
}

template class BuildingToolButton<BuildTool::Platform>;
template class BuildingToolButton<BuildTool::ArrowTower>;
template class BuildingToolButton<BuildTool::IceTower>;
template class BuildingToolButton<BuildTool::SkunkTower>;
template class BuildingToolButton<BuildTool::Flood>;
template class BuildingToolButton<BuildTool::SlapTower>;

RemoveBuildingButton::RemoveBuildingButton(float x, float y, float width, float height)
    : Button(x, y, width, height)
{
    dressPanelButton(*this, x, y, texts::removeBuildingButton);
}
int RemoveBuildingButton::draw(sf::RenderTarget& target)
{
    drawPanelButton(*this, target, currentTool == BuildTool::RemoveBuilding, demolitionBlocked());
    return 0;
}
void RemoveBuildingButton::click()
{
    if (!demolitionBlocked())
        currentTool = BuildTool::RemoveBuilding;
}

RestartButton::RestartButton(float x, float y, float width, float height) : Button(x, y, width, height)
{
    dressPanelButton(*this, x, y, texts::restartButton);
}
int RestartButton::draw(sf::RenderTarget& target)
{
    return drawEndButton(*this, target);
}
void RestartButton::click()
{
    askFirst(texts::restartQuestion, &restartAction);
}

ReturnToMenuButton::ReturnToMenuButton(float x, float y, float width, float height)
    : Button(x, y, width, height)
{
    dressPanelButton(*this, x, y, texts::returnToMenuButton);
}
int ReturnToMenuButton::draw(sf::RenderTarget& target)
{
    return drawEndButton(*this, target);
}
void ReturnToMenuButton::click()
{
    askFirst(texts::returnToMenuQuestion, &returnToMenuAction);
}

BuildingPanel::BuildingPanel(float x, float y, float width, float height)
    : Panel(x, y, width, height, 1),
      platformButton(5, 509, 100, 25),
      arrowTowerButton(5, 479, 100, 25),
      iceTowerButton(115, 479, 100, 25),
      skunkTowerButton(225, 479, 100, 25),
      floodButton(115, 509, 100, 25),
      slapTowerButton(335, 479, 100, 25),
      removeBuildingButton(5, 569, 100, 25),
      restartButton(695, 575, 100, 25),
      returnToMenuButton(695, 545, 100, 25)
{
    for (Control* button : std::initializer_list<Control*>{
             &platformButton, &arrowTowerButton, &iceTowerButton, &skunkTowerButton, &floodButton,
             &slapTowerButton, &restartButton, &removeBuildingButton, &returnToMenuButton})
        children.push_back(button);
}

int BuildingPanel::draw(sf::RenderTarget& target)
{
    Panel::draw(target);
    drawClock(target);
    return 0;
}

namespace {

// The rim point of slice k of the clock: 60 slices of 6 degrees, clockwise
// from 12 o'clock.
sf::Vector2f rimPoint(int k)
{
    const double angle = k * 3.1415926 / 30;
    return {static_cast<float>(std::sin(angle)) * 20, static_cast<float>(std::cos(angle)) * -20};
}

void drawSlice(sf::RenderTarget& target, sf::ConvexShape& slice, int k)
{
    slice.setPoint(0, {0.f, 0.f});
    slice.setPoint(1, rimPoint(k));
    slice.setPoint(2, rimPoint(k + 1));
    target.draw(slice);
}

} // namespace

void BuildingPanel::drawClock(sf::RenderTarget& target) const
{
    const std::int32_t t = elapsedMs;

    sf::CircleShape face(20, 30);
    face.setPosition(730, 484);
    face.setFillColor(sf::Color(255, 255, 255, 255));
    face.setOutlineThickness(2);
    face.setOutlineColor(black);
    target.draw(face);

    sf::ConvexShape slice(3);
    slice.setPosition(750, 504);
    slice.setFillColor(sf::Color(255, 0, 0, 255));
    for (int k = 50; k <= 59; ++k)
        drawSlice(target, slice, k);

    sf::Text period(sf::String(std::to_string(t / 120000 + 1)), font, 35);
    period.setFillColor(black);
    const sf::FloatRect size = period.getLocalBounds();
    period.setPosition(750 - std::round(size.width * 0.5f), 480 - std::round(size.height * 0.5f) + 12);
    target.draw(period);

    slice.setFillColor(sf::Color(0, 0, 255, 128));
    const float turned = static_cast<float>(t % 120000) / 120000.0f * 60.0f;
    for (int k = 0; k < 60 && turned > static_cast<float>(k); ++k)
        drawSlice(target, slice, k);
}
