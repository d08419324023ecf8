#include "view/main_layer_views.h"

engine::Seam<MainLayerViews, NullMainLayerViews>& mainLayerViewsSeam() {
  static engine::Seam<MainLayerViews, NullMainLayerViews> seam;
  return seam;
}

MainLayerViews& mainLayerViews() { return mainLayerViewsSeam().get(); }

void setMainLayerViews(MainLayerViews* views) { mainLayerViewsSeam().set(views); }
