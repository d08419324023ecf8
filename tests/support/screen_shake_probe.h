#pragma once
// Whether the next screen shake would run, told from the outside: ask for one and, when it is
// handed out, allow the next one again at once. The action handed out is autoreleased unrun.

#include "view/effects/screen_shake.h"

inline bool screenShakeAllowed() {
  if (makeScreenShakeAction(true) == nullptr) return false;
  resetScreenShake();
  return true;
}
