#pragma once
// Numbered jobs on the director's scheduler. Each number is one fixed job of the program (world
// clock step, autosave, join timeout ...) and doubles as its timer key; the registry remembers
// the target each job was scheduled for, so a job can be cancelled by number alone and all of
// them at once when a game ends.

#include <cstddef>
#include <functional>
#include <vector>

namespace engine {

constexpr size_t SCHEDULED_SLOT_COUNT = 26;

// Entry n is the target of the job under number n, or null. Sized SCHEDULED_SLOT_COUNT from the
// start, so no job can be scheduled before the table exists.
std::vector<void*>& scheduledSlots();

// Runs the callback every interval seconds (0: every frame), forever.
void scheduleSlot(std::function<void(float)> callback, float interval, int id, void* target);
// Runs the callback once, after the delay.
void scheduleSlotOnce(std::function<void(float)> callback, float delay, int id, void* target);
// True when the slot held a target (its timer is then gone); false for an empty slot.
bool unscheduleSlot(int id);
void unscheduleAllSlots();

}  // namespace engine
