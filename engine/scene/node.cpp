#include "engine/scene/node.h"

#include <cfloat>
#include <cmath>

#include "engine/scene/action_manager.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"

namespace engine {

namespace {

constexpr float DEGREES_TO_RADIANS = 0.017453292f;

bool closeEnough(float a, float b) { return std::fabs(a - b) < FLT_EPSILON; }

AffineTransform toAffine(const Mat4& m) {
  return AffineTransform{m.m[0], m.m[1], m.m[4], m.m[5], m.m[12], m.m[13]};
}

Vec2 applyMatrix(const Mat4& m, const Vec2& p) {
  return Vec2(m.m[0] * p.x + m.m[4] * p.y + m.m[12], m.m[1] * p.x + m.m[5] * p.y + m.m[13]);
}

uint8_t scaleChannel(uint8_t own, uint8_t parent) {
  return static_cast<uint8_t>(static_cast<double>(own) * parent / 255.0);
}

}  // namespace

Node* Node::create() {
  Node* node = new Node();
  node->init();
  node->autorelease();
  return node;
}

Node::Node() {
  Director* director = Director::getInstance();
  scheduler_ = director->getScheduler();
  scheduler_->retain();
  actionManager_ = director->getActionManager();
  actionManager_->retain();
}

Node::~Node() {
  // A node that dies without a cleanup would leave the scheduler and the action manager calling
  // into freed memory; drop its callbacks and actions here whatever path brought it down.
  scheduler_->unscheduleAllForTarget(this);
  actionManager_->removeAllActionsFromTarget(this);
  actionManager_->release();
  scheduler_->release();
}

void Node::markTransformDirty() {
  transformDirty_ = true;
  inverseDirty_ = true;
  transformUpdated_ = true;
}

void Node::setScaleX(float scaleX) {
  if (scaleX_ == scaleX) return;
  scaleX_ = scaleX;
  markTransformDirty();
}

void Node::setScaleY(float scaleY) {
  if (scaleY_ == scaleY) return;
  scaleY_ = scaleY;
  markTransformDirty();
}

void Node::setScale(float scaleX, float scaleY) {
  if (scaleX_ == scaleX && scaleY_ == scaleY) return;
  scaleX_ = scaleX;
  scaleY_ = scaleY;
  markTransformDirty();
}

void Node::setScale(float scale) { setScale(scale, scale); }

void Node::setPosition(const Vec2& position) {
  if (closeEnough(position.x, position_.x) && closeEnough(position.y, position_.y)) return;
  position_ = position;
  markTransformDirty();
}

void Node::getPosition(float* x, float* y) const {
  *x = position_.x;
  *y = position_.y;
}

void Node::setPositionZ(float z) {
  if (positionZ_ == z) return;
  markTransformDirty();
  positionZ_ = z;
  globalZOrder_ = z;
}

void Node::setAnchorPoint(const Vec2& anchor) {
  if (closeEnough(anchor.x, anchorPoint_.x) && closeEnough(anchor.y, anchorPoint_.y)) return;
  anchorPoint_ = anchor;
  anchorPointInPoints_ = Vec2(contentSize_.width * anchor.x, contentSize_.height * anchor.y);
  markTransformDirty();
}

void Node::setContentSize(const Size& size) {
  if (closeEnough(size.width, contentSize_.width) &&
      closeEnough(size.height, contentSize_.height)) {
    return;
  }
  contentSize_ = size;
  anchorPointInPoints_ = Vec2(size.width * anchorPoint_.x, size.height * anchorPoint_.y);
  contentSizeDirty_ = true;
  markTransformDirty();
}

void Node::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (visible) markTransformDirty();
}

void Node::setRotation(float degrees) {
  if (rotation_ == degrees) return;
  rotation_ = degrees;
  rotationTrigStale_ = true;
  markTransformDirty();
}

void Node::ignoreAnchorPointForPosition(bool ignore) {
  if (ignoreAnchorPointForPosition_ == ignore) return;
  ignoreAnchorPointForPosition_ = ignore;
  markTransformDirty();
}

void Node::setParent(Node* parent) {
  parent_ = parent;
  markTransformDirty();
}

void Node::onEnter() {
  scheduler_->setTargetPaused(this, false);
  actionManager_->resumeTarget(this);
  running_ = true;
}

void Node::onExit() {
  scheduler_->setTargetPaused(this, true);
  actionManager_->pauseTarget(this);
  running_ = false;
}

void Node::cleanup() {
  actionManager_->removeAllActionsFromTarget(this);
  scheduler_->unscheduleAllForTarget(this);
}

void Node::draw() { draw(Director::getInstance()->getRenderer(), modelViewTransform_, 1); }

void Node::draw(Renderer*, const Mat4&, uint32_t) {}

void Node::visit() {
  Director* director = Director::getInstance();
  visit(director->getRenderer(), director->getModelView(), 1);
}

