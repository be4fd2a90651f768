#include "timeline.h"

#include "towers/platform.h"
#include "towers/special_towers.h"
#include "towers/tower.h"
#include "wolves/stone.h"
#include "wolves/wolf.h"
#include "wolves/wolf_kinds.h"
#include "world/level_map.h"
#include "world/world.h"

#include <algorithm>
#include <cstdio>

namespace {

const char* const kindNames[wolfKindCount] = {"regular", "cub", "throwing", "suicidal", "hacking", "catapult"};
const char* const towerNames[4] = {"arrow", "ice", "skunk", "slap"};

float squaredDistance(sf::Vector2f p, int column, int row)
{
    const float dx = p.x - static_cast<float>(column);
    const float dy = p.y - static_cast<float>(row);
    return dx * dx + dy * dy;
}

bool dying(WolfState state)
{
    return state == WolfState::Dying || state == WolfState::Dead;
}

const char* stateName(WolfState state)
{
    switch (state) {
    case WolfState::Walking: return "walking";
    case WolfState::Attacking: return "biting";
    case WolfState::Reloading: return "throwing";
    case WolfState::Stunned: return "stunned";
    case WolfState::KnockedBack: return "knocked back";
    case WolfState::Dying: return "dying";
    case WolfState::Dead: return "dead";
    }
    return "?";
}

} // namespace

const char* wolfKindName(int kind)
{
    return kindNames[kind];
}

const char* towerName(int type)
{
    return towerNames[type];
}

void TimelineRecorder::beforeTick()
{
    wolvesBefore_.assign(wolves.begin(), wolves.end());
    cellBefore_.clear();
    blasts_.clear();
    for (const Wolf* wolf : wolves) {
        cellBefore_[wolf] = wolf->route.front();
        // A wolf out of health blows up first thing in its update, where it
        // stands, even when a skunk tower's burst in the same tick then
        // turns it from dying to stunned.
        if (wolfKindOf(wolf) == SuicidalWolfKind && wolf->health <= 0 && !dying(wolf->state))
            blasts_.push_back(wolf->position());
    }
    stonesBefore_.clear();
    for (const Stone* stone : stones)
        stonesBefore_.emplace_back(stone->target, dynamic_cast<const CatapultStone*>(stone) ? "a catapult's stones"
                                                                                            : "a throwing wolf's stones");
    towersBefore_.clear();
    for (const Tower* tower : towers)
        towersBefore_[tower] = {std::string(towerName(towerTypeOf(tower))) + " tower", {tower->x, tower->y}};
    platformsBefore_.clear();
    carried_.clear();
    for (const Platform* platform : platforms) {
        platformsBefore_[platform] = {platform->x, platform->y};
        carried_[platform] = platform->tower;
    }
}

void TimelineRecorder::blame(const void* building, const std::string& cause, float now)
{
    hurt_[building] = {cause, now};
}

std::string TimelineRecorder::lastCause(const void* building) const
{
    const auto found = hurt_.find(building);
    if (found == hurt_.end())
        return "demolished";
    char when[32];
    std::snprintf(when, sizeof when, " (last at %.1f s)", found->second.time);
    return found->second.cause + when;
}

