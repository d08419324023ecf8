#include "world/light/light_refresh_batching.h"

namespace {
NullLightRefreshBatching nullBatching;
LightRefreshBatching* registered = &nullBatching;
}  // namespace

LightRefreshBatching& lightRefreshBatching() { return *registered; }

void setLightRefreshBatching(LightRefreshBatching* batching) {
  registered = batching != nullptr ? batching : &nullBatching;
}

BatchedLightRefresh::BatchedLightRefresh() { lightRefreshBatching().setFlags(true, false); }

BatchedLightRefresh::~BatchedLightRefresh() {
  LightRefreshBatching& view = lightRefreshBatching();
  if (view.refreshWanted()) view.refreshWorldLighting();
  view.setFlags(false, false);
}