[[gnu::always_inline]] inline Node::LocalTransform Node::computeLocalTransform() const {
  float c = 1.0f;
  float s = 0.0f;
  if (rotation_ != 0.0f) {
    if (rotationTrigStale_) refreshRotationTrig();
    c = rotationCos_;
    s = rotationSin_;
  }
  float x = position_.x;
  float y = position_.y;
  if (ignoreAnchorPointForPosition_) {
    x += anchorPointInPoints_.x;
    y += anchorPointInPoints_.y;
  }
  const Vec2& aip = anchorPointInPoints_;
  if (aip.x != 0.0f || aip.y != 0.0f) {
    x += aip.y * scaleY_ * s - scaleX_ * aip.x * c;
    y -= scaleX_ * aip.x * s + aip.y * scaleY_ * c;
  }
  return {scaleX_ * c, s * scaleX_, -s * scaleY_, c * scaleY_, x, y, positionZ_};
}

void Node::updateModelView(const Mat4& parentTransform) {
  if (transformDirty_) {
    // Composed straight from the fields: caching the node's own transform too would write two
    // more lines of the node, which nothing in a frame reads again.
    const LocalTransform l = computeLocalTransform();
    MathUtil::multiplyByPlanar(parentTransform.m, l.a, l.b, l.c, l.d, l.x, l.y, l.z,
                               modelViewTransform_.m);
  } else {
    composeWithBuiltTransform(parentTransform);
  }
  transformUpdated_ = false;
  contentSizeDirty_ = false;
}

void Node::composeWithBuiltTransform(const Mat4& parentTransform) {
  if (MathUtil::isPlanar(transform_.m)) {
    MathUtil::multiplyByPlanar(parentTransform.m, transform_.m, modelViewTransform_.m);
  } else {
    MathUtil::multiplyMatrix(parentTransform.m, transform_.m, modelViewTransform_.m);
  }
}

void Node::visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags) {
  if (!visible_) return;
  const uint32_t flags = processParentFlags(parentTransform, parentFlags);
  draw(renderer, modelViewTransform_, flags);
}

Rect Node::getBoundingBox() const {
  const Rect local(0, 0, contentSize_.width, contentSize_.height);
  return RectApplyAffineTransform(local, getNodeToParentAffineTransform());
}

void Node::update(float) {}

void Node::removeFromParentAndCleanup() {
  if (parent_ != nullptr) parent_->removeChild(this);
}

void Node::refreshRotationTrig() const {
  const float radians = rotation_ * -DEGREES_TO_RADIANS;
  rotationCos_ = std::cos(radians);
  rotationSin_ = std::sin(radians);
  rotationTrigStale_ = false;
}

const Mat4& Node::getNodeToParentTransform() const {
  if (!transformDirty_) return transform_;
  const LocalTransform l = computeLocalTransform();
  transform_ = Mat4::IDENTITY;
  transform_.m[0] = l.a;
  transform_.m[1] = l.b;
  transform_.m[4] = l.c;
  transform_.m[5] = l.d;
  transform_.m[12] = l.x;
  transform_.m[13] = l.y;
  transform_.m[14] = l.z;
  transformDirty_ = false;
  return transform_;
}

AffineTransform Node::getNodeToParentAffineTransform() const {
  return toAffine(getNodeToParentTransform());
}

const Mat4& Node::getParentToNodeTransform() const {
  if (inverseDirty_) {
    // Bring the forward matrix up to date first: inverting a stale one would cache a wrong
    // inverse that outlives the change that made it stale.
    inverse_ = getNodeToParentTransform().getInversed();
    inverseDirty_ = false;
  }
  return inverse_;
}

AffineTransform Node::getParentToNodeAffineTransform() const {
  return toAffine(getParentToNodeTransform());
}

Mat4 Node::getNodeToWorldTransform() const {
  Mat4 t = getNodeToParentTransform();
  for (const Node* p = parent_; p != nullptr; p = p->parent_) {
    t = p->getNodeToParentTransform() * t;
  }
  return t;
}

AffineTransform Node::getNodeToWorldAffineTransform() const {
  return toAffine(getNodeToWorldTransform());
}

AffineTransform Node::getWorldToNodeAffineTransform() const {
  return AffineTransformInvert(getNodeToWorldAffineTransform());
}

Vec2 Node::convertToWorldSpace(const Vec2& nodePoint) const {
  return applyMatrix(getNodeToWorldTransform(), nodePoint);
}

void Node::setOpacity(uint8_t opacity) {
  displayedOpacity_ = realOpacity_ = opacity;
  updateCascadeOpacity();
}

void Node::updateDisplayedOpacity(uint8_t parentOpacity) {
  displayedOpacity_ = scaleChannel(realOpacity_, parentOpacity);
  updateColor();
}

void Node::setCascadeOpacityEnabled(bool enabled) {
  if (cascadeOpacityEnabled_ == enabled) return;
  cascadeOpacityEnabled_ = enabled;
  if (enabled) {
    updateCascadeOpacity();
  } else {
    disableCascadeOpacity();
  }
}

// Colour does not pass down the tree (opacity may): each node shows its own.
void Node::setColor(const Color3B& color) {
  displayedColor_ = realColor_ = color;
  updateColor();
}

void Node::updateCascadeOpacity() {
  uint8_t parentOpacity = 255;
  if (parent_ != nullptr && parent_->isCascadeOpacityEnabled()) {
    parentOpacity = parent_->getDisplayedOpacity();
  }
  updateDisplayedOpacity(parentOpacity);
}

void Node::disableCascadeOpacity() {
  displayedOpacity_ = realOpacity_;
}

}  // namespace engine
