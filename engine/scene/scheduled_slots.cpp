#include "engine/scene/scheduled_slots.h"

#include <utility>

#include "engine/base/log.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"

namespace engine {

namespace {

bool validSlot(int id) {
  if (id >= 0 && static_cast<size_t>(id) < scheduledSlots().size()) return true;
  log("scheduled slot %d is out of range", id);
  return false;
}

void scheduleInSlot(std::function<void(float)> callback, float interval, uint32_t repeat,
                    float delay, int id, void* target) {
  if (!validSlot(id)) return;
  scheduledSlots()[static_cast<size_t>(id)] = target;
  Director::getInstance()->getScheduler()->schedule(
      [callback = std::move(callback)](float elapsed) { callback(elapsed); }, target, interval,
      repeat, delay, id);
}

}  // namespace

std::vector<void*>& scheduledSlots() {
  static std::vector<void*> slots(SCHEDULED_SLOT_COUNT, nullptr);
  return slots;
}

void scheduleSlot(std::function<void(float)> callback, float interval, int id, void* target) {
  scheduleInSlot(std::move(callback), interval, REPEAT_FOREVER, 0.0f, id, target);
}

void scheduleSlotOnce(std::function<void(float)> callback, float delay, int id, void* target) {
  scheduleInSlot(std::move(callback), 0.0f, 0, delay, id, target);
}

bool unscheduleSlot(int id) {
  if (!validSlot(id)) return false;
  void*& entry = scheduledSlots()[static_cast<size_t>(id)];
  if (entry == nullptr) return false;
  Director::getInstance()->getScheduler()->unschedule(id, entry);
  entry = nullptr;
  return true;
}

void unscheduleAllSlots() {
  std::vector<void*>& slots = scheduledSlots();
  Scheduler* scheduler = Director::getInstance()->getScheduler();
  for (size_t i = 0; i < slots.size(); ++i) {
    if (slots[i] != nullptr) scheduler->unschedule(static_cast<int>(i), slots[i]);
    slots[i] = nullptr;
  }
}

}  // namespace engine
