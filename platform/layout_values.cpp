#include "platform/layout_values.h"

namespace kel {

LayoutValues layoutValuesFor(float /*width*/, float height) {
  LayoutValues values;
  // The small offset keeps scaled sizes from landing exactly on .5 pixel edges.
  if (height < 768.0f) {
    values.defaultUiScale = 2.0005f;
  } else if (height < 1280.0f) {
    values.defaultUiScale = 3.0005f;
  } else {
    values.defaultUiScale = 4.0005f;
  }
  return values;
}

}  // namespace kel
