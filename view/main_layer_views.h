#pragma once
// What the main layer needs from the interface's views, which sit above the world view: when a
// main layer starts (or a game ends back to the start), the views draw on it and the start view
// becomes current; when a main layer goes, no view may draw on it any more.
// The interface registers its implementation at launch; the null form has no views to move.
//
// Main thread only.

#include "engine/base/seam.h"

class MainLayer;

class MainLayerViews {
 public:
  virtual ~MainLayerViews() = default;
  // The views draw on this layer from now on; the start view becomes current.
  virtual void showStartView(MainLayer* layer) = 0;
  // The layer is going away: no view may draw on it any more.
  virtual void detachLayer(MainLayer* layer) = 0;
};

class NullMainLayerViews final : public MainLayerViews {
 public:
  void showStartView(MainLayer*) override {}
  void detachLayer(MainLayer*) override {}
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<MainLayerViews, NullMainLayerViews>& mainLayerViewsSeam();
MainLayerViews& mainLayerViews();
void setMainLayerViews(MainLayerViews* views);
