#include "platform/controls/desktop_controls_factory.h"

#include "engine/base/log.h"
#include "platform/controls/desktop_controls.h"

namespace kel {

std::unique_ptr<AbstractControlsHandler> DesktopControlsFactory::create(AbstractControls& controls,
                                                                        float /*factor*/) {
  if (dispatcher_ == nullptr) {
    engine::log("desktop controls need an event dispatcher; none was given");
    return nullptr;
  }
  return std::make_unique<DesktopControls>(controls, dispatcher_);
}

}  // namespace kel
