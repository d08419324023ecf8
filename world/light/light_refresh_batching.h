#pragma once
// The world view's batching of light refreshes (`World::lightBatching`): two flags,
// batching and refresh wanted. While batching is set, a cell update that would re-tint the whole
// drawn world only sets refresh wanted; whoever batched then re-tints once (`refreshWorldLighting`).
// The world view implements it and gives it to the worlds it draws (`WorldContext::lightBatching`);
// the null form, a world's without one, keeps no flags and re-tints nothing. Main thread only.
//
// `BatchedLightRefresh` wraps one batch (a liquid step, one blast): it sets batching and clears
// refresh wanted when made, and when it ends re-tints once if asked to, then clears both flags.

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

class BatchedLightRefresh {
 public:
  explicit BatchedLightRefresh(LightRefreshBatching& view);
  ~BatchedLightRefresh();
  BatchedLightRefresh(const BatchedLightRefresh&) = delete;
  BatchedLightRefresh& operator=(const BatchedLightRefresh&) = delete;

 private:
  LightRefreshBatching& view_;
};
