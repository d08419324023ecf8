#include "world/light/light_refresh_batching.h"

BatchedLightRefresh::BatchedLightRefresh(LightRefreshBatching& view) : view_(view) { view_.setFlags(true, false); }

BatchedLightRefresh::~BatchedLightRefresh() {
  if (view_.refreshWanted()) view_.refreshWorldLighting();
  view_.setFlags(false, false);
}
