#pragma once
// The particles' drawing side: each frame the live particles of the running world are shown as
// sprites of their layer's batch (layer A on the debris atlas, B on the block atlas for chips of
// blocks, C on the mob atlas for chips of creatures), with the look their behaviours gave them.
// Sprites are made as the busiest frame needs them and reused every frame after: a sprite left
// over is hidden, never removed, so the batches are not re-sorted while particles come and go.
//
// Main thread only.

#include <array>
#include <cstddef>
#include <vector>

namespace engine {
class Sprite;
class SpriteBatchNode;
}  // namespace engine

class DebrisList;
struct WrapFrame;

class ParticleSprites {
 public:
  using Batches = std::array<engine::SpriteBatchNode*, 3>;

  // The three particle batches of the world's layer tree (a null batch leaves its layer undrawn).
  explicit ParticleSprites(const Batches& batches) : batches_(batches) {}
  ~ParticleSprites();
  ParticleSprites(const ParticleSprites&) = delete;
  ParticleSprites& operator=(const ParticleSprites&) = delete;

  // Shows the list's visible particles, placed on the player's side of the world's seam.
  void show(const DebrisList& list, const WrapFrame& wrap);
  // Sprites in use on a layer this frame.
  size_t shown(int layer) const { return used_[layer]; }

 private:
  engine::Sprite* next(int layer);

  Batches batches_;
  std::array<std::vector<engine::Sprite*>, 3> sprites_;  // children of their batch
  std::array<size_t, 3> used_{};
};

// The picture of a block that chips are cut from: its first frame in the block atlas.
void useBlockAtlasForChips(DebrisList& list);
