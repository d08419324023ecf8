#include "engine/window/alert.h"

#include <cstdio>

namespace engine {

namespace {

AlertFunction& currentAlert() {
  static AlertFunction function = &writeAlertToStandardError;
  return function;
}

}  // namespace

void setAlertFunction(AlertFunction function) {
  currentAlert() = function != nullptr ? function : &writeAlertToStandardError;
}

int showAlert(const std::string& title, const std::string& text) {
  return currentAlert()(title, text);
}

int writeAlertToStandardError(const std::string& title, const std::string& text) {
  std::fprintf(stderr, "%s\n%s\n", title.c_str(), text.c_str());
  std::fflush(stderr);
  return ALERT_OK;
}

}  // namespace engine
