#pragma once
// The scripted build plan that wins each shipped level.

#include "playtest.h"

const BuildPlan& levelPlan(int level);
