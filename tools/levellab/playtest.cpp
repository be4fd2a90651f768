#include "playtest.h"

#include "frame_lengths.h"

#include "app/assets.h"
#include "app/play_loop.h"
#include "towers/platform.h"
#include "towers/tower.h"
#include "wolves/wolf.h"
#include "world/level.h"
#include "world/level_map.h"
#include "world/world.h"

#include <algorithm>

namespace {

// Why the board refuses a placement now; empty when it allows it.
std::string refusal(const Placement& p)
{
    const MapCell& cell = levelMap.cells[p.column][p.row];
    const bool tower = p.kind == Placement::Tower;
    if (p.kind == Placement::Demolish)
        return {};
    if (cell.terrain == Home)
        return "the home";
    if (cell.terrain == HighGround)
        return !tower ? "stone, not grass" : cell.hasTower ? "a tower stands on the stone" : "";
    if (!tower)
        return cell.platform ? "a platform stands there" : "";
    if (!cell.platform)
        return "grass without a platform";
    if (cell.platform->state == PlatformState::Destroyed)
        return "its platform is breaking";
    return cell.platform->tower ? "its platform carries a tower" : "";
}

std::string describe(const Placement& p)
{
    const char* name = p.kind == Placement::Tower      ? towerName(p.type)
                       : p.kind == Placement::Platform ? "platform"
                       : p.kind == Placement::Pond     ? "pond"
                                                       : "demolish";
    return std::string(name) + " " + std::to_string(p.column) + " " + std::to_string(p.row);
}

// Makes one placement; false when the board does not allow it.
bool place(const Placement& p, PlayResult& result)
{
    switch (p.kind) {
    case Placement::Platform:
        if (!canPlacePlatform(p.column, p.row))
            return false;
        placePlatform(p.column, p.row);
        ++result.platformsBuilt;
        return true;
    case Placement::Tower:
        if (!canPlaceTower(p.column, p.row))
            return false;
        placeTower(p.type, p.column, p.row);
        ++result.towersBuilt[static_cast<std::size_t>(p.type)];
        return true;
    case Placement::Pond:
        if (!canDigPond(p.column, p.row))
            return false;
        digPond(p.column, p.row);
        ++result.pondsDug;
        return true;
    case Placement::Demolish:
        if (!demolishTower(p.column, p.row))
            demolishPlatformOrPond(p.column, p.row);
        return true;
    }
    return false;
}

struct Kept
{
    Placement placement;
    bool stood; // made or found standing: a tower on grass then gets its platform back too
};

bool buildingStands(const Placement& p)
{
    const MapCell& cell = levelMap.cells[p.column][p.row];
    switch (p.kind) {
    case Placement::Tower: return cell.hasTower || (cell.platform && cell.platform->tower);
    case Placement::Platform: return cell.platform != nullptr;
    case Placement::Pond:
        return std::any_of(ponds.begin(), ponds.end(), [&](const Pond* pond) {
            return pond->x == p.column && pond->y == p.row && pond->state != PondState::Drained;
        });
    case Placement::Demolish: break;
    }
    return false;
}

// Puts a kept building back when it is gone and its cell allows it again; a
// tower whose platform fell gets the platform first.
void rebuild(Kept& kept, PlayResult& result)
{
    const Placement& p = kept.placement;
    const MapCell& cell = levelMap.cells[p.column][p.row];
    if (buildingStands(p))
        return;
    if (p.kind == Placement::Tower && kept.stood && cell.terrain == LowGround && !cell.platform) {
        place({p.time, Placement::Platform, 0, p.column, p.row}, result);
        ++result.rebuilt;
    } else if (refusal(p).empty() && place(p, result)) {
        kept.stood = true;
        ++result.rebuilt;
    }
}

} // namespace

std::string levelFile(int level)
{
    return "map/c" + std::to_string(level) + ".txt";
}

PlayResult playtest(const std::string& mapPath, const BuildPlan& plan, const PlayOptions& options)
{
    PlayResult result;
    clearWorld();
    randomEngine.seed(5489u);
    if (!loadLevelFile(mapPath))
        return result;
    result.loaded = true;
    for (WaveRecord& record : mapData.waves) {
        for (float& rate : record.peakRate)
            rate *= options.rateScale;
    }

    BuildPlan pending = plan;
    std::stable_sort(pending.begin(), pending.end(),
                     [](const Placement& a, const Placement& b) { return a.time < b.time; });
    std::size_t next = 0;
    std::vector<Kept> kept; // keep lines whose time has come, watched from then on
    FrameLengths frames(options.frameSeed);
    TimelineRecorder recorder(result.timeline);
    float now = 0;

    float lockCleared = -1e9f; // level time at which the build lock last cleared
    const auto mayClick = [&] { return buildLock == 0 && now >= lockCleared + options.reaction; };
    while (result.ticks < options.maxTicks && now < options.maxSeconds && levelWon == 0 && levelLost == 0) {
        // What fell is put back first, as a person watching the board does.
        for (Kept& watched : kept) {
            if (mayClick())
                rebuild(watched, result);
        }
        while (next < pending.size() && pending[next].time <= now && mayClick()) {
            const Placement& p = pending[next];
            const std::string why = refusal(p);
            const bool made = why.empty() && place(p, result);
            // A kept building that already stands is watched from now on; that is no refusal.
            const bool standing = p.keep && buildingStands(p);
            if (!made && !standing) {
                recorder.refused(now, describe(p), why);
                ++result.skipped;
            }
            if (p.keep)
                kept.push_back({p, made || standing});
            ++next;
        }
        // A frame advances the world by at most the game's longest step.
        const sf::Time dt = std::min(frames.next(), longestFrame);
        const std::uint8_t lockedBefore = buildLock;
        recorder.beforeTick();
        const std::int32_t msBefore = elapsedMs;
        tick(dt);
        ++result.ticks;
        const float before = now;
        result.longestTickMs = std::max(result.longestTickMs, elapsedMs - msBefore);
        now = static_cast<float>(elapsedMs) / 1000;
        if (lockedBefore == 1 && buildLock == 0)
            lockCleared = now;
        recorder.afterTick(before, now, mapData.totalWaveTime);
        if (options.hashTick > 0 && result.ticks == options.hashTick)
            result.hashAtTick = hashWorld();
    }
    for (const TimelineRow& row : result.timeline.rows) {
        for (std::size_t kind = 0; kind < row.arrived.size(); ++kind)
            result.spawned[kind] += row.arrived[kind];
    }
    result.won = levelWon == 1;
    result.lost = levelLost == 1;
    result.seconds = now;
    if (!result.won && !result.lost)
        recorder.noteRemaining();
    return result;
}

int placementCount(const PlayResult& result)
{
    int count = result.platformsBuilt + result.pondsDug;
    for (int built : result.towersBuilt)
        count += built;
    return count;
}
