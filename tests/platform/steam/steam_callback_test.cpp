#include "platform/steam/steam_callback.h"
#include "tests/support/steam_probe.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using kel::SteamCallbackData;
using kel::SteamCallbackRegistry;

TEST(SteamCallbackRegistry, DispatchReachesHandlersOfThatIdInOrderAndLateAddsWaitForTheNext) {
  SteamCallbackRegistry registry;
  std::vector<std::string> seen;
  registry.add(5, [&](const SteamCallbackData& d) {
    seen.emplace_back("a");
    seen.back() += std::to_string(d.result);
  });
  registry.add(5, [&](const SteamCallbackData&) {
    seen.push_back("b");
    registry.add(5, [&](const SteamCallbackData&) { seen.push_back("late"); });
  });
  registry.dispatch(SteamCallbackData{5, 3});
  registry.dispatch(SteamCallbackData{5, 1});
  EXPECT_EQ(seen, (std::vector<std::string>{"a3", "b", "a1", "b", "late"}));
}

TEST(SteamCallbackRegistry, HandlersRemovedDuringDispatchAreNotCalledAndGoWithTheirOwner) {
  SteamCallbackRegistry registry;
  std::vector<std::string> seen;
  uint32_t second = 0;
  uint32_t first = 0;
  first = registry.add(1, [&](const SteamCallbackData&) {
    seen.push_back("first");
    registry.remove(first);   // the running handler goes away
    registry.remove(second);  // and so does the next one
  });
  second = registry.add(1, [&](const SteamCallbackData&) { seen.push_back("second"); });
  auto owned = std::make_unique<kel::SteamCallback>(
      registry, 1, [&](const SteamCallbackData&) { seen.push_back("owned"); });
  registry.dispatch(SteamCallbackData{1, 1});
  EXPECT_EQ(seen, (std::vector<std::string>{"first", "owned"}));
  owned.reset();
  EXPECT_EQ(kel::SteamProbe::handlersFor(registry, 1), 0u);
}

}  // namespace
