#pragma once
// The held item's sprite. A swing item turns through whole eighths of a turn only, and each eighth
// is drawn from a picture whose pixels were laid square for it: the upright picture or its copy
// turned 45 degrees (content/art/tool_atlas_layout.h), under a whole quarter turn, which keeps
// pixels square. The rotation the swing's actions write and read is the item's own angle; what is
// drawn is the eighth nearest to it, so the item never smears at an angle between them.

#include "engine/sprite/sprite.h"

// The picture and the quarter turn that show a swing item at an angle.
struct HeldPose {
  bool turned = false;    // the copy turned 45 degrees clockwise, not the upright picture
  float rotation = 0.0f;  // the sprite's own turn, a whole multiple of 90 degrees
};

// The pose for an item's angle (degrees, clockwise), the eighth nearest to it; `mirrored` when the
// sprite is flipped across (a negative horizontal scale), which turns the copy the other way.
HeldPose heldPoseFor(float degrees, bool mirrored);

// Where a swing item rests between swings: the eighth nearest its record's rest angle, but turned at
// least three eighths back from upright. Nearer upright, a held picture rises from the hand beside
// the head and its blade covers the face; three eighths back, its handle runs from the hand straight
// ahead and the blade stands in front of the body, clear of it. A swing still starts from the
// record's own angle (SteppedTurn::restingAngle), so its arc is unchanged.
float heldRestAngle(float recordAngle);

class HeldItemSprite final : public engine::Sprite {
 public:
  // Autoreleased; null when the sprite does not initialise.
  static HeldItemSprite* create(engine::Texture2D* texture);

  // A swing item's upright picture on the tool atlas, held at `grip` (the anchor in the picture);
  // it turns through the eighths when the atlas has its turned copy.
  void showSwingPicture(const engine::Rect& picture, engine::Vec2 grip);
  // Any other picture, held at `grip` and turned as it is told.
  void showPicture(const engine::Rect& picture, engine::Vec2 grip);

  void setRotation(float degrees) override;
  float getRotation() const override { return angle_; }
  void setScaleX(float scaleX) override;

 private:
  void applyPose();

  engine::Rect picture_;
  engine::Vec2 grip_{0.5f, 0.5f};
  bool turnable_ = false;
  float angle_ = 0.0f;
};
