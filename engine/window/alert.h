#pragma once
// The modal message that start-up failures (of the window, of a damaged content file) show. The
// application registers the platform's message box at launch; until then, and on desktops without
// one, the null form writes the title and text to standard error.

#include <string>

#include "engine/base/seam.h"

namespace engine {

constexpr int ALERT_OK = 1;

class AlertBox {
 public:
  virtual ~AlertBox() = default;
  // Returns the box's result; ALERT_OK when the player dismissed it.
  virtual int show(const std::string& title, const std::string& text) = 0;
};

// Writes the title and the text to standard error and answers OK.
int writeAlertToStandardError(const std::string& title, const std::string& text);

class StandardErrorAlertBox final : public AlertBox {
 public:
  int show(const std::string& title, const std::string& text) override {
    return writeAlertToStandardError(title, text);
  }
};

// Shows nothing and answers OK: for tools and measurements that have nobody to tell.
class SilentAlertBox final : public AlertBox {
 public:
  int show(const std::string&, const std::string&) override { return ALERT_OK; }
};

// The registration slot behind the short forms below (not owned; null restores the null form).
Seam<AlertBox, StandardErrorAlertBox>& alertBoxSeam();
void setAlertBox(AlertBox* box);
int showAlert(const std::string& title, const std::string& text);

}  // namespace engine
