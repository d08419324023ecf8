#include "world/map/world_params.h"

namespace {
constexpr WorldSize kSizes[kWorldSizeCount] = {{512, 128}, {768, 256}, {1024, 256}, {2048, 384}, {4096, 512}};
constexpr float kFractions[kHeightFractionCount] = {0.05f, 0.10f, 0.15f, 0.20f, 0.30f};
}  // namespace

WorldSize worldSizeFor(uint8_t sizeIndex) { return kSizes[sizeIndex < kWorldSizeCount ? sizeIndex : 0]; }

bool isLegalWorldSize(int32_t width, int32_t height) {
  for (const WorldSize& size : kSizes) {
    if (size.width == width && size.height == height) return true;
  }
  return false;
}

float heightFractionFor(uint8_t heightIndex) {
  return kFractions[heightIndex < kHeightFractionCount ? heightIndex : 0];
}
