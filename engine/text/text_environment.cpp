#include "engine/text/text_environment.h"

namespace engine {

namespace {

struct EnvironmentSlot {
  FixedTextEnvironment fixed;
  TextEnvironment* current = &fixed;
};

EnvironmentSlot& slot() {
  static EnvironmentSlot environment;
  return environment;
}

}  // namespace

TextEnvironment* getTextEnvironment() { return slot().current; }

void setTextEnvironment(TextEnvironment* environment) {
  EnvironmentSlot& s = slot();
  if (environment == nullptr) {
    s.fixed = FixedTextEnvironment();
    s.current = &s.fixed;
  } else {
    s.current = environment;
  }
}

}  // namespace engine
