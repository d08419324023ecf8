#pragma once
// What applying a video mode needs from the window layer: whether the engine's view exists,
// creating it with its title, and opening or resizing its window. The window code implements this
// and the application registers it with the platform; the null form does nothing.

#include <cstdint>
#include <string>

namespace kel {

class WindowControl {
 public:
  virtual ~WindowControl() = default;
  virtual bool hasView() const = 0;
  virtual void createView(const std::string& title) = 0;
  virtual void applyMode(uint16_t width, uint16_t height, bool fullScreen) = 0;
};

class NullWindowControl : public WindowControl {
 public:
  bool hasView() const override { return false; }
  void createView(const std::string&) override {}
  void applyMode(uint16_t, uint16_t, bool) override {}
};

}  // namespace kel
