#pragma once
// The world's two seams into the tile window: a changed cell is drawn again with its shadow edges
// around it, or with the neighbours its cell-change notice names (`CellRefresh`), and whole-view re-tints are batched during a liquid step or a blast
// (`LightRefreshBatching`). A changed cell may have changed the light around it, so it also asks the
// main layer for one re-tint of the window at the end of the frame; many changes in a frame cost
// one re-tint. Without a window shown every call does nothing.
//
// The application registers one: in the session's world context and as the batching seam.
// Main thread only.

#include <functional>

#include "world/cells/cell_refresh.h"
#include "world/light/light_refresh_batching.h"

class TileRefresh final : public CellRefresh, public LightRefreshBatching {
 public:
  // ---- CellRefresh ----
  void refreshCell(const MapBlock& cell) override;
  void cellChanged(const MapBlock& cell, uint8_t bits) override;

  // ---- LightRefreshBatching ----
  void setFlags(bool batching, bool refreshWanted) override;
  bool refreshWanted() const override;
  // The window, the player sprites, then what else draws in the world's light (the entities' side
  // sets it).
  void refreshWorldLighting() override;

  void setEntityRelight(std::function<void()> relight) { entityRelight_ = std::move(relight); }

 private:
  std::function<void()> entityRelight_;
};
