#include "ui/net/wait_status.h"

#include <utility>

#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "ui/views/game_view.h"
#include "ui/views/game_views.h"

namespace {

constexpr int kStallKey = 1;

engine::Scheduler* scheduler() {
  return engine::Director::hasInstance() ? engine::Director::getInstance()->getScheduler() : nullptr;
}

}  // namespace

void scheduleStall(void* owner, int key, float delay, std::function<void()> stalled) {
  engine::Scheduler* clock = scheduler();
  if (clock == nullptr) return;
  clock->unschedule(key, owner);
  clock->schedule([run = std::move(stalled)](float) { run(); }, owner, delay, 0, 0.0f, key);
}

void cancelStall(void* owner, int key) {
  if (engine::Scheduler* clock = scheduler()) clock->unschedule(key, owner);
}

WaitStatus::WaitStatus(Lines lines) : lines_(std::move(lines)) {}

WaitStatus::~WaitStatus() { cancelStall(this, kStallKey); }

void WaitStatus::show(const std::string& text, const std::string& stalled) {
  write(text);
  GameViews* views = gameViews();
  if (views != nullptr && views->currentId() != ViewId::Wait) views->switchTo(ViewId::Wait);
  if (stalled.empty()) {
    cancelStall(this, kStallKey);
    return;
  }
  scheduleStall(this, kStallKey, kStallSeconds, [this, stalled] { write(stalled); });
}

void WaitStatus::end() {
  cancelStall(this, kStallKey);
  GameViews* views = gameViews();
  if (views != nullptr && views->currentId() == ViewId::Wait) views->popToMainView();
}

void WaitStatus::write(const std::string& first) {
  if (lines_) lines_(first, "");
}
