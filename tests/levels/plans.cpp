#include "plans.h"

namespace {

using P = Placement;

BuildPlan levelOnePlan()
{
    // Close the upper way into the home, then guard the lower one with a
    // pond, ice and arrows on the stone around it.
    BuildPlan plan = {
        {0, P::Tower, 0, 16, 5},
        {1, P::Platform, 0, 17, 6},
        {4, P::Tower, 1, 13, 3},
        {6, P::Tower, 0, 13, 2},
        {10, P::Tower, 0, 13, 7},
        {20, P::Tower, 0, 10, 4},
        {30, P::Tower, 0, 10, 3},
        {40, P::Tower, 1, 13, 8},
        {50, P::Tower, 0, 9, 3},
        {60, P::Tower, 0, 9, 4},
        {70, P::Tower, 0, 10, 6},
        {80, P::Tower, 0, 6, 3},
        {90, P::Tower, 0, 6, 2},
    };
    // keepPondsFull(plan, {{17, 4}, {16, 4}}, 8, 220);
    return plan;
}

BuildPlan levelTwoPlan()
{
    // Close the upper gap of the wall so every wolf comes through the lower
    // one, past towers on both sides; then ring the home.
    BuildPlan plan = {
        {0, P::Platform, 0, 8, 8},
        {3, P::Tower, 0, 15, 5},
        {4, P::Tower, 0, 16, 4},
        {5, P::Tower, 1, 15, 6},
        {6, P::Tower, 0, 12, 3},
        {10, P::Tower, 0, 13, 2},
        {20, P::Tower, 0, 12, 7},
        {30, P::Tower, 0, 13, 7},
        {40, P::Tower, 1, 14, 2},
        {50, P::Tower, 0, 14, 7},
        {60, P::Tower, 0, 15, 7},
        {70, P::Tower, 0, 8, 5},
        {80, P::Tower, 0, 8, 3},
        {90, P::Tower, 0, 8, 6},
        {100, P::Tower, 0, 15, 2},
        {110, P::Tower, 0, 8, 7},
        {120, P::Tower, 0, 8, 2},
        {125, P::Pond, 0, 9, 4},
        {130, P::Tower, 0, 4, 5},
        {140, P::Tower, 0, 4, 3},
        {150, P::Tower, 0, 5, 7},
        {160, P::Tower, 0, 5, 5},
    };
    return plan;
}

BuildPlan levelThreePlan()
{
    // Guards by the entry for the catapults, the home's side doors closed
    // with platforms that carry towers, a slap tower beside the last
    // corridor, ponds with ice on the doorstep, and arrows all round.
    BuildPlan plan = {
        {0, P::Tower, 0, 4, 5},
        {1, P::Platform, 0, 17, 6},
        {4, P::Platform, 0, 17, 4},
        {7, P::Tower, 3, 13, 4},
        {9, P::Tower, 1, 15, 6},
        {11, P::Tower, 0, 14, 6},
        {13, P::Tower, 0, 14, 4},
        {15, P::Tower, 0, 17, 6},
        {17, P::Tower, 0, 17, 4},
        {25, P::Tower, 0, 14, 3},
        {30, P::Tower, 0, 5, 4},
        {35, P::Tower, 0, 15, 7},
        {45, P::Tower, 1, 13, 3},
        {55, P::Tower, 0, 14, 7},
        {60, P::Tower, 0, 5, 7},
        {65, P::Tower, 2, 11, 5},
        {75, P::Tower, 0, 10, 4},
        {85, P::Tower, 0, 11, 4},
        {105, P::Tower, 0, 10, 5},
        {115, P::Tower, 0, 12, 7},
        {130, P::Tower, 0, 8, 4},
        {145, P::Tower, 0, 8, 6},
        // The entry guard has taken many stones: pull it down and build it
        // again at full health.
        {150, P::Demolish, 0, 4, 5},
        {151, P::Tower, 0, 4, 5},
        {160, P::Tower, 0, 5, 2},
        {175, P::Tower, 0, 12, 8},
        {190, P::Tower, 0, 7, 3},
        {200, P::Tower, 0, 7, 6},
        {210, P::Tower, 0, 8, 3},
        {220, P::Tower, 0, 7, 7},
    };
    keepPondsFull(plan, {{16, 5}, {15, 5}}, 19, 330);
    return plan;
}

} // namespace

const BuildPlan& levelPlan(int level)
{
    static const BuildPlan plans[3] = {levelOnePlan(), levelTwoPlan(), levelThreePlan()};
    return plans[level - 1];
}
