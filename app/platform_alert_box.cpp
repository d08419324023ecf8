#include "app/platform_alert_box.h"

#include "platform/platform.h"

int PlatformAlertBox::show(const std::string& title, const std::string& text) {
  kel::Platform* platform = kel::Platform::instance();
  return platform != nullptr ? platform->alert(title, text) : engine::writeAlertToStandardError(title, text);
}
