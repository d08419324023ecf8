#pragma once
// The texture atlases of a running world and the batch and holder nodes drawn from them, made once
// when a game's view is built (`loadGameTextures`) and released as a pair with it when the
// graphics options change (`unloadGameTextures`).
//
// Atlases, by index: 0 rocks.png, 1 fluids.png, 2 iap.png (never loaded), 3 debris.png,
// 4 equip.png, 5 interface.png, 6 mobs.png, 7 treasures.png, 8 tools.png, 9 tile-effects.png.
// With lowerGraphics every atlas but fluids.png is uploaded as RGB5A1 (half the memory).
//
// The atlases may be made ready beforehand (`gameTextureFiles` handed to an engine::TexturePreload
// on `gameTextureCache()`, while a loading screen shows): the load then finds them uploaded.
//
// A missing or unreadable atlas leaves a small generated fallback texture in its place, so every
// node below exists and nothing ever draws a null texture; the fallbacks are released with the rest.
//
// Main thread only, with a GL context.

#include <array>
#include <string>
#include <vector>

#include "engine/base/ref_ptr.h"
#include "engine/render/texture_preload.h"

namespace engine {
class InnerNode;
class SpriteBatchNode;
class Texture2D;
class TextureCache;
}  // namespace engine

namespace atlas {
enum : int {
  kRocks = 0,
  kFluids = 1,
  kStore = 2,
  kDebris = 3,
  kEquip = 4,
  kInterface = 5,
  kMobs = 6,
  kTreasures = 7,
  kTools = 8,
  kTileEffects = 9,
  kCount = 10,
};
}  // namespace atlas

// The file name of atlas `index` (0-9); empty outside.
std::string atlasFileName(int index);
// The atlas's full path in the graphics folder.
std::string atlasFileNames(const std::string& graphicsFolder, int index);

// Every node is held here, whether or not the main layer has taken it as a child.
struct GameTextures {
  using Batch = engine::RefPtr<engine::SpriteBatchNode>;
  using Holder = engine::RefPtr<engine::InnerNode>;

  Batch blockBatch;           // rocks, 512 quads: the tile window
  Holder extraWorldNode;
  Batch treasureBatch;        // treasures, 512
  Batch secondTreasureBatch;  // treasures, 512
  Batch iconBatch;            // treasures, 50: item icons over the HUD
  Holder mobNode;
  Batch healthBarBatch;                 // interface, 32, program 258
  std::array<Batch, 3> particleBatches;  // debris 128, rocks 256, mobs 64
  Batch bulletBatch;                    // debris, 64
  Holder hudLayer;
  Batch additiveBatch;  // fluids, 64, blend (source alpha, one)
  Batch dressBatch;     // equip, 64
  // Textures by atlas index (null for iap.png); the real ones belong to the texture cache.
  std::array<engine::Texture2D*, atlas::kCount> textures{};
  // Atlases that were missing: generated stand-ins.
  std::vector<engine::RefPtr<engine::Texture2D>> fallbacks;
  bool loaded = false;
};

// The loaded set, empty before the first load and after an unload.
GameTextures& gameTextures();

// The atlases `loadGameTextures` loads from the folder, in its order, each with its upload format.
std::vector<engine::TexturePreload::File> gameTextureFiles(const std::string& graphicsFolder, bool lowerGraphics);
// The cache the atlases are loaded into (the director's).
engine::TextureCache& gameTextureCache();
// Loads the atlases of the graphics folder and makes every node.
void loadGameTextures(const std::string& graphicsFolder, bool lowerGraphics);
// Removes the loaded atlases from the texture cache and clears the set, which lets go of every
// node and fallback.
void unloadGameTextures();
// The stand-in for a missing atlas: a small magenta and black check; null when it does not upload.
engine::RefPtr<engine::Texture2D> makeFallbackTexture();
