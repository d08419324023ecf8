#pragma once
// What the world's view draws with, made ready while the loading screen shows, so that the frame
// that enters a world builds its tree from uploaded textures instead of reading, decoding and
// uploading every picture itself. The atlases start when the loading screen shows (`prepareAtlases`);
// the sky pictures once the world, and so its planet, is known (`prepareWorld`). Workers decode;
// each frame uploads one picture (the largest atlases take milliseconds each); once everything
// is uploaded, the next frame runs what waits to enter the world, so that frame uploads nothing.
// `finish` is for the caller that enters now: it waits for the workers and uploads what is left.
//
// Main thread only, with a GL context.

#include <functional>
#include <string>
#include <vector>

#include "engine/base/ref_ptr.h"
#include "engine/render/texture_preload.h"

namespace engine {
class Scheduler;
}

class WorldViewPreparation {
 public:
  // The scheduler is retained: the preparation may outlive the director.
  WorldViewPreparation(engine::TextureCache& cache, engine::Scheduler& scheduler);
  // Drops what waits: the world it would have entered goes with it.
  ~WorldViewPreparation();
  WorldViewPreparation(const WorldViewPreparation&) = delete;
  WorldViewPreparation& operator=(const WorldViewPreparation&) = delete;

  void prepareAtlases(const std::vector<engine::TexturePreload::File>& files);
  // Prepares the pictures and runs `ready` in a frame after every file is uploaded; at once when
  // nothing is left to prepare.
  void prepareWorld(const std::vector<std::string>& pictures, std::function<void()> ready);
  // Waits for the workers and uploads what is left; what waits to enter stays waiting.
  void finish();
  // True while any file is still to be uploaded.
  bool pending() const { return atlases_.pending() || pictures_.pending(); }

 private:
  void step();
  void runEvery();

  engine::RefPtr<engine::Scheduler> scheduler_;
  engine::TexturePreload atlases_;
  engine::TexturePreload pictures_;
  std::vector<std::function<void()>> waiting_;
  bool stepping_ = false;
};
