// The callback registry: handlers run for their id in registration order, and a handler may add
// or remove registrations while the registry is dispatching.

#include "platform/steam/steam_callback.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using kel::SteamCallbackData;
using kel::SteamCallbackRegistry;

TEST(SteamCallbackRegistry, DispatchReachesOnlyHandlersOfThatIdInOrder) {
  SteamCallbackRegistry registry;
  std::vector<std::string> seen;
  registry.add(5,
               [&](const SteamCallbackData& d) { seen.push_back(std::string("a:") += std::to_string(d.result)); });
  registry.add(6, [&](const SteamCallbackData&) { seen.push_back("other"); });
  registry.add(5,
               [&](const SteamCallbackData& d) { seen.push_back(std::string("b:") += std::to_string(d.result)); });
  registry.dispatch(SteamCallbackData{5, 3});
  EXPECT_EQ(seen, (std::vector<std::string>{"a:3", "b:3"}));
}

TEST(SteamCallbackRegistry, AHandlerRemovedDuringDispatchIsNotCalledAndSelfRemovalIsSafe) {
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
  registry.add(1, [&](const SteamCallbackData&) { seen.push_back("third"); });
  registry.dispatch(SteamCallbackData{1, 1});
  EXPECT_EQ(seen, (std::vector<std::string>{"first", "third"}));
  EXPECT_EQ(registry.countFor(1), 1u);
}

TEST(SteamCallbackRegistry, HandlersAddedDuringDispatchWaitForTheNextOne) {
  SteamCallbackRegistry registry;
  int late = 0;
  registry.add(1, [&](const SteamCallbackData&) {
    registry.add(1, [&](const SteamCallbackData&) { ++late; });
  });
  registry.dispatch(SteamCallbackData{1, 1});
  EXPECT_EQ(late, 0);
  registry.dispatch(SteamCallbackData{1, 1});
  EXPECT_EQ(late, 1);
}

TEST(SteamCallback, UnregistersWhenDestroyed) {
  SteamCallbackRegistry registry;
  int calls = 0;
  auto callback =
      std::make_unique<kel::SteamCallback>(registry, 9, [&](const SteamCallbackData&) { ++calls; });
  registry.dispatch(SteamCallbackData{9, 1});
  callback.reset();
  registry.dispatch(SteamCallbackData{9, 1});
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(registry.countFor(9), 0u);
}

}  // namespace
