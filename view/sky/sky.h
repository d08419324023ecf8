#pragma once
// The backdrop behind the running world: a full-screen sky picture that cross-fades between the
// four pictures of the day as the world's clock runs, with three rows of parallax hill strips
// in front of it (sky_layers.h) that slide with the player and sink or rise with its height.
// The whole sky is one mesh of quads (the layers and the fills that carry them to the screen's
// edges), drawn by one custom command with program 260
// of the program cache (260 and 261 are registered with the game's shaders at start-up); its
// vertex buffer is uploaded only when a layer moved. A program that is missing draws nothing.
//
// How the main layer uses this: `createSky` (sky_creation.h) makes the planet's sky when a game
// starts and the layer adds it at z -1; the layer then calls `setPhaseTextures` with the world's
// phase and tick, `updatePosition(dx, playerY)` on each step of the local player (and
// `updatePosition(playerY)` after a rebuild of the world view, with `resetLayerX` first), and
// shows the node only while `skyVisibleAt(player row, visible rows, skyRow())` holds. The clock
// task calls `updatePhaseTextures`, the weather change `setWeather`.
//
// Main thread only; needs a current GL context from construction to destruction.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/render/custom_command.h"
#include "engine/scene/node.h"
#include "view/sky/sky_layers.h"
#include "view/sky/sky_phase.h"

namespace engine {
class GLProgram;
class TextureCache;
}  // namespace engine

class SkyPictures;
class World;

// Where the sky's pictures come from and which form it takes.
struct SkySource {
  engine::TextureCache* cache = nullptr;
  std::string folder;  // the sky folder
  bool lowerSky = false;
  engine::Size screen;  // the window in points
  float contentScale = 1.0f;
  float pictureScale = 1.0f;  // the world's drawn scale: a sky pixel as large as a block's
};

class Sky : public engine::Node {
 public:
  static constexpr int64_t kProgramKey = 260;

  // An autoreleased plain sky for the world's planet, its first pair (day, dusk) at fade 0.
  static Sky* create(World& world, const SkySource& source);
  ~Sky() override;

  bool init() override;
  using engine::Node::draw;
  void draw(engine::Renderer* renderer, const engine::Mat4& transform, uint32_t flags) override;

  // The pair for the world's phase (1, 2, 4, 8) and tick within it (0-511), as a game starts.
  void setPhaseTextures(uint32_t phase, uint32_t tick);
  // One step of the world's clock.
  void updatePhaseTextures(uint32_t phase, uint32_t tick);
  // dx: half the local player's horizontal velocity; playerY: its height in pixels.
  void updatePosition(float dx, float playerY);
  void updatePosition(float playerY) { updatePosition(0.0f, playerY); }
  void resetLayerX();
  // The window or the world's scale changed: the layers are placed and scaled for the new screen,
  // keeping the pictures, the day's pair and the weather.
  void fitScreen(engine::Size screen, float pictureScale);
  // The weather kind (0 clear, 1-3); a plain sky does not grade and answers 0.
  virtual uint8_t setWeather(uint8_t) { return 0; }

  // The lowest map row at which the sky still shows.
  int32_t skyRow() const { return heights_.skyRow; }
  const SkyHeights& heights() const { return heights_; }
  const SkyPhasePair& phasePair() const { return pair_; }
  const SkyLayers& layers() const { return layers_; }
  const SkyPictures& pictures() const { return *pictures_; }
  size_t layerCount() const { return layers_.count(); }
  size_t quadCount() const { return layers_.quadCount(); }

 protected:
  Sky(World& world, const SkySource& source);
  // Takes the program and looks its uniforms up; false when it is missing.
  virtual bool loadProgram();
  // Once per draw, with the program current.
  virtual void setUniforms();
  engine::GLProgram* program() const { return program_; }

  engine::GLProgram* program_ = nullptr;  // the cache's
  int32_t opacityLocation_ = -1;

 private:
  struct Vertex {
    float x, y, z, u, v;
  };
  static_assert(sizeof(Vertex) == 20, "the vertex layout is five packed floats");

  // Sizes the vertex and index buffers for the layers' quads.
  void allocateBuffers();
  void buildVertices();
  void drawMesh(const engine::Mat4& transform);

  World* world_;
  SkySource source_;
  SkyLayers layers_;
  SkyHeights heights_;
  SkyPhasePair pair_;
  std::unique_ptr<SkyPictures> pictures_;
  std::vector<Vertex> vertices_;
  std::vector<uint16_t> indices_;
  uint32_t vbo_ = 0;
  uint32_t ibo_ = 0;
  bool verticesDirty_ = true;
  engine::CustomCommand command_;
  engine::Mat4 drawTransform_;
  engine::Renderer* drawRenderer_ = nullptr;
};
