#include "platform/screen_layout.h"

ScreenLayout& screenLayout() {
  static ScreenLayout layout;
  return layout;
}
