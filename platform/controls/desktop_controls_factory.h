#pragma once
// Makes the desktop input handler for each view's controls; the application registers one with
// the platform at launch, with the director's event dispatcher.

#include "platform/platform_factories.h"

namespace engine {
class EventDispatcher;
}

namespace kel {

class DesktopControlsFactory : public ControlsHandlerFactory {
 public:
  // The dispatcher is not owned; each handler holds its own reference to it.
  explicit DesktopControlsFactory(engine::EventDispatcher* dispatcher) : dispatcher_(dispatcher) {}

  // Null without a dispatcher: there would be nothing to listen to.
  std::unique_ptr<AbstractControlsHandler> create(AbstractControls& controls,
                                                  float factor) override;

 private:
  engine::EventDispatcher* dispatcher_;
};

}  // namespace kel
