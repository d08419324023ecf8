#include "platform/text_field/desktop_text_field_factory.h"

#include "platform/text_field/desktop_text_field.h"
#include "platform/text_field/desktop_text_field_listener.h"

namespace kel {

std::unique_ptr<TextField> DesktopTextFieldFactory::createTextField(const TextFieldSetup& setup) {
  return std::make_unique<DesktopTextField>(setup, dispatcher_, scheduler_);
}

std::unique_ptr<TextFieldListener> DesktopTextFieldFactory::createTextFieldListener() {
  return std::make_unique<DesktopTextFieldListener>(dispatcher_);
}

}  // namespace kel
