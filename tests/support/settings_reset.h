#pragma once
// The process's options back to their start values and no settings host, so each test begins from
// a fresh launch's settings and writes no file it did not ask for.

#include "platform/settings/options.h"
#include "platform/settings/settings.h"

namespace testsupport {

inline void resetSettings() {
  kel::options() = kel::Options{};
  kel::setSettingsHost(nullptr);
}

}  // namespace testsupport
