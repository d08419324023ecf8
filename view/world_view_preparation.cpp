#include "view/world_view_preparation.h"

#include <utility>

#include "engine/scene/scheduler.h"

namespace {

// One picture a frame keeps the loading screen drawing between the largest uploads.
constexpr size_t kUploadsPerFrame = 1;

}  // namespace

WorldViewPreparation::WorldViewPreparation(engine::TextureCache& cache, engine::Scheduler& scheduler)
    : scheduler_(&scheduler), atlases_(cache), pictures_(cache) {}

WorldViewPreparation::~WorldViewPreparation() {
  if (stepping_) scheduler_->unscheduleUpdate(this);
}

void WorldViewPreparation::prepareAtlases(const std::vector<engine::TexturePreload::File>& files) {
  atlases_.start(files);
  if (atlases_.pending()) runEvery();
}

void WorldViewPreparation::prepareWorld(const std::vector<std::string>& pictures, std::function<void()> ready) {
  std::vector<engine::TexturePreload::File> files;
  for (const std::string& path : pictures) files.push_back({path, engine::Texture2D::PixelFormat::RGBA8888});
  pictures_.start(files);
  if (!pending()) {
    ready();
    return;
  }
  waiting_.push_back(std::move(ready));
  runEvery();
}

void WorldViewPreparation::finish() {
  atlases_.finish();
  pictures_.finish();
}

void WorldViewPreparation::runEvery() {
  if (stepping_) return;
  stepping_ = true;
  scheduler_->schedulePerFrame([this](float) { step(); }, this, false);
}

void WorldViewPreparation::step() {
  if (atlases_.pending()) {
    atlases_.uploadSome(kUploadsPerFrame);
    return;
  }
  if (pictures_.pending()) {
    pictures_.uploadSome(kUploadsPerFrame);
    return;
  }
  scheduler_->unscheduleUpdate(this);
  stepping_ = false;
  // A world entered here may prepare the next one: it waits for a later frame.
  std::vector<std::function<void()>> ready = std::move(waiting_);
  waiting_.clear();
  for (std::function<void()>& enter : ready) enter();
}
