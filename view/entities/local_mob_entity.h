#pragma once
// The drawing side of a mob or pet: a container node in the mob node holding one sprite per
// body part, each showing its entry of the current animation's frame set (rectangle, position and
// rotation), mirrored when the mob faces the other way, with a health bar above it from the
// first time it is hurt.
//
// Animation states 0, 1, 2, 3, 4 and 7 have frame sets of their own; 5 shows the set of 2 and 6
// that of 3; any other state changes nothing. Each step of the mob (`setPosition`) also brings the
// drawing up to the mob's facing, animation state and health.
//
// Made by the entity drawing factory (entity_drawing_factory.h). Main thread only.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "content/tables/mob_def.h"
#include "engine/base/ref_ptr.h"
#include "engine/sprite/sprite.h"
#include "view/entities/local_entity.h"

namespace engine {
class GLProgramState;
class InnerNode;
class SpriteBatchNode;
class Texture2D;
}  // namespace engine

class MobEntity;

// Where a mob's nodes go: the mob node, the texture of the mob parts, the health-bar batch and
// the health bars' program state (may be null: the batch's own).
struct MobLayers {
  engine::InnerNode* mobNode = nullptr;
  engine::Texture2D* partsTexture = nullptr;
  engine::SpriteBatchNode* healthBars = nullptr;
  engine::GLProgramState* healthBarProgram = nullptr;
};

class LocalMobEntity final : public BaseLocalEntity<EntityInnerNode> {
 public:
  static constexpr int32_t kUnshown = -1;
  static constexpr float kBarHeight = 2.0f;
  static constexpr float kBarGap = 3.0f;

  // The bar above a hurt mob. Its colour carries data for the health-bar program: red is the
  // filled fraction, green and blue the texture-coordinate span of the bar.
  class HealthBar final : public engine::Sprite {
   public:
    static HealthBar* create(engine::Texture2D* texture, const engine::Rect& rect);

   private:
    HealthBar() = default;
  };

  // The node with one sprite per picked part, in the mob node, showing the idle frames.
  static std::unique_ptr<LocalMobEntity> create(const MobEntity& mob, const MobPartPick& pick,
                                                const MobLayers& layers, const WrapFrame* wrap);
  ~LocalMobEntity() override;

  void setPosition(const EntityData& data) override;
  void setColor(const engine::Color3B& colour) override;

  void setFacing(bool flipped);
  void playAnimation(int32_t state);
  void addPart(const engine::Rect& rect, engine::Vec2 position, float rotation);
  // The bar shows the health; a drop in health flashes the mob red for a moment.
  void showHealth(float ratio) override;
  bool flashing() const { return flashing_; }

  HealthBar* healthBar() const { return healthBar_; }
  int32_t shownState() const { return shownState_; }
  const std::vector<uint8_t>& partSelection() const { return partSelection_; }

 private:
  LocalMobEntity(const MobEntity& mob, EntityInnerNode* node, const MobLayers& layers);
  // The frame set of an animation state; null for a state without one.
  const MobAnimation* frameSet(int32_t state) const;
  void followMob();
  void placeBar();
  void flashHurt();
  void applyColour(const engine::Color3B& colour);

  const MobEntity& mob_;
  MobLayers layers_;
  engine::Size size_;
  std::vector<uint8_t> partSelection_;
  std::array<const MobAnimation*, 6> frameSets_{};
  engine::RefPtr<HealthBar> healthBar_;
  int32_t shownState_ = kUnshown;
  float shownHealth_ = 1.0f;
  engine::Color3B lightColour_ = engine::Color3B::WHITE;  // the light's tint, kept while a flash shows
  bool flashing_ = false;
};
