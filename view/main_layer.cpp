#include "view/main_layer.h"

#include <ctime>

#include "content/launch/interface_services.h"
#include "engine/base/random.h"
#include "engine/scene/director.h"

namespace {
MainLayer*& slot() {
  static MainLayer* layer = nullptr;
  return layer;
}
}  // namespace

MainLayer* MainLayer::create() {
  auto* layer = new MainLayer();
  layer->init();
  layer->autorelease();
  return layer;
}

MainLayer* MainLayer::current() { return slot(); }

MainLayer::~MainLayer() {
  interfaceServices().detachLayer(this);
  if (slot() == this) slot() = nullptr;
}

bool MainLayer::init() {
  slot() = this;
  engine::randomSeed(static_cast<uint32_t>(std::time(nullptr)));
  setContentSize(engine::Director::getInstance()->getWinSize());
  interfaceServices().showStartView(this);
  return true;
}
