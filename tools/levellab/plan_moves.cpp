// Lists a plan's placements on a map for the scripts that click plans into
// the real game (scripts/realplay, scripts/screenshot), so that they read
// plans as the level lab does: the same rules, the same refusals, and numbers
// written the same way whatever the locale.
//
//   plan_moves MAP PLAN
//
// Prints "waves S", the seconds of the map's waves, then one placement a
// line in time order, "SECONDS BUILDING COLUMN ROW" (building as in the plan
// file, "every" repeats written out), with " keep" after a kept one.
// Refuses a map the game would refuse or a plan the lab would, with the
// reason on one line and status 1.

#include "plans.h"

#include "world/level.h"
#include "datafiles/map_data.h"

#include <cstdio>
#include <string>

namespace {

int refuse(int status, const std::string& why)
{
    std::fprintf(stderr, "plan_moves: %s\n", why.c_str());
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return refuse(2, "usage: plan_moves MAP PLAN");
    const std::string mapPath = argv[1], planPath = argv[2];
    MapData map;
    if (const MapReadResult read = readMapFile(mapPath, map); !read.ok())
        return refuse(1, mapPath + ": " + read.error);
    if (const Refusal unsound = checkMap(map); !unsound.empty())
        return refuse(1, mapPath + ": " + unsound.english);
    BuildPlan plan;
    if (const std::string problem = readPlanFile(planPath, plan, planEnd(map.totalWaveTime)); !problem.empty())
        return refuse(1, problem);

    std::printf("waves %.3f\n", static_cast<double>(map.totalWaveTime));
    for (const Placement& placement : plan)
        std::printf("%.3f %s %d %d%s\n", static_cast<double>(placement.time), buildingName(buildingOf(placement)),
                    placement.column, placement.row, placement.keep ? " keep" : "");
    return std::fflush(stdout) == 0 ? 0 : refuse(1, "cannot write the placements");
}
