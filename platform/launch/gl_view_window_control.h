#pragma once
// The window layer behind the platform's video modes: creates the engine's view once, opens its
// window on the first mode and afterwards resizes that same window (and its context, with every
// texture in it) rather than opening a new one.

#include "platform/window_control.h"

namespace engine {
class GLView;
}

namespace kel {

class GLViewWindowControl final : public WindowControl {
 public:
  GLViewWindowControl() = default;
  // Lets go of the view; the last reference closes the window system.
  ~GLViewWindowControl() override;
  GLViewWindowControl(const GLViewWindowControl&) = delete;
  GLViewWindowControl& operator=(const GLViewWindowControl&) = delete;

  bool hasView() const override { return view_ != nullptr; }
  void createView(const std::string& title) override;
  void applyMode(uint16_t width, uint16_t height, bool fullScreen) override;

  engine::GLView* view() const { return view_; }

 private:
  void resize(uint16_t width, uint16_t height, bool fullScreen);

  engine::GLView* view_ = nullptr;  // one reference, ours
};

}  // namespace kel
