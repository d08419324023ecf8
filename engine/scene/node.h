#pragma once
// A leaf of the scene graph: transform, colour and opacity, visibility, tag and user data, and a
// place on the scheduler and the action manager. Nodes with children derive from InnerNode.

#include <cstddef>
#include <cstdint>

#include "engine/base/geometry.h"
#include "engine/base/ref.h"

namespace engine {

class ActionManager;
class Renderer;
class Scheduler;

// Bits of the flags handed down by visit.
constexpr uint32_t FLAGS_TRANSFORM_DIRTY = 1;
constexpr uint32_t FLAGS_CONTENT_SIZE_DIRTY = 2;

class Node : public Ref {
 public:
  // A bare node, autoreleased.
  static Node* create();
  ~Node() override;

  virtual void reloadGLResources() {}

  virtual void setScaleX(float scaleX);
  virtual float getScaleX() const { return scaleX_; }
  virtual void setScaleY(float scaleY);
  virtual float getScaleY() const { return scaleY_; }
  virtual void setScale(float scaleX, float scaleY);
  virtual void setScale(float scale);
  virtual float getScale() const { return scaleX_; }

  virtual void setPosition(float x, float y) { setPosition(Vec2(x, y)); }
  virtual void setPosition(const Vec2& position);
  virtual void getPosition(float* x, float* y) const;
  virtual const Vec2& getPosition() const { return position_; }
  virtual void setPositionX(float x) { setPosition(Vec2(x, position_.y)); }
  virtual float getPositionX() const { return position_.x; }
  virtual void setPositionY(float y) { setPosition(Vec2(position_.x, y)); }
  virtual float getPositionY() const { return position_.y; }
  virtual void setPositionZ(float z);
  virtual float getPositionZ() const { return positionZ_; }

  virtual void setAnchorPoint(const Vec2& anchor);
  virtual const Vec2& getAnchorPoint() const { return anchorPoint_; }
  virtual const Vec2& getAnchorPointInPoints() const { return anchorPointInPoints_; }
  virtual void setContentSize(const Size& size);
  virtual const Size& getContentSize() const { return contentSize_; }

  virtual void setVisible(bool visible);
  virtual bool isVisible() const { return visible_; }
  // Degrees; positive turns clockwise.
  virtual void setRotation(float degrees);
  virtual float getRotation() const { return rotation_; }
  virtual void ignoreAnchorPointForPosition(bool ignore);
  virtual bool isIgnoreAnchorPointForPosition() const { return ignoreAnchorPointForPosition_; }

  // The parent does not hold a reference to be released here: it is set by the parent's addChild.
  virtual void setParent(Node* parent);
  virtual const Node* getParent() const { return parent_; }
  virtual Node* getParent() { return parent_; }
  virtual int getTag() const { return tag_; }
  virtual void setTag(int tag) { tag_ = tag; }
  virtual const void* getUserData() const { return userData_; }
  virtual void* getUserData() { return userData_; }
  virtual void setUserData(void* data) { userData_ = data; }

  virtual bool isRunning() const { return running_; }
  virtual void onEnter();
  virtual void onExit();
  // Ends the node's actions and scheduled callbacks for good.
  virtual void cleanup();

  virtual void draw();
  // Drawables override this to queue their render commands; renderer may be null.
  virtual void draw(Renderer* renderer, const Mat4& transform, uint32_t flags);
  virtual void visit();
  virtual void visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags);

  virtual Rect getBoundingBox() const;
  virtual void update(float dt);
  virtual bool isInnerNode() const { return false; }
  virtual void removeFromParentAndCleanup();

  virtual const Mat4& getNodeToParentTransform() const;
  virtual AffineTransform getNodeToParentAffineTransform() const;
  virtual const Mat4& getParentToNodeTransform() const;
  virtual AffineTransform getParentToNodeAffineTransform() const;
  virtual Mat4 getNodeToWorldTransform() const;
  virtual AffineTransform getNodeToWorldAffineTransform() const;
  virtual AffineTransform getWorldToNodeAffineTransform() const;

  virtual uint8_t getOpacity() const { return realOpacity_; }
  virtual uint8_t getDisplayedOpacity() const { return displayedOpacity_; }
  virtual void setOpacity(uint8_t opacity);
  virtual void updateDisplayedOpacity(uint8_t parentOpacity);
  virtual bool isCascadeOpacityEnabled() const { return cascadeOpacityEnabled_; }
  virtual void setCascadeOpacityEnabled(bool enabled);
  virtual const Color3B& getColor() const { return realColor_; }
  virtual const Color3B& getDisplayedColor() const { return displayedColor_; }
  virtual void setColor(const Color3B& color);
  virtual void setOpacityModifyRGB(bool) {}
  virtual bool isOpacityModifyRGB() const { return false; }

  virtual void traverse(int) {}
  virtual void removeChild(Node*) {}
  virtual void removeChildByTag(int) {}
  virtual void removeAllChildrenWithCleanup() {}
  virtual bool init() { return true; }
  virtual void updateCascadeOpacity();
  virtual void disableCascadeOpacity();
  virtual void updateColor() {}

  Vec2 convertToWorldSpace(const Vec2& nodePoint) const;

  Scheduler* getScheduler() const { return scheduler_; }
  ActionManager* getActionManager() const { return actionManager_; }
  const Mat4& getModelViewTransform() const { return modelViewTransform_; }

