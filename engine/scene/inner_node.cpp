#include "engine/scene/inner_node.h"

#include <algorithm>

namespace engine {

namespace {

// How many children ahead the visit asks for the lines a child's visit reads or writes besides
// its first (see Node::prefetchVisitLines). A large scene's nodes do not fit the cache; fetching
// them a few visits early overlaps the misses instead of paying them one after another. Telling
// those lines reads the child's first line, which brings that line in too: since a plain child's
// visit is short, asking for it further ahead on its own no longer pays, and nor does a longer
// distance.
constexpr size_t kVisitLinesDistance = 4;

// Always inlined: GCC takes a function whose only effect is a prefetch for one with no effect
// at all, and deletes the calls to it.
[[gnu::always_inline]] inline void prefetchChild(const std::vector<Node*>& children, size_t index,
                                                 uint32_t flags) {
  if (index + kVisitLinesDistance < children.size()) {
    children[index + kVisitLinesDistance]->prefetchVisitLines(flags);
  }
}

int& orderOfArrivalCounter() {
  static int counter = 1;
  return counter;
}
}  // namespace

bool nodeComparisonLess(const Node* a, const Node* b) {
  if (a->getLocalZOrder() != b->getLocalZOrder()) {
    return a->getLocalZOrder() < b->getLocalZOrder();
  }
  return a->getOrderOfArrival() < b->getOrderOfArrival();
}

int InnerNode::nextOrderOfArrival() { return orderOfArrivalCounter()++; }

InnerNode* InnerNode::create() {
  InnerNode* node = new InnerNode();
  node->autorelease();
  return node;
}

InnerNode::~InnerNode() {
  InnerNode::cleanup();
  for (Node* child : children_) {
    child->parent_ = nullptr;
    child->release();
  }
}

void InnerNode::reloadGLResources() {
  for (Node* child : children_) child->reloadGLResources();
}

void InnerNode::onEnter() {
  Node::onEnter();
  for (Node* child : children_) child->onEnter();
}

void InnerNode::onExit() {
  Node::onExit();
  for (Node* child : children_) child->onExit();
}

void InnerNode::cleanup() {
  Node::cleanup();
  for (Node* child : children_) child->cleanup();
}

void InnerNode::visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags) {
  if (!visible_) return;
  const uint32_t flags = processParentFlags(parentTransform, parentFlags);
  if (children_.empty()) {
    draw(renderer, modelViewTransform_, flags);
    return;
  }
  sortAllChildren();
  size_t i = 0;
  for (; i < children_.size() && children_[i]->getLocalZOrder() < 0; ++i) {
    prefetchChild(children_, i, flags);
    children_[i]->visit(renderer, modelViewTransform_, flags);
  }
  draw(renderer, modelViewTransform_, flags);
  for (; i < children_.size(); ++i) {
    prefetchChild(children_, i, flags);
    children_[i]->visit(renderer, modelViewTransform_, flags);
  }
}

void InnerNode::updateDisplayedOpacity(uint8_t parentOpacity) {
  Node::updateDisplayedOpacity(parentOpacity);
  if (!cascadeOpacityEnabled_) return;
  for (Node* child : children_) child->updateDisplayedOpacity(displayedOpacity_);
}

void InnerNode::traverse(int depth) {
  for (Node* child : children_) child->traverse(depth + 3);
}

void InnerNode::removeChild(Node* child) {
  auto it = std::find(children_.begin(), children_.end(), child);
  if (it == children_.end()) return;
  if (running_) child->onExit();
  child->cleanup();
  child->setParent(nullptr);
  // Erase before the release: the release may destroy the child, and its destructor must not
  // find itself still listed here.
  children_.erase(it);
  // The slot the list gave up still holds the last child's address in the room it keeps: write it
  // null, so a removed child that leaks is not taken for reachable by the leak checker.
  children_.push_back(nullptr);
  children_.pop_back();
  child->release();
}

Node* InnerNode::getChildByTag(int tag) const {
  for (Node* child : children_) {
    if (child->getTag() == tag) return child;
  }
  return nullptr;
}

void InnerNode::removeChildByTag(int tag) {
  if (Node* child = getChildByTag(tag)) removeChild(child);
}

void InnerNode::removeAllChildrenWithCleanup() {
  for (Node* child : children_) {
    if (running_) child->onExit();
    child->cleanup();
    child->setParent(nullptr);
  }
  std::vector<Node*> released;
  released.swap(children_);
  for (Node* child : released) child->release();
}

void InnerNode::disableCascadeOpacity() {
  Node::disableCascadeOpacity();
  for (Node* child : children_) child->updateDisplayedOpacity(255);
}

void InnerNode::addChild(Node* child, int localZOrder, int tag) {
  if (children_.empty() && children_.capacity() < 4) children_.reserve(4);
  reorderChildDirty_ = sortEnabled_;
  transformUpdated_ = true;
  children_.push_back(child);
  child->retain();
  child->localZOrder_ = localZOrder;
  child->setTag(tag);
  child->setParent(this);
  child->orderOfArrival_ = nextOrderOfArrival();
  if (running_) child->onEnter();
  if (cascadeOpacityEnabled_) updateCascadeOpacity();
}

void InnerNode::addChild(Node* child, int localZOrder) {
  addChild(child, localZOrder, child->getTag());
}

void InnerNode::addChild(Node* child) { addChild(child, child->localZOrder_, child->getTag()); }

void InnerNode::reorderChild(Node* child, int localZOrder) {
  reorderChildDirty_ = true;
  child->orderOfArrival_ = nextOrderOfArrival();
  child->localZOrder_ = localZOrder;
}

void InnerNode::sortAllChildren() {
  if (!reorderChildDirty_) return;
  std::stable_sort(children_.begin(), children_.end(), nodeComparisonLess);
  reorderChildDirty_ = false;
}

}  // namespace engine
