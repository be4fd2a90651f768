// A reckless player on the three levels, frame after frame for a long time.
//
// The driver plays through the game's own paths: keys go to handlePlayEvent,
// clicks to rootPanel.onClick with a MainView and a BuildingPanel hung on the
// root panel as playLevel hangs them, questions are answered on the message
// box's buttons, and each frame closes an answered box and ticks the World as
// updateFrame does, with frame lengths from 0 to stalls of several seconds.
// Returning to the menu loads another level, as the run loop does. After every
// frame the World's invariants are checked (world_invariants.h); the first
// broken one ends the run with the seed, the frame and the last actions.
//
//   brambleholt_soak --level 1 --seed 7 --ticks 100000
//
// The environment variable BRAMBLEHOLT_SOAK_TICKS overrides --ticks, for long
// runs on demand. Run it from the runtime folder, under an X display.

#include "world_invariants.h"

#include "app/assets.h"
#include "app/play_loop.h"
#include "app/run.h"
#include "towers/bullet.h"
#include "towers/platform.h"
#include "towers/tower.h"
#include "ui/build_tool.h"
#include "ui/building_panel.h"
#include "ui/main_view.h"
#include "ui/message_box.h"
#include "wolves/stone.h"
#include "wolves/wolf.h"
#include "wolves/wolf_kinds.h"
#include "world/level.h"
#include "world/world.h"

#include <SFML/Graphics/RenderTexture.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

struct Options
{
    int level = 1;
    std::uint64_t seed = 1;
    long long ticks = 100000;
};

struct Counts
{
    long long frames = 0;
    long long ticks = 0; // frames in which a running level advanced
    double gameSeconds = 0;
    long long loads[4] = {};
    long long restarts = 0;
    long long menus = 0;
    long long wins = 0;
    long long losses = 0;
    long long towersBuilt = 0;
    long long platformsBuilt = 0;
    long long pondsDug = 0;
    long long draws = 0;
    std::size_t mostWolves = 0;
    std::size_t mostBullets = 0;
    std::size_t mostStones = 0;
    std::size_t mostOfKind[wolfKindCount] = {};
};

// What the player did, kept for the report of a failure.
struct Action
{
    long long frame;
    char what[48];
};

class Soak
{
public:
    explicit Soak(const Options& options) : options_(options), random_(options.seed) {}

    int run()
    {
        enterLevel(options_.level);
        while (counts_.ticks < options_.ticks) {
            frame();
            const std::string problem = brokenWorldInvariant();
            if (!problem.empty())
                return fail(problem);
            if (!failure_.empty())
                return fail(failure_);
        }
        leave();
        report();
        return 0;
    }

private:
    // --- random choices -------------------------------------------------
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    float between(float a, float b) { return std::uniform_real_distribution<float>(a, b)(random_); }
    int pointIn(const sf::FloatRect& r, bool x)
    {
        return x ? static_cast<int>(r.left) + below(static_cast<int>(r.width))
                 : static_cast<int>(r.top) + below(static_cast<int>(r.height));
    }

    void note(const char* format, int a = 0, int b = 0, int c = 0)
    {
        Action& action = history_[next_++ % history_.size()];
        action.frame = counts_.frames;
        std::snprintf(action.what, sizeof action.what, format, a, b, c);
    }

    // --- the run loop's part: choosing and loading a level ----------------
    void enterLevel(int level)
    {
        const LevelLoadResult loaded = loadLevel(level);
        if (!loaded) {
            failure_ = "level " + std::to_string(level) + " did not load: " + loaded.message;
            return;
        }
        ++counts_.loads[level];
        note("load level %d", level);
        AppState = Playing;
        // playLevel's set-up: a fresh board view and building panel.
        rootPanel.children.clear();
        board_ = std::make_unique<MainView>();
        panel_ = std::make_unique<BuildingPanel>(0, 474, 800, 176);
        rootPanel.bounds = sf::FloatRect(0, 0, 800, 600);
        rootPanel.children.push_back(board_.get());
        rootPanel.children.push_back(panel_.get());
    }

