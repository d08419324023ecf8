#include "platform/controls/real_controls.h"

#include "engine/base/log.h"
#include "platform/platform.h"

namespace kel {

std::unique_ptr<AbstractControlsHandler> makeControlsHandler(AbstractControls& controls,
                                                             float factor) {
  Platform* platform = Platform::instance();
  if (platform == nullptr) {
    engine::log("controls made before the platform: they will get no input");
    return nullptr;
  }
  return platform->createControlsHandler(controls, factor);
}

}  // namespace kel
