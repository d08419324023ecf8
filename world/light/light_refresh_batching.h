#pragma once
// The seam to the world view's batching of light refreshes (`lightRefreshBatching`): two flags,
// batching and refresh wanted. While batching is set, a cell update that would re-tint the whole
// drawn world only sets refresh wanted; whoever batched then re-tints once (`refreshWorldLighting`).
// The world view implements it and registers it while it exists; the null form keeps no flags and
// re-tints nothing. Main thread only.
//
// `BatchedLightRefresh` wraps one batch (a liquid step, one blast): it sets batching and clears
// refresh wanted when made, and when it ends re-tints once if asked to, then clears both flags.

#include "engine/base/seam.h"

class LightRefreshBatching {
 public:
  virtual ~LightRefreshBatching() = default;
  virtual void setFlags(bool batching, bool refreshWanted) = 0;
  virtual bool refreshWanted() const = 0;
  // Re-tints every drawn tile, player and entity from the light map.
  virtual void refreshWorldLighting() = 0;
};

class NullLightRefreshBatching final : public LightRefreshBatching {
 public:
  void setFlags(bool, bool) override {}
  bool refreshWanted() const override { return false; }
  void refreshWorldLighting() override {}
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<LightRefreshBatching, NullLightRefreshBatching>& lightRefreshBatchingSeam();
LightRefreshBatching& lightRefreshBatching();
void setLightRefreshBatching(LightRefreshBatching* batching);

class BatchedLightRefresh {
 public:
  BatchedLightRefresh();
  ~BatchedLightRefresh();
  BatchedLightRefresh(const BatchedLightRefresh&) = delete;
  BatchedLightRefresh& operator=(const BatchedLightRefresh&) = delete;
};