    void leave()
    {
        if (messageBoxOpen == 1) {
            delete rootPanel.children.back();
            rootPanel.children.pop_back();
            messageBoxOpen = 0;
        }
        rootPanel.children.clear();
        clearWorld();
    }

    // --- one frame --------------------------------------------------------
    void frame()
    {
        ++counts_.frames;
        const int events = chance(0.5) ? 0 : chance(0.7) ? 1 : 2 + below(3);
        for (int i = 0; i < events && AppState == Playing; ++i)
            act();
        update(frameLength());
        if (AppState != Playing) {
            // The play loop ends; the menu offers the three levels again.
            rootPanel.children.clear();
            ++counts_.menus;
            enterLevel(1 + below(3));
        }
        if (counts_.frames % 397 == 0)
            draw();
        counts_.mostWolves = std::max(counts_.mostWolves, wolves.size());
        counts_.mostBullets = std::max(counts_.mostBullets, bullets.size());
        counts_.mostStones = std::max(counts_.mostStones, stones.size());
        std::size_t ofKind[wolfKindCount] = {};
        for (const Wolf* wolf : wolves)
            ++ofKind[kindOf(*wolf)];
        for (int k = 0; k < wolfKindCount; ++k)
            counts_.mostOfKind[k] = std::max(counts_.mostOfKind[k], ofKind[k]);
    }

    static int kindOf(const Wolf& wolf)
    {
        if (dynamic_cast<const BabyWolf*>(&wolf))
            return BabyWolfKind;
        if (dynamic_cast<const ThrowingWolf*>(&wolf))
            return ThrowingWolfKind;
        if (dynamic_cast<const SuicidalWolf*>(&wolf))
            return SuicidalWolfKind;
        if (dynamic_cast<const HackingWolf*>(&wolf))
            return HackingWolfKind;
        if (dynamic_cast<const CatapultWolf*>(&wolf))
            return CatapultWolfKind;
        return RegularWolfKind;
    }

    sf::Time frameLength()
    {
        const int roll = below(1000);
        if (roll < 40)
            return sf::Time::Zero;
        if (roll < 80)
            return sf::microseconds(1000 + below(4000));
        if (roll < 100)
            return sf::milliseconds(100 + below(400));
        if (roll < 110)
            return sf::milliseconds(1000 + below(4000)); // a stall of seconds
        return sf::microseconds(33333 + below(10001) - 5000);
    }

    // The play loop's update, with the frame's length given instead of measured.
    void update(sf::Time dt)
    {
        const bool running = levelLost == 0 && levelWon == 0;
        if (advanceFrame(dt) && running) {
            ++counts_.ticks;
            counts_.gameSeconds += std::min(dt, longestFrame).asSeconds();
            counts_.wins += levelWon;
            counts_.losses += levelLost;
        }
    }

    // --- the player's hands -----------------------------------------------
    void act()
    {
        if (messageBoxOpen == 1) {
            answer();
            return;
        }
        const bool ended = levelLost == 1 || levelWon == 1;
        if (ended && chance(0.05)) {
            pressButton(chance(0.7) ? static_cast<Button&>(panel_->restartButton) : panel_->returnToMenuButton);
            return;
        }
        if (pauseFlag == 1) {
            if (chance(0.1))
                key(sf::Keyboard::P);
            else if (chance(0.5))
                clickBoard();
            return;
        }
        // Out of 10000: a level usually lasts minutes before the player
        // asks to restart it or to leave it.
        const int roll = below(10000);
        if (roll < 2500)
            chooseToolByKey();
        else if (roll < 4000)
            chooseToolByButton();
        else if (roll < 8000)
            clickBoard();
        else if (roll < 9300)
            clickBuilding();
        else if (roll < 9500)
            release(below(800), below(600), sf::Mouse::Right);
        else if (roll < 9560)
            key(sf::Keyboard::P);
        else if (roll < 9562)
            pressButton(panel_->restartButton);
        else if (roll < 9563)
            pressButton(panel_->returnToMenuButton);
        else
            release(below(800), below(600)); // anywhere: panel gaps, the clock
    }

