#pragma once
// The one main layer: the running scene for the whole run. The views draw on it, and it carries
// the actions that must outlive any one view, such as the check for the next music track.
//
// While a game runs it holds the world's layer tree (built by `buildWorldView`, removed by
// `teardownWorldView`):
//   sky (z -1, when one is set)
//   rootNode (z 2, tag 207): scaled by viewportScale - 1 around the screen centre
//     worldLayer (z 2, tag 207): moved to the negated player position (the camera)
//       block batch (1), extra world node (2), particle batches (3, 4, 5; tag 20), dress batch
//       (6), second treasures batch then bullet batch (7), treasure batch (8), mob node (21),
//       health-bar batch (22), additive batch (23)
//   HUD layer (45), icon batch (89), overlayNode (90), console (200, when one is set)
// Its per-frame `update` moves the camera, keeps the tile window on the player's cell, steps the
// running world's explosion queue, re-tints the window once when cells asked for it and steps the
// player sprites (player_sprite_layer.h). The entities step in the game's own frame task.
//
// Main thread only.

#include <cstdint>
#include <functional>
#include <memory>

#include "engine/base/ref_ptr.h"
#include "engine/scene/inner_node.h"

namespace engine {
class Sprite;
}  // namespace engine

class ConsoleNode;
class EntityDrawingFactory;
class ParticleSprites;
class MapBlock;
class PlayerBase;
class PlayerSpriteLayer;
class TileSprites;
class World;
class WorldViewPreparation;
struct RunningWorld;

class MainLayer final : public engine::InnerNode {
 public:
  static constexpr int kRootTag = 207;
  static constexpr int kEntityBatchTag = 20;
  static constexpr int kLoadingLabelTag = 166;
  static constexpr int kSleepFadeTag = 450;

  // A new autoreleased main layer after its init, which seeds the random generator with the time
  // and shows the start view. Never null.
  static MainLayer* create();
  // The main layer that exists, null when none does.
  static MainLayer* current();

  ~MainLayer() override;
  ParticleSprites* particles() const { return particles_.get(); }
  bool init() override;
  void update(float dt) override;
  // A world view whose world or player has gone (the game ended while the update was stopped) is
  // taken down before anything is drawn.
  using engine::InnerNode::visit;
  void visit(engine::Renderer* renderer, const engine::Mat4& parentTransform, uint32_t parentFlags) override;

  // ---- The running world's view ----
  // Compiles the world's shaders, and hands the atlases the world view will draw with (from the
  // graphics folder, as the options upload them) to the preparation, so that building the view
  // finds them uploaded. Nothing is prepared when they are loaded already.
  void prepareWorldView(WorldViewPreparation& preparation);
  // Builds the layer tree for the running world and its player (loading the atlases and programs
  // on first use, from the graphics folder, unless they were prepared) and shows the window around the player's cell.
  // Nothing when the running world has no world or no player.
  void buildWorldView(RunningWorld& running);
  // Removes the world's drawing nodes and frees the tile window; the layer is as before the game.
  void teardownWorldView();
  bool hasWorldView() const { return rootNode_ != nullptr; }
  // The world being shown, null without a world view.
  World* world() const { return world_; }
  // Whether the world view shows this world (the same world by its serial, not its address).
  bool showsWorld(const World* world) const;
  TileSprites* tiles() const { return tiles_.get(); }
  engine::InnerNode* rootNode() const { return rootNode_; }
  engine::InnerNode* worldLayer() const { return worldLayer_; }
  engine::InnerNode* overlayNode() const { return overlayNode_; }
  engine::Sprite* highlightSprite() const { return highlightSprite_; }
  // The faded block that a placeable held item would make at the pointed cell, under the highlight.
  engine::Sprite* previewSprite() const { return previewSprite_; }

  // The sky (z -1) and the console (z 200) come from their own parts of the view: each is added
  // when set while a world is shown, and again with every build. `followSky` receives the
  // player's y in pixels; the sky shows while the player's row plus half the window's rows
  // reaches `skyRow`.
  void setSky(engine::Node* sky, std::function<void(float)> followSky, int32_t skyRow);
  void setConsole(engine::Node* console);
  // The message console of the world view; null without one.
  ConsoleNode* console() const;
  // The console made anew with the options as they are now (its form, its background, its
  // filter), showing the lines the old one showed.
  void restyleConsole();

  // ---- The other players of a networked game ----
  // A copy of another player stands in the shown world: its sprite is made in the world layer, or
  // placed again. Nothing without a world view or for a copy of another world (by its serial).
  void showRemotePlayer(PlayerBase& player);
  // The copy is about to go: its sprite goes first.
  void removeRemotePlayer(const PlayerBase& player);
  // The other player standing in the cell as the window shows it; null for none.
  PlayerBase* remotePlayerOn(const MapBlock& cell) const;

  // A re-tint of the whole window at the end of this frame (several asks, one re-tint).
  void requestFrameRelight() { frameRelight_ = true; }
  // Camera, sky and a full rebuild of the window around the player's cell.
  void rebuildWorldView();
  // The window changed size (the screen layout already follows it): the layer takes the new size,
  // the root node its centre (where the player is drawn), the tile window the new cell counts and
  // the sky the new screen, and the window is rebuilt around the player. The console is made
  // anew for the new size; the lines it showed were seconds from fading anyway.
  void layOutForScreen();
  // The frame's steps of a sixtieth of a second (1/60 s gives 1.0).
  static float stepsFor(float dt) { return dt / 0.016666668f; }

 private:
  MainLayer();
  void addWorldBatches();
  bool worldGone() const;
  void placeCamera();
  void attachEntityDrawings();
  void detachEntityDrawings();
  void attachParticles();
  void makeSky();
  void fitTileWindow();
  void replaceConsole();
  void followWithSkyAndEntities(engine::Vec2 playerAt);
  void forgetWorldNodes();

  World* world_ = nullptr;                  // borrowed from the running world
  uint32_t worldSerial_ = 0;                // the shown world's serial
  RunningWorld* running_ = nullptr;         // borrowed
  // The shown world's entity drawings, from its context while the view is built: the world may go
  // before the view is torn down.
  EntityDrawingFactory* drawings_ = nullptr;
  engine::RefPtr<engine::InnerNode> worldLayer_;
  engine::RefPtr<engine::InnerNode> rootNode_;
  engine::RefPtr<engine::InnerNode> overlayNode_;
  engine::RefPtr<engine::Sprite> highlightSprite_;
  engine::RefPtr<engine::Sprite> previewSprite_;
  engine::RefPtr<engine::Node> console_;  // while set
  engine::RefPtr<engine::Node> sky_;      // while set
  std::function<void(float)> followSky_;
  int32_t skyRow_ = 0;
  float lastPlayerX_ = 0;
  std::unique_ptr<TileSprites> tiles_;
  std::unique_ptr<ParticleSprites> particles_;
  bool frameRelight_ = false;
  // The atlases were loaded for this layer: they go with it, while the texture cache still holds
  // them, so a later run in the same process loads its own.
  bool loadedTextures_ = false;
  // The player sprites: the local one in the root node, their ticks and frames.
  std::unique_ptr<PlayerSpriteLayer> players_;
};
