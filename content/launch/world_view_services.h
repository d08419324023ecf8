#pragma once
// What the content start-up needs from the world view, which sits above this library: the main
// layer that becomes the running scene, the scheduler that times the next music track on it, and
// laying the world view out again when the window changes size.
// The world view registers its implementation at launch. Until then the null form makes an empty
// scene, so the program still has a running scene and a frame loop, and drops music requests.

#include "engine/base/seam.h"

namespace engine {
class Node;
}

namespace kel {
class NextMusicScheduler;
}

class WorldViewServices {
 public:
  virtual ~WorldViewServices() = default;
  // A new autoreleased main layer, its init done (the start view is shown); never null.
  virtual engine::Node* createMainLayer() = 0;
  // Not owned; lives as long as the registered services.
  virtual kel::NextMusicScheduler* nextMusicScheduler() = 0;
  // The window changed size and the screen layout follows it: the main layer, the world it shows
  // (its tile window, sky and console) and the player at its centre fit the new size.
  virtual void layOutWorldView() = 0;
};

class NullWorldViewServices final : public WorldViewServices {
 public:
  // An empty scene: nothing to see, but a scene the director can run.
  engine::Node* createMainLayer() override;
  // Null: the audio engine keeps its own null scheduler.
  kel::NextMusicScheduler* nextMusicScheduler() override { return nullptr; }
  // The empty scene has nothing to place.
  void layOutWorldView() override {}
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<WorldViewServices, NullWorldViewServices>& worldViewServicesSeam();
WorldViewServices& worldViewServices();
void setWorldViewServices(WorldViewServices* services);
