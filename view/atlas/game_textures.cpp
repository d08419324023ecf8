#include "view/atlas/game_textures.h"

#include <cstdint>
#include <utility>

#include "engine/base/log.h"
#include "engine/io/damaged_data_files.h"
#include "engine/render/gl_program_cache.h"
#include "engine/render/gl_program_state_cache.h"
#include "engine/render/texture2d.h"
#include "engine/render/texture_cache.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "engine/sprite/sprite_batch_node.h"
#include "view/atlas/custom_shaders.h"

namespace {

using PixelFormat = engine::Texture2D::PixelFormat;

constexpr const char* kAtlasFiles[atlas::kCount] = {"rocks.png",  "fluids.png",    "iap.png",   "debris.png",
                                                    "equip.png",  "interface.png", "mobs.png",  "treasures.png",
                                                    "tools.png",  "tile-effects.png"};
constexpr int kFallbackSize = 16;

// The atlases in the order they are made ready and loaded, so the first ones the world draws are
// the first ready. iap.png is never loaded.
constexpr int kLoadOrder[] = {atlas::kRocks, atlas::kTreasures, atlas::kEquip,       atlas::kDebris, atlas::kMobs,
                              atlas::kInterface, atlas::kFluids, atlas::kTileEffects, atlas::kTools};

engine::TextureCache* cache() { return engine::Director::getInstance()->getTextureCache(); }

// Liquids keep every bit of their colour: the lower graphics pack every other atlas.
PixelFormat formatOf(int index, bool lowerGraphics) {
  return lowerGraphics && index != atlas::kFluids ? PixelFormat::RGB5A1 : PixelFormat::RGBA8888;
}

void loadAtlas(GameTextures& set, const std::string& folder, int index, bool lowerGraphics) {
  engine::Texture2D::setDefaultAlphaPixelFormat(formatOf(index, lowerGraphics));
  engine::Texture2D* texture = cache()->addImage(atlasFileNames(folder, index));
  engine::Texture2D::setDefaultAlphaPixelFormat(PixelFormat::RGBA8888);
  if (texture == nullptr) {
    engine::log("atlas %s is missing or unreadable; a stand-in is drawn", atlasFileName(index).c_str());
    // The start view names it, so the player knows which file to restore.
    engine::DamagedDataFiles::report(atlasFileNames(folder, index));
    engine::RefPtr<engine::Texture2D> standIn = makeFallbackTexture();
    texture = standIn;
    if (standIn != nullptr) set.fallbacks.push_back(std::move(standIn));
  }
  if (texture != nullptr) texture->setFilterMode(1);
  set.textures[index] = texture;
}

GameTextures::Batch batch(engine::Texture2D* texture, int64_t capacity, bool flag) {
  return GameTextures::Batch(engine::SpriteBatchNode::createWithTexture(texture, capacity, flag));
}

GameTextures::Holder holder() { return GameTextures::Holder(engine::InnerNode::create()); }

}  // namespace

std::string atlasFileName(int index) {
  return index >= 0 && index < atlas::kCount ? kAtlasFiles[index] : std::string();
}

std::string atlasFileNames(const std::string& graphicsFolder, int index) {
  const std::string name = atlasFileName(index);
  if (name.empty() || graphicsFolder.empty()) return name;
  return graphicsFolder.back() == '/' ? graphicsFolder + name : graphicsFolder + "/" + name;
}

GameTextures& gameTextures() {
  // Never destroyed: a set still loaded at exit would be released after the GL context is gone.
  static auto* set = new GameTextures;
  return *set;
}

engine::RefPtr<engine::Texture2D> makeFallbackTexture() {
  std::vector<uint8_t> pixels(static_cast<size_t>(kFallbackSize) * kFallbackSize * 4);
  for (int y = 0; y < kFallbackSize; ++y) {
    for (int x = 0; x < kFallbackSize; ++x) {
      uint8_t* p = &pixels[(static_cast<size_t>(y) * kFallbackSize + x) * 4];
      const bool lit = ((x / 4) + (y / 4)) % 2 == 0;
      p[0] = lit ? 255 : 0;
      p[1] = 0;
      p[2] = lit ? 255 : 0;
      p[3] = 255;
    }
  }
  auto texture = engine::RefPtr<engine::Texture2D>::adopt(new engine::Texture2D());
  if (!texture->initWithData(pixels.data(), pixels.size(), PixelFormat::RGBA8888, kFallbackSize, kFallbackSize)) {
    return nullptr;
  }
  return texture;
}

std::vector<engine::TexturePreload::File> gameTextureFiles(const std::string& folder, bool lowerGraphics) {
  std::vector<engine::TexturePreload::File> files;
  for (const int index : kLoadOrder) files.push_back({atlasFileNames(folder, index), formatOf(index, lowerGraphics)});
  return files;
}

engine::TextureCache& gameTextureCache() { return *cache(); }

void loadGameTextures(const std::string& folder, bool lowerGraphics) {
  GameTextures& set = gameTextures();
  if (set.loaded) unloadGameTextures();
  for (const int index : kLoadOrder) loadAtlas(set, folder, index, lowerGraphics);
  const auto& loaded = set.textures;
  engine::Texture2D* rocks = loaded[atlas::kRocks];
  engine::Texture2D* treasures = loaded[atlas::kTreasures];
  engine::Texture2D* debris = loaded[atlas::kDebris];
  engine::Texture2D* mobs = loaded[atlas::kMobs];
  engine::Texture2D* interface = loaded[atlas::kInterface];

  set.blockBatch = batch(rocks, 512, true);
  set.extraWorldNode = holder();
  set.treasureBatch = batch(treasures, 512, false);
  set.secondTreasureBatch = batch(treasures, 512, false);
  set.iconBatch = batch(treasures, 50, true);
  set.mobNode = holder();
  set.healthBarBatch = batch(interface, 32, true);
  set.particleBatches = {batch(debris, 128, false), batch(rocks, 256, false), batch(mobs, 64, false)};
  set.bulletBatch = batch(debris, 64, false);
  set.hudLayer = holder();
  set.additiveBatch = batch(loaded[atlas::kFluids], 64, true);
  set.dressBatch = batch(loaded[atlas::kEquip], 64, true);

  // Liquids cover what lies behind them: drawn opaque where their frame holds liquid, with the
  // frame's own colour, darker the deeper it lies.
  set.additiveBatch->setBlendFunc(engine::BlendFunc::ALPHA_NON_PREMULTIPLIED);
  if (engine::GLProgram* liquid = engine::GLProgramCache::getInstance()->getGLProgram(custom_shader::kLiquid)) {
    set.additiveBatch->setGLProgramState(engine::GLProgramStateCache::getInstance()->getGLProgramState(liquid));
  }
  if (engine::GLProgram* bars = engine::GLProgramCache::getInstance()->getGLProgram(custom_shader::kHealthBar)) {
    set.healthBarBatch->setGLProgramState(engine::GLProgramStateCache::getInstance()->getGLProgramState(bars));
  }
  set.loaded = true;
}

void unloadGameTextures() {
  GameTextures& set = gameTextures();
  for (int index = 0; index < atlas::kCount; ++index) {
    engine::Texture2D* texture = set.textures[index];
    if (texture == nullptr) continue;
    bool fallback = false;
    for (const engine::RefPtr<engine::Texture2D>& stand : set.fallbacks) fallback = fallback || stand == texture;
    if (!fallback) cache()->removeTexture(texture);
  }
  set = GameTextures{};
}
