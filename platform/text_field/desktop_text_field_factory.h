#pragma once
// Makes the desktop text fields for the platform object; the application registers one at
// launch with the director's event dispatcher and scheduler.

#include "platform/platform_factories.h"

namespace engine {
class EventDispatcher;
class Scheduler;
}  // namespace engine

namespace kel {

class DesktopTextFieldFactory : public TextFieldFactory {
 public:
  DesktopTextFieldFactory(engine::EventDispatcher* dispatcher, engine::Scheduler* scheduler)
      : dispatcher_(dispatcher), scheduler_(scheduler) {}

  std::unique_ptr<TextField> createTextField(const TextFieldSetup& setup) override;
  std::unique_ptr<TextFieldListener> createTextFieldListener() override;

 private:
  engine::EventDispatcher* dispatcher_;
  engine::Scheduler* scheduler_;
};

}  // namespace kel
