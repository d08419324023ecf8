#include "engine/scene/action_manager.h"

#include <algorithm>

#include "engine/scene/action.h"
#include "engine/scene/node.h"
#include "engine/scene/walk_order.h"

namespace engine {

namespace {
constexpr size_t INITIAL_ACTION_CAPACITY = 4;

// A scene's elements, their action arrays, the actions and the parts of composite actions are
// separate allocations that a large scene does not keep in the cache. The walk asks for them
// ahead, one pointer hop per stage: the element furthest ahead, its action array a little
// nearer, then its first action, then that action's parts one level per stage, so each stage
// reads only memory an earlier stage already asked for and the misses overlap instead of
// queueing one after another.
constexpr size_t kPrefetchStageGap = 2;
constexpr int kPartsPrefetchDepth = 2;
constexpr size_t kActionPrefetchDistance = kPrefetchStageGap * (kPartsPrefetchDepth + 1);
constexpr size_t kArrayPrefetchDistance = kActionPrefetchDistance + kPrefetchStageGap;
constexpr size_t kElementPrefetchDistance = kArrayPrefetchDistance + kPrefetchStageGap;
}

ActionManager::~ActionManager() {
  std::vector<Node*> all;
  all.reserve(order_.size());
  for (const Element* element : order_) all.push_back(element->target);
  for (Node* target : all) removeAllActionsFromTarget(target);
}

ActionManager::Element* ActionManager::findElement(Node* target) const {
  auto it = targets_.find(target);
  return it == targets_.end() ? nullptr : it->second.get();
}

void ActionManager::dropElement(Element* element) {
  if (updating_) {
    emptiedTargets_.push_back(element->target);
  } else {
    eraseElement(element);
  }
}

void ActionManager::eraseElement(Element* element) {
  Node* target = element->target;  // the key outlives the element the erase destroys
  removeFromWalkOrder(order_, element);
  targets_.erase(target);
}

void ActionManager::addAction(Action* action, Node* target) {
  if (action == nullptr || target == nullptr) return;
  Element* element = findElement(target);
  if (element != nullptr && element->actions.empty()) {
    element->paused = false;  // an emptied element awaiting erasure comes back as a new one
  } else if (element == nullptr) {
    auto created = std::make_unique<Element>();
    created->target = target;
    created->actions.reserve(INITIAL_ACTION_CAPACITY);
    element = created.get();
    appendToWalkOrder(order_, element);
    targets_.emplace(target, std::move(created));
  }
  action->retain();
  element->actions.push_back(action);
  action->startWithTarget(target);
}

void ActionManager::removeAllActionsFromTarget(Node* target) {
  if (target == nullptr) return;
  Element* element = findElement(target);
  if (element == nullptr) return;

  auto& actions = element->actions;
  if (std::find(actions.begin(), actions.end(), currentAction_) != actions.end() &&
      !currentActionSalvaged_) {
    // The action being stepped must outlive its own step; update drops this reference.
    currentAction_->retain();
    currentActionSalvaged_ = true;
  }
  std::vector<Action*> released;
  released.swap(actions);
  if (target == currentTarget_) {
    currentTargetSalvaged_ = true;
  } else {
    dropElement(element);
  }
  // Released last: a release may destroy a composite whose destructor reaches back in here.
  for (Action* action : released) action->release();
}

void ActionManager::removeActionAtIndex(size_t index, Element* element) {
  Action* action = element->actions[index];
  if (action == currentAction_ && !currentActionSalvaged_) {
    currentAction_->retain();
    currentActionSalvaged_ = true;
  }
  element->actions.erase(element->actions.begin() + static_cast<std::ptrdiff_t>(index));
  if (element->actions.empty()) {
    if (element->target == currentTarget_) {
      currentTargetSalvaged_ = true;
    } else {
      dropElement(element);
    }
  }
  action->release();
}

void ActionManager::removeAction(Action* action) {
  if (action == nullptr) return;
  Element* element = findElement(action->getOriginalTarget());
  if (element == nullptr) return;
  auto& actions = element->actions;
  auto it = std::find(actions.begin(), actions.end(), action);
  if (it != actions.end()) removeActionAtIndex(static_cast<size_t>(it - actions.begin()), element);
}

void ActionManager::removeActionByTag(int tag, Node* target) {
  Element* element = findElement(target);
  if (element == nullptr) return;
  for (size_t i = 0; i < element->actions.size(); ++i) {
    Action* action = element->actions[i];
    if (action->getTag() == tag && action->getOriginalTarget() == target) {
      removeActionAtIndex(i, element);
      return;
    }
  }
}

Action* ActionManager::getActionByTag(int tag, Node* target) const {
  const Element* element = findElement(target);
  if (element == nullptr) return nullptr;
  for (Action* action : element->actions) {
    if (action->getTag() == tag) return action;
  }
  return nullptr;
}

size_t ActionManager::getNumberOfRunningActionsInTarget(Node* target) const {
  const Element* element = findElement(target);
  return element == nullptr ? 0 : element->actions.size();
}

void ActionManager::pauseTarget(Node* target) {
  if (Element* element = findElement(target)) element->paused = true;
}

void ActionManager::resumeTarget(Node* target) {
  if (Element* element = findElement(target)) element->paused = false;
}

void ActionManager::stepElement(Element& element, float dt) {
  size_t i = 0;
  while (i < element.actions.size()) {
    currentAction_ = element.actions[i];
    currentActionSalvaged_ = false;
    currentAction_->step(dt);
    if (currentActionSalvaged_) {
      // Removed during its own step; the array has already closed up.
      currentAction_->release();
    } else if (currentAction_->isDone()) {
      currentAction_->stop();
      if (currentActionSalvaged_) {
        // Its stop removed it; only the reference kept for this step is left to drop.
        currentAction_->release();
        continue;
      }
      Action* done = currentAction_;
      currentAction_ = nullptr;
      removeAction(done);
    } else {
      ++i;
    }
  }
}

void ActionManager::update(float dt) {
  // Steps may add elements (appended to order_ and the map; the elements themselves stay put)
  // and empty others, which are only erased after the walk, so order_ only grows meanwhile.
  // Elements added by this walk wait for the next frame.
  updating_ = true;
  const size_t count = order_.size();
  for (size_t i = 0; i < count; ++i) {
    prefetchAhead(i, count);
    Element* element = order_[i];
    if (!element->actions.empty()) {
      currentTarget_ = element->target;
      currentTargetSalvaged_ = false;
      currentActionSalvaged_ = false;
      currentAction_ = nullptr;
      if (!element->paused) stepElement(*element, dt);
    }
    if (element->actions.empty()) emptiedTargets_.push_back(element->target);
  }

  currentTarget_ = nullptr;
  currentAction_ = nullptr;
  currentTargetSalvaged_ = false;
  currentActionSalvaged_ = false;
  updating_ = false;
  sweepEmptiedElements();
}

void ActionManager::prefetchAhead(size_t index, size_t count) const {
  if (index + kElementPrefetchDistance < count) {
    __builtin_prefetch(order_[index + kElementPrefetchDistance]);
  }
  // An emptied element's target may be gone, so only live elements are looked ahead into.
  if (index + kArrayPrefetchDistance < count) {
    const Element* ahead = order_[index + kArrayPrefetchDistance];
    if (!ahead->actions.empty()) __builtin_prefetch(ahead->actions.data());
  }
  if (index + kActionPrefetchDistance < count) {
    const Element* ahead = order_[index + kActionPrefetchDistance];
    if (!ahead->actions.empty()) {
      __builtin_prefetch(ahead->actions.front());
      // Actions mostly move, turn or scale their target: its transform fields come next.
      ahead->target->prefetchTransformFields();
    }
  }
  for (int depth = 1; depth <= kPartsPrefetchDepth; ++depth) {
    const size_t distance =
        kActionPrefetchDistance - kPrefetchStageGap * static_cast<size_t>(depth);
    if (index + distance >= count) continue;
    const Element* ahead = order_[index + distance];
    if (!ahead->actions.empty()) ahead->actions.front()->prefetchParts(depth);
  }
}

void ActionManager::sweepEmptiedElements() {
  for (Node* target : emptiedTargets_) {
    auto it = targets_.find(target);
    if (it != targets_.end() && it->second->actions.empty()) eraseElement(it->second.get());
  }
  emptiedTargets_.clear();
}

}  // namespace engine
