#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/scene/timer_element.h"

using namespace engine;

namespace {

// Each case changes a fresh element step by step; the element must say it is lone exactly when
// it has one timer and is not paused, whatever order the changes came in.
struct LoneCase {
  const char* name;
  std::vector<std::function<void(TimerElement&)>> steps;
  bool lone;
};

const auto add = [](TimerElement& e) { e.timerAdded(); };
const auto remove = [](TimerElement& e) { e.timerRemoved(); };
const auto pause = [](TimerElement& e) { e.setPaused(true); };
const auto resume = [](TimerElement& e) { e.setPaused(false); };
const auto empty = [](TimerElement& e) { e.emptied(); };

TEST(TimerElementTest, IsLoneExactlyWithOneTimerAndNoPause) {
  const std::vector<LoneCase> cases = {
      {"new", {}, false},
      {"one timer", {add}, true},
      {"two timers", {add, add}, false},
      {"two then one", {add, add, remove}, true},
      {"one then none", {add, remove}, false},
      {"paused with one", {add, pause}, false},
      {"paused before its timer", {pause, add}, false},
      {"resumed with one", {add, pause, resume}, true},
      {"paused, second removed", {add, add, pause, remove}, false},
      {"paused, second removed, resumed", {add, add, pause, remove, resume}, true},
      {"emptied", {add, add, empty}, false},
      {"emptied then refilled", {add, add, empty, add}, true},
      {"emptied while paused, refilled", {add, pause, empty, add}, false},
  };
  for (const LoneCase& c : cases) {
    TimerElement element(nullptr);
    for (const auto& step : c.steps) step(element);
    EXPECT_EQ(element.lone(), c.lone) << c.name;
  }
}

TEST(TimerElementTest, EmptyingForgetsTheChainButKeepsThePause) {
  TimerElement element(nullptr);
  element.first = 3;
  element.last = 7;
  element.timerAdded();
  element.timerAdded();
  element.setPaused(true);
  element.emptied();
  EXPECT_EQ(element.first, TimerElement::kNoSlot);
  EXPECT_EQ(element.last, TimerElement::kNoSlot);
  EXPECT_EQ(element.count(), 0u);
  EXPECT_TRUE(element.paused());
}

}  // namespace
