#include "view/world_view_launch_services.h"

#include "view/main_layer.h"

engine::Node* WorldViewLaunchServices::createMainLayer() { return MainLayer::create(); }

void WorldViewLaunchServices::layOutWorldView() {
  if (MainLayer* layer = MainLayer::current()) layer->layOutForScreen();
}