    void key(sf::Keyboard::Key code)
    {
        sf::Event event;
        event.type = sf::Event::KeyPressed;
        event.key = {code, false, false, false, false};
        note("key %d", code);
        handlePlayEvent(event);
    }

    void release(int x, int y, sf::Mouse::Button button = sf::Mouse::Left)
    {
        sf::Event event;
        event.type = sf::Event::MouseButtonReleased;
        event.mouseButton = {button, x, y};
        note(button == sf::Mouse::Left ? "click %d %d tool %d" : "right click %d %d tool %d", x, y,
             static_cast<int>(currentTool));
        const std::size_t towersBefore = towers.size(), platformsBefore = platforms.size(),
                          pondsBefore = ponds.size();
        handlePlayEvent(event);
        counts_.towersBuilt += towers.size() > towersBefore;
        counts_.platformsBuilt += platforms.size() > platformsBefore;
        counts_.pondsDug += ponds.size() > pondsBefore;
    }

    void pressButton(Button& button)
    {
        release(pointIn(button.bounds, true), pointIn(button.bounds, false));
    }

    void chooseToolByKey()
    {
        static const sf::Keyboard::Key keys[] = {
            sf::Keyboard::Q,    sf::Keyboard::Num1, sf::Keyboard::Num2, sf::Keyboard::Num3,
            sf::Keyboard::Num4, sf::Keyboard::W,    sf::Keyboard::C,    sf::Keyboard::A,
            sf::Keyboard::Numpad1};
        key(keys[below(9)]);
    }

    void chooseToolByButton()
    {
        Button* buttons[] = {&panel_->platformButton, &panel_->arrowTowerButton, &panel_->iceTowerButton,
                             &panel_->skunkTowerButton, &panel_->floodButton,    &panel_->slapTowerButton,
                             &panel_->removeBuildingButton};
        pressButton(*buttons[below(7)]);
    }

    // Mostly on a cell that suits the tool in hand, so that defences go up
    // and levels last long enough for every wave; else anywhere on the
    // board, or just below it on the panel's edge.
    void clickBoard()
    {
        if (chance(0.7)) {
            const bool groundTool = currentTool == BuildTool::Platform || currentTool == BuildTool::Flood;
            const bool towerTool = currentTool >= BuildTool::ArrowTower && currentTool != BuildTool::Flood &&
                                   currentTool != BuildTool::RemoveBuilding;
            std::vector<sf::Vector2i>& cells = suitable_;
            cells.clear();
            for (int x = 2; x <= boardColumns + 1; ++x) {
                for (int y = 1; y <= boardRows; ++y) {
                    if ((groundTool && canPlacePlatform(x, y)) || (towerTool && canPlaceTower(x, y)))
                        cells.push_back({x, y});
                }
            }
            if (!cells.empty()) {
                const sf::Vector2i cell = cells[static_cast<std::size_t>(below(static_cast<int>(cells.size())))];
                const int x = 50 * (cell.x - 2) + below(50);
                const int y = 50 * (9 - cell.y) + below(50) + (groundTool ? 24 : 0);
                release(x, std::min(y, 473));
                return;
            }
        }
        release(below(800), below(480));
    }

    // On a cell that holds something, where a tower's top or a ground tile is.
    void clickBuilding()
    {
        sf::Vector2i cell;
        const int kind = below(3);
        if (kind == 0 && !towers.empty()) {
            const Tower* tower = towers[static_cast<std::size_t>(below(static_cast<int>(towers.size())))];
            cell = {tower->x, tower->y};
        } else if (kind == 1 && !platforms.empty()) {
            const Platform* p = platforms[static_cast<std::size_t>(below(static_cast<int>(platforms.size())))];
            cell = {p->x, p->y};
        } else if (!ponds.empty()) {
            const Pond* pond = ponds[static_cast<std::size_t>(below(static_cast<int>(ponds.size())))];
            cell = {pond->x, pond->y};
        } else {
            clickBoard();
            return;
        }
        if (chance(0.3))
            key(chance(0.8) ? sf::Keyboard::C : sf::Keyboard::Num1);
        const int x = 50 * (cell.x - 2) + below(50);
        const int y = 50 * (9 - cell.y) + below(50) + (chance(0.5) ? 24 : 0);
        release(x, std::min(y, 473));
    }

