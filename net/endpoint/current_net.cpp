#include "net/endpoint/current_net.h"

#include "net/endpoint/net.h"

namespace {

struct CurrentNet {
  std::unique_ptr<Net> current;
  std::unique_ptr<Net> retired;  // shut down; freed once none of its code can be running
};

CurrentNet& slot() {
  static CurrentNet held;
  return held;
}

}  // namespace

Net* currentNet() { return slot().current.get(); }

Net& makeCurrentNet(std::unique_ptr<Net> endpoint) {
  endCurrentNet();
  slot().current = std::move(endpoint);
  return *slot().current;
}

void retireCurrentNet(const Net& endpoint) {
  CurrentNet& held = slot();
  if (held.current.get() != &endpoint) return;
  held.retired = std::move(held.current);
}

void dispatchCurrentNet() {
  if (Net* endpoint = currentNet()) endpoint->dispatchQueued();
  slot().retired.reset();
}

bool holdsNet(const Net& endpoint) {
  const CurrentNet& held = slot();
  return held.current.get() == &endpoint || held.retired.get() == &endpoint;
}

void releaseRetiredNet() { slot().retired.reset(); }

void endCurrentNet() {
  if (Net* endpoint = currentNet()) endpoint->shutdown();
  slot().current.reset();
  slot().retired.reset();
}
