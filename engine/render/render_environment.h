#pragma once
// What drawing needs to know about the frame it runs in: the projection, the running time and the
// window size. The director owns these facts and registers itself as the environment at launch;
// until then a plain stand-in answers, so the GL stack never has to include the scene code that
// owns it. A test or tool that draws without a director registers a FixedRenderEnvironment of its
// own.

#include "engine/base/geometry.h"

namespace engine {

class RenderEnvironment {
 public:
  virtual ~RenderEnvironment() = default;

  virtual Mat4 getProjectionMatrix() const = 0;
  // Total frame count x animation interval, in seconds.
  virtual double getTotalTime() const = 0;
  // The window size in points, used for culling.
  virtual Size getWinSize() const = 0;
  // Called when the GL state cache is invalidated: the owner's current matrices return to
  // identity.
  virtual void resetMatrices() = 0;
};

// The stand-in environment: values set by hand.
class FixedRenderEnvironment : public RenderEnvironment {
 public:
  Mat4 getProjectionMatrix() const override { return projection_; }
  double getTotalTime() const override { return totalTime_; }
  Size getWinSize() const override { return winSize_; }
  void resetMatrices() override { projection_ = Mat4::IDENTITY; }

  void setProjectionMatrix(const Mat4& projection) { projection_ = projection; }
  void setTotalTime(double seconds) { totalTime_ = seconds; }
  void setWinSize(const Size& size) { winSize_ = size; }

 private:
  Mat4 projection_;
  double totalTime_ = 0.0;
  Size winSize_;
};

// The current environment; never null. Setting null returns to the built-in stand-in, which
// is also reset to its initial values.
RenderEnvironment* getRenderEnvironment();
void setRenderEnvironment(RenderEnvironment* environment);

// An orthographic projection that maps (0,0)-(width,height) to the whole viewport, as the
// director sets it for a 2D scene.
Mat4 makeOrthographicProjection(float width, float height);

}  // namespace engine
