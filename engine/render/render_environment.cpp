#include "engine/render/render_environment.h"

namespace engine {
namespace {

struct EnvironmentSlot {
  FixedRenderEnvironment fixed;
  RenderEnvironment* current = &fixed;
};

EnvironmentSlot& slot() {
  static EnvironmentSlot instance;
  return instance;
}

}  // namespace

RenderEnvironment* getRenderEnvironment() { return slot().current; }

void setRenderEnvironment(RenderEnvironment* environment) {
  if (environment == nullptr) {
    slot().fixed = FixedRenderEnvironment();
    slot().current = &slot().fixed;
    return;
  }
  slot().current = environment;
}

Mat4 makeOrthographicProjection(float width, float height) {
  const float zNear = -1024.0f;
  const float zFar = 1024.0f;
  Mat4 result;
  result.m[0] = 2.0f / width;
  result.m[5] = 2.0f / height;
  result.m[10] = -2.0f / (zFar - zNear);
  result.m[12] = -1.0f;
  result.m[13] = -1.0f;
  result.m[14] = -(zFar + zNear) / (zFar - zNear);
  return result;
}

}  // namespace engine
