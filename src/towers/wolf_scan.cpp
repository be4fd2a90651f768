#include "towers/wolf_scan.h"

#include "wolves/wolf.h"
#include "world/level_map.h"
#include "world/world.h"

#include <algorithm>

WolfScan wolfScan;

namespace {

constexpr std::uint8_t target = 1, iced = 2;
constexpr std::uint32_t noCell = ~0u;

std::size_t cellIndex(sf::Vector2i cell)
{
    return static_cast<std::size_t>(cell.x) * LevelMap::gridRows + static_cast<std::size_t>(cell.y);
}

} // namespace

void WolfScan::open(std::size_t wolfCount)
{
    open_ = true;
    placeRoom(wolfCount);
    stepRoom(wolfCount);
    placesTaken_ = true;
    stepsTaken_ = false;
}

// The arrays only grow: a crowd that comes and goes does not clear them anew.
void WolfScan::placeRoom(std::size_t wolfCount)
{
    placeCount_ = wolfCount;
    if (x_.size() < wolfCount) {
        x_.resize(wolfCount);
        y_.resize(wolfCount);
        kind_.resize(wolfCount);
    }
}

void WolfScan::stepRoom(std::size_t wolfCount)
{
    stepCount_ = wolfCount;
    if (steps_.size() < wolfCount) {
        cellOf_.resize(2 * wolfCount);
        steps_.resize(wolfCount);
    }
}

void WolfScan::note(std::size_t index, const Wolf& wolf)
{
    notePlace(index, wolf);
    noteStep(index, wolf);
}

void WolfScan::close()
{
    open_ = false;
}

void WolfScan::notePlace(std::size_t i, const Wolf& wolf)
{
    const sf::Vector2f at = wolf.position();
    x_[i] = at.x;
    y_[i] = at.y;
    kind_[i] = static_cast<std::uint8_t>(
        (wolf.state != WolfState::Dying && wolf.state != WolfState::Dead ? target : 0) | (wolf.slowed ? iced : 0));
}

void WolfScan::noteStep(std::size_t i, const Wolf& wolf)
{
    const std::vector<sf::Vector2i>& route = wolf.route;
    std::uint32_t a = noCell, b = noCell;
    if (route.size() >= 2 && LevelMap::inGrid(route[0]) && LevelMap::inGrid(route[1])) {
        a = static_cast<std::uint32_t>(cellIndex(route[0]));
        b = route[1] == route[0] ? noCell : static_cast<std::uint32_t>(cellIndex(route[1]));
    }
    cellOf_[2 * i] = a;
    cellOf_[2 * i + 1] = b;
    if (a != noCell)
        steps_[i] = {route[0], route[1], wolf.progress};
}

void WolfScan::takePlaces()
{
    if (open_ && placesTaken_)
        return;
    placesTaken_ = true;
    const std::size_t n = wolves.size();
    placeRoom(n);
    for (std::size_t i = 0; i < n; ++i)
        notePlace(i, *wolves[i]);
}

void WolfScan::takeSteps()
{
    if (open_ && stepsTaken_)
        return;
    stepsTaken_ = true;
    if (!open_) {
        stepRoom(wolves.size());
        for (std::size_t i = 0; i < wolves.size(); ++i)
            noteStep(i, *wolves[i]);
    }
    fileSteps();
}

void WolfScan::fileSteps()
{
    // Each wolf on a step of two cells is filed under both (once if they are
    // the same), counted first so that each cell's wolves stay in list order.
    constexpr std::size_t cells = LevelMap::gridColumns * LevelMap::gridRows;
    cellStart_.assign(cells + 1, 0);
    const std::size_t filed = 2 * stepCount_;
    for (std::size_t i = 0; i < filed; ++i) {
        if (cellOf_[i] != noCell)
            ++cellStart_[cellOf_[i] + 1];
    }
    for (std::size_t c = 0; c < cells; ++c)
        cellStart_[c + 1] += cellStart_[c];
    byCell_.resize(cellStart_[cells]);
    next_.assign(cellStart_.begin(), cellStart_.end() - 1);
    for (std::size_t i = 0; i < filed; ++i) {
        if (cellOf_[i] != noCell)
            byCell_[next_[cellOf_[i]]++] = static_cast<std::uint32_t>(i / 2);
    }
}

WolfScan::Indices WolfScan::withinReach(sf::Vector2i tower, bool onlyUnslowed)
{
    takePlaces();
    const float column = static_cast<float>(tower.x), row = static_cast<float>(tower.y);
    const std::uint8_t mask = onlyUnslowed ? target | iced : target;
    // Written without a branch, so that the loop runs on whole vectors; the
    // scratch room only grows, so it is not cleared for every search.
    if (reach_.size() < placeCount_)
        reach_.resize(placeCount_);
    std::size_t* const into = reach_.data();
    std::size_t count = 0;
    for (std::size_t i = 0; i < placeCount_; ++i) {
        const float dx = x_[i] - column, dy = y_[i] - row;
        into[count] = i;
        count += (kind_[i] & mask) == target && dx * dx + dy * dy < 30.25f;
    }
    return {into, count};
}

const std::vector<std::size_t>& WolfScan::besideCell(sf::Vector2i tower)
{
    takePlaces();
    takeSteps();
    found_.clear();
    for (sf::Vector2i step : neighbourOffsets) {
        const sf::Vector2i side = tower + step;
        if (!LevelMap::inGrid(side))
            continue;
        const std::size_t c = cellIndex(side);
        found_.insert(found_.end(), byCell_.begin() + cellStart_[c], byCell_.begin() + cellStart_[c + 1]);
    }
    std::sort(found_.begin(), found_.end());
    found_.erase(std::unique(found_.begin(), found_.end()), found_.end());
    return found_;
}
