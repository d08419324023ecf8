#include "engine/window/alert.h"

#include <cstdio>

namespace engine {

Seam<AlertBox, StandardErrorAlertBox>& alertBoxSeam() {
  static Seam<AlertBox, StandardErrorAlertBox> seam;
  return seam;
}

void setAlertBox(AlertBox* box) { alertBoxSeam().set(box); }

int showAlert(const std::string& title, const std::string& text) { return alertBoxSeam().get().show(title, text); }

int writeAlertToStandardError(const std::string& title, const std::string& text) {
  std::fprintf(stderr, "%s\n%s\n", title.c_str(), text.c_str());
  std::fflush(stderr);
  return ALERT_OK;
}

}  // namespace engine