  // Set by the parent's addChild and reorderChild, which keep the child list sorted by them.
  int getLocalZOrder() const { return localZOrder_; }
  int getOrderOfArrival() const { return orderOfArrival_; }
  float getGlobalZOrder() const { return globalZOrder_; }
  bool isTransformDirty() const { return transformDirty_; }
  // Asks for the memory of the position, rotation and scale ahead of a change to them: they share
  // the first line with the table pointer the change's virtual setters are found through. Always
  // inlined: GCC takes a function whose only effect is a prefetch for one with no effect at all,
  // and deletes the calls to it.
  [[gnu::always_inline]] void prefetchTransformFields() const { __builtin_prefetch(this); }
  // Asks for the other lines a visit under these parent flags reads or writes, besides the first
  // (which telling them reads): the model-view when the visit rebuilds it, and the subclass's own
  // line. A parent's visit asks a few children ahead, so that the misses overlap.
  [[gnu::always_inline]] void prefetchVisitLines(uint32_t parentFlags) const {
    const auto* bytes = reinterpret_cast<const char*>(this);
    if (parentFlags != 0 || transformUpdated_ || contentSizeDirty_) {
      __builtin_prefetch(bytes + 64, 1);
    }
    if (visitLine_ != 0) __builtin_prefetch(bytes + 64 * visitLine_);
  }

 protected:
  friend class InnerNode;
  Node();
  void markTransformDirty();
  // The changed branch of processParentFlags: a new model-view, and the node's flags cleared.
  void updateModelView(const Mat4& parentTransform);
  // The model-view from the node's own transform as getNodeToParentTransform last built it.
  void composeWithBuiltTransform(const Mat4& parentTransform);
  // The flags for the children: the parent's, with this node's own changes.
  uint32_t childFlags(uint32_t parentFlags) const {
    return parentFlags | (transformUpdated_ ? FLAGS_TRANSFORM_DIRTY : 0u) |
           (contentSizeDirty_ ? FLAGS_CONTENT_SIZE_DIRTY : 0u);
  }
  static bool needsModelView(uint32_t flags) {
    return (flags & (FLAGS_TRANSFORM_DIRTY | FLAGS_CONTENT_SIZE_DIRTY)) != 0;
  }
  // Folds this node's transform into the parent's and gives the flags for the children. Inline:
  // every node of a large scene runs it every frame, and most have nothing to fold.
  uint32_t processParentFlags(const Mat4& parentTransform, uint32_t parentFlags) {
    const uint32_t flags = childFlags(parentFlags);
    if (needsModelView(flags)) updateModelView(parentTransform);
    return flags;
  }
  // The node's own transform in the plane: x' = a x + c y + x0, y' = b x + d y + y0, z' = z + z0.
  struct LocalTransform {
    float a, b, c, d, x, y, z;
  };
  // Inline where the model-view is built (node.cpp); the cosine and sine, where stale, out of line
  // before anything else, so that nothing is held across the call.
  LocalTransform computeLocalTransform() const;
  // The cosine and sine of the rotation, which is not zero.
  void refreshRotationTrig() const;

  // The first line (after the table pointer and the reference count) holds everything that a
  // frame's actions and its visit read or write of a node that moves and turns: a large scene
  // steps and visits every node every frame, and each further line a node takes there is one
  // more miss per node. The visit writes the model-view, on the next line, and nothing else.
  bool visible_ = true;
  bool contentSizeDirty_ = true;
  bool transformUpdated_ = true;
  mutable bool transformDirty_ = true;  // transform_ is not the node's own transform
  mutable bool inverseDirty_ = true;
  bool ignoreAnchorPointForPosition_ = false;
  // The cosine and sine below are not of the rotation yet: a node that moves without turning
  // builds its transform without them.
  mutable bool rotationTrigStale_ = false;
  // The line, counted from the node's start, that a visit reads when the node did not change,
  // besides the first: a subclass's own (see prefetchVisitLines); 0 for none.
  uint8_t visitLine_ = 0;
  float rotation_ = 0.0f;
  float scaleX_ = 1.0f;
  float scaleY_ = 1.0f;
  Vec2 position_;
  Vec2 anchorPointInPoints_;
  float positionZ_ = 0.0f;
  mutable float rotationCos_ = 1.0f;
  mutable float rotationSin_ = 0.0f;
  int localZOrder_ = 0;
  alignas(64) Mat4 modelViewTransform_;
  // The node's own transform as getNodeToParentTransform last built it, and its inverse: built
  // on demand, never by a visit.
  mutable Mat4 transform_;
  mutable Mat4 inverse_;
  float globalZOrder_ = 0.0f;
  Scheduler* scheduler_;
  ActionManager* actionManager_;
  void* userData_ = nullptr;
  Vec2 anchorPoint_;
  Size contentSize_;
  Node* parent_ = nullptr;
  int tag_ = -1;
  int orderOfArrival_ = 0;
  uint8_t displayedOpacity_ = 255;
  uint8_t realOpacity_ = 255;
  Color3B displayedColor_ = Color3B::WHITE;
  Color3B realColor_ = Color3B::WHITE;
  bool cascadeOpacityEnabled_ = false;
  bool running_ = false;
};

}  // namespace engine