    void answer()
    {
        MessageBox* box = static_cast<MessageBox*>(rootPanel.children.back());
        const int roll = below(10);
        if (roll < 4)
            pressButton(box->yesButton);
        else if (roll < 8)
            pressButton(box->noButton);
        else if (roll < 9)
            key(sf::Keyboard::P);
        else
            release(below(800), below(600));
        if (box->result == 2) {
            // Yes: the question's action has run.
            if (AppState == Playing)
                ++counts_.restarts;
        }
    }

    // --- drawing, now and then, through the same views --------------------
    void draw()
    {
        if (!canvas_) {
            canvas_ = std::make_unique<sf::RenderTexture>();
            canvas_->create(800, 600);
        }
        canvas_->clear();
        board_->drawWithPointer(*canvas_, {below(800), below(474)});
        panel_->draw(*canvas_);
        if (messageBoxOpen == 1)
            rootPanel.children.back()->draw(*canvas_);
        canvas_->display();
        ++counts_.draws;
    }

    // --- results ----------------------------------------------------------
    int fail(const std::string& problem)
    {
        std::cout << "FAILED: " << problem << "\n  seed " << options_.seed << ", started on level " << options_.level
                  << ", frame " << counts_.frames << ", tick " << counts_.ticks << ", level time " << elapsedMs
                  << " ms\n  last actions:\n";
        const std::size_t n = std::min<std::size_t>(next_, history_.size());
        for (std::size_t i = next_ - n; i < next_; ++i) {
            const Action& action = history_[i % history_.size()];
            std::cout << "    frame " << action.frame << ": " << action.what << '\n';
        }
        return 1;
    }

    void report() const
    {
        std::cout << "soak: seed " << options_.seed << ", " << counts_.ticks << " ticks of running levels in "
                  << counts_.frames << " frames, " << static_cast<long long>(counts_.gameSeconds)
                  << " s of level time\n  loads of levels 1/2/3: " << counts_.loads[1] << '/' << counts_.loads[2]
                  << '/' << counts_.loads[3] << ", restarts " << counts_.restarts << ", returns to the menu "
                  << counts_.menus << ", won " << counts_.wins << ", lost " << counts_.losses
                  << "\n  built " << counts_.towersBuilt << " towers, " << counts_.platformsBuilt << " platforms, "
                  << counts_.pondsDug << " ponds; at most " << counts_.mostWolves << " wolves, "
                  << counts_.mostBullets << " bullets, " << counts_.mostStones << " stones at once; "
                  << counts_.draws << " frames drawn\n  most wolves of each kind at once (regular, baby, throwing, "
                     "suicidal, hacking, catapult):";
        for (std::size_t most : counts_.mostOfKind)
            std::cout << ' ' << most;
        std::cout << '\n';
    }

    Options options_;
    std::mt19937_64 random_;
    Counts counts_;
    std::array<Action, 40> history_{};
    std::size_t next_ = 0;
    std::string failure_;
    std::unique_ptr<MainView> board_;
    std::unique_ptr<BuildingPanel> panel_;
    std::unique_ptr<sf::RenderTexture> canvas_;
    std::vector<sf::Vector2i> suitable_;
};

bool parse(int argc, char** argv, Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--level")
            options.level = std::atoi(value);
        else if (name == "--seed")
            options.seed = std::strtoull(value, nullptr, 10);
        else if (name == "--ticks")
            options.ticks = std::atoll(value);
        else
            return false;
    }
    if (const char* ticks = std::getenv("BRAMBLEHOLT_SOAK_TICKS"))
        options.ticks = std::atoll(ticks);
    return argc % 2 == 1 && options.level >= 1 && options.level <= 3 && options.ticks > 0;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << "usage: " << argv[0] << " [--level 1|2|3] [--seed N] [--ticks N]\n";
        return 2;
    }
    // Each load explains itself only when it fails, which the soak reports.
    std::cerr.rdbuf(nullptr);
    soundPool.resize(100);
    return Soak(options).run();
}