void TimelineRecorder::afterTick(float before, float now, float waveTime)
{
    // What hurt a building in this tick: bites, blasts and stones.
    for (const Wolf* wolf : wolves) {
        if (wolf->state == WolfState::Attacking && wolf->stateTimer == 1.0f && wolf->route.size() >= 2) {
            // The platform as it stood before the tick: the bite may have felled it.
            for (const auto& [platform, cell] : platformsBefore_) {
                if (cell == wolf->route[1])
                    blame(platform, std::string("bites of a ") + kindNames[wolfKindOf(wolf)] + " wolf", now);
            }
        }
        if (const auto cell = cellBefore_.find(wolf); cell != cellBefore_.end() && cell->second != wolf->route.front())
            cameFrom_[wolf] = cell->second;
    }
    for (const sf::Vector2f p : blasts_) {
        // The buildings as they stood before the tick: the blast may have felled some.
        for (const auto& [tower, named] : towersBefore_) {
            if (squaredDistance(p, named.second.x, named.second.y) < 6.25f)
                blame(tower, "a suicidal wolf's blast", now);
        }
        for (const auto& [platform, cell] : platformsBefore_) {
            if (squaredDistance(p, cell.x, cell.y) < 6.25f)
                blame(platform, "a suicidal wolf's blast", now);
        }
    }
    std::vector<const Tower*> targetsNow;
    for (const Stone* stone : stones)
        targetsNow.push_back(stone->target);
    for (const auto& [target, cause] : stonesBefore_) {
        // A stone that is gone has landed (or its tower fell first).
        const auto still = std::find(targetsNow.begin(), targetsNow.end(), target);
        if (still != targetsNow.end())
            targetsNow.erase(still);
        else
            blame(target, cause, now);
    }

    // What was lost in this tick.
    for (const auto& [platform, cell] : platformsBefore_) {
        if (std::find(platforms.begin(), platforms.end(), platform) != platforms.end())
            continue;
        const std::string cause = lastCause(platform);
        timeline_.losses.push_back({now, cell.x, cell.y, "platform", cause});
        if (const Tower* tower = carried_[platform]) {
            const auto& [name, at] = towersBefore_[tower];
            timeline_.losses.push_back({now, at.x, at.y, name, "fell with its platform"});
            towersBefore_.erase(tower);
            hurt_.erase(tower);
        }
        hurt_.erase(platform);
    }
    for (const auto& [tower, named] : towersBefore_) {
        if (std::find(towers.begin(), towers.end(), tower) != towers.end())
            continue;
        timeline_.losses.push_back({now, named.second.x, named.second.y, named.first, lastCause(tower)});
        hurt_.erase(tower);
    }

    // Wolves: arrivals and the most on the board in this row of the timeline.
    const std::size_t row = static_cast<std::size_t>(before / timelineStep);
    if (timeline_.rows.size() <= row)
        timeline_.rows.resize(row + 1);
    std::array<int, 6> onBoard{};
    for (const Wolf* wolf : wolves) {
        const int kind = wolfKindOf(wolf);
        ++onBoard[static_cast<std::size_t>(kind)];
        // A wolf that came in at the end of this tick has not moved yet.
        if (wolf->speed == 0.f) {
            if (wolf->route.front().x == 1) { // not a stun at a standstill
                entryRow_[wolf] = wolf->route.front().y;
                cameFrom_.erase(wolf);
            }
            ++timeline_.rows[row].arrived[static_cast<std::size_t>(kind)];
            timeline_.arrivals.push_back(now);
            if (timeline_.firstWolf < 0)
                timeline_.firstWolf = now;
        }
    }
    for (std::size_t kind = 0; kind < onBoard.size(); ++kind)
        timeline_.rows[row].most[kind] = std::max(timeline_.rows[row].most[kind], onBoard[kind]);
    if (timeline_.firstWolf >= 0 && before < waveTime && !wolvesBefore_.empty())
        timeline_.timeWithWolves += std::min(now, waveTime) - before;
    if (levelLost == 1 && !timeline_.breach)
        noteBreach();
}

void TimelineRecorder::noteBreach()
{
    for (const Wolf* wolf : wolves) {
        if (wolf->route.front() != levelMap.home())
            continue;
        const auto from = cameFrom_.find(wolf);
        const auto entry = entryRow_.find(wolf);
        timeline_.breach = Breach{wolfKindOf(wolf), entry == entryRow_.end() ? 0 : entry->second,
                                  from == cameFrom_.end() ? levelMap.home() : from->second};
        return;
    }
}

void TimelineRecorder::refused(float now, const std::string& placement, const std::string& reason)
{
    timeline_.refused.push_back({now, placement, reason});
}

void TimelineRecorder::noteRemaining()
{
    for (const Wolf* wolf : wolves) {
        const int kind = wolfKindOf(wolf);
        const sf::Vector2f p = wolf->position();
        int inThrow = 0, reaching = 0;
        for (const Tower* tower : towers) {
            const float d = squaredDistance(p, tower->x, tower->y);
            inThrow += d < 72.25f;
            reaching += d < 30.25f && towerTypeOf(tower) <= 1;
        }
        char line[160];
        std::snprintf(line, sizeof line, "%s wolf at (%.1f, %.1f), %s, health %d; %d towers within 8.5 cells, %d "
                      "shooting towers within reach (5.5)", kindNames[kind], p.x, p.y, stateName(wolf->state),
                      wolf->health, inThrow, reaching);
        timeline_.remaining.push_back(line);
    }
}
