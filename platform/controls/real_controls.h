#pragma once
// Controls bound to one view. The platform makes the input handler for them (the desktop one
// listens to the mouse and the keyboard); switching the controls on and off, their option and
// the wheel go straight to that handler. Views derive from this and override the input
// operations they need.

#include <memory>

#include "platform/abstract_controls_handler.h"
#include "platform/controls/abstract_controls.h"

namespace kel {

// The platform's handler for the controls; null without a platform or a registered factory,
// which leaves the controls deaf but harmless.
std::unique_ptr<AbstractControlsHandler> makeControlsHandler(AbstractControls& controls,
                                                             float factor);

template <class View, class Controls = AbstractControls>
class RealControls : public Controls {
 public:
  // The factor is for touch screens (1.0, 0.5 or 0.25); the desktop ignores it.
  explicit RealControls(View* view, float factor = 1.0f)
      : view_(view), handler_(makeControlsHandler(*this, factor)) {}

  void activate() override {
    if (handler_) handler_->enable();
  }
  void deactivate() override {
    if (handler_) handler_->disable();
  }
  void setOption(int option) override {
    if (handler_) handler_->setOption(option);
  }
  void setWheelEnabled(bool enabled) override {
    if (handler_) handler_->setWheelEnabled(enabled);
  }

  View* getView() const { return view_; }
  AbstractControlsHandler* getHandler() const { return handler_.get(); }

 protected:
  View* view_;  // not owned: the view owns its controls

 private:
  std::unique_ptr<AbstractControlsHandler> handler_;
};

}  // namespace kel
