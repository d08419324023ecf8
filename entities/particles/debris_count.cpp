#include "entities/particles/debris_count.h"

DebrisCount& debrisCount() {
  static DebrisCount count;
  return count;
}
