#include "world/time/world_timers.h"

#include "world/world_context.h"

WorldTimers::WorldTimers(const WorldContext& context)
    : engine::TimerGroup([&context] { return context.scheduler; }) {}
