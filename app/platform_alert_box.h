#pragma once
// The engine's alert box as the program shows it: the registered platform's message box, or
// standard error while no platform is registered (before the launch, after the end).
//
// Main thread only.

#include <string>

#include "engine/window/alert.h"

class PlatformAlertBox final : public engine::AlertBox {
 public:
  int show(const std::string& title, const std::string& text) override;
};
