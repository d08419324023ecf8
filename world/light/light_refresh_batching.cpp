#include "world/light/light_refresh_batching.h"

BatchedLightRefresh::BatchedLightRefresh() { lightRefreshBatching().setFlags(true, false); }

BatchedLightRefresh::~BatchedLightRefresh() {
  LightRefreshBatching& view = lightRefreshBatching();
  if (view.refreshWanted()) view.refreshWorldLighting();
  view.setFlags(false, false);
}

engine::Seam<LightRefreshBatching, NullLightRefreshBatching>& lightRefreshBatchingSeam() {
  static engine::Seam<LightRefreshBatching, NullLightRefreshBatching> seam;
  return seam;
}

LightRefreshBatching& lightRefreshBatching() { return lightRefreshBatchingSeam().get(); }

void setLightRefreshBatching(LightRefreshBatching* batching) { lightRefreshBatchingSeam().set(batching); }
