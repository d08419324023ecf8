#include "view/sky/sky_creation.h"

#include "content/planets/planet_def.h"
#include "engine/base/ref_ptr.h"
#include "engine/scene/director.h"
#include "platform/platform.h"
#include "platform/resource_folders.h"
#include "platform/settings/settings.h"
#include "view/sky/advanced_sky.h"
#include "view/sky/sky_pictures.h"
#include "view/world_draw_scale.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

// Never destroyed: a sky still held at exit would be released after the GL context is gone.
engine::RefPtr<Sky>& slot() {
  static auto* sky = new engine::RefPtr<Sky>();
  return *sky;
}

std::string& folderWithoutPlatform() {
  static std::string folder;
  return folder;
}

SkySource platformSource() {
  engine::Director* director = engine::Director::getInstance();
  SkySource source;
  source.cache = director->getTextureCache();
  if (const kel::Platform* platform = kel::Platform::instance()) {
    source.folder = platform->folderPath(kel::FOLDER_SKY);
  } else {
    source.folder = folderWithoutPlatform();
  }
  source.lowerSky = kel::options().lowerSky;
  source.screen = director->getWinSize();
  source.contentScale = director->getContentScaleFactor();
  source.pictureScale = worldDrawScale();
  return source;
}

}  // namespace

void setSkyFolderWithoutPlatform(const std::string& folder) { folderWithoutPlatform() = folder; }

Sky* createSky(World& world) {
  destroySky();
  const SkySource source = platformSource();
  Sky* sky = source.lowerSky ? Sky::create(world, source) : AdvancedSky::create(world, source);
  slot() = sky;
  return sky;
}

std::vector<std::string> skyPictureFiles(const World& world) {
  const SkySource source = platformSource();
  const auto files = SkyPictures::files(source.folder, world.map().planet().name, source.lowerSky);
  return {files.begin(), files.end()};
}

Sky* currentSky() { return slot(); }

void destroySky() {
  engine::RefPtr<Sky>& sky = slot();
  if (sky == nullptr) return;
  if (sky->getParent() != nullptr) sky->removeFromParentAndCleanup();
  sky = nullptr;
}

void showSkyPhase(uint32_t phase, uint32_t tickInPhase) {
  if (Sky* sky = currentSky()) sky->setPhaseTextures(phase, tickInPhase);
}

void stepSkyClock(uint32_t phase, uint32_t tickInPhase) {
  if (Sky* sky = currentSky()) sky->updatePhaseTextures(phase, tickInPhase);
}

void showSkyWeather(uint8_t kind) {
  if (Sky* sky = currentSky()) sky->setWeather(kind);
}

void followPlayerWithSky(float dx, float playerY, int32_t playerRow, int32_t visibleRows, bool skyInView) {
  Sky* sky = currentSky();
  if (sky == nullptr) return;
  sky->updatePosition(dx, playerY);
  sky->setVisible(skyInView || skyVisibleAt(playerRow, visibleRows, sky->skyRow()));
}
