#pragma once
// Plays the loaded level frame by frame: window events (tool keys, pause,
// clicks through the root panel), one update of the World, one drawing of
// the board and the building panel, until the player returns to the menu.

#include "ui/building_panel.h"
#include "ui/main_view.h"

#include <SFML/System/Time.hpp>
#include <SFML/Window/Event.hpp>

#include <cstdint>

// Toggled by P; while set the World stands still. Kept across levels.
extern std::uint8_t pauseFlag;

void playLevel();

// The level screen on the root panel, for as long as it lives: the board
// view and the building panel below it (a question, when one opens, comes
// third).
class LevelScreen
{
public:
    LevelScreen();
    ~LevelScreen();
    LevelScreen(const LevelScreen&) = delete;
    LevelScreen& operator=(const LevelScreen&) = delete;

private:
    MainView board_;
    BuildingPanel panel_;
};
// The per-frame update: measures the frame, closes an answered question and
// ticks the World unless a question is open, the game is paused or the
// player has just chosen the menu.
void updateFrame();
// The same with the frame's length given; true when the World ticked. A
// frame advances the World by at most longestFrame: after a stall (the
// process stopped, a laptop asleep, a buffer swap that blocked) the game
// pauses instead of letting wolves jump ahead while towers get one update.
bool advanceFrame(sf::Time dt);
inline const sf::Time longestFrame = sf::milliseconds(100);
// What one window event does during play.
void handlePlayEvent(const sf::Event& event);

// The window events of one frame, handled in turn. Once the level has been
// left or restarted during the batch (a yes to either question), the rest of
// the batch was aimed at a board that is gone: only a close request still
// counts, so a quick second click cannot build on the next level.
class PlayEventBatch
{
public:
    PlayEventBatch();
    void handle(const sf::Event& event);

private:
    std::uint32_t clearsAtStart_;
};
