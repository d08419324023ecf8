#include "engine/scene/action_manager.h"

#include <algorithm>

#include "engine/scene/action.h"
#include "engine/scene/action_stepping.h"
#include "engine/scene/node.h"

namespace engine {

namespace {
constexpr size_t INITIAL_ACTION_CAPACITY = 4;

// A scene's action arrays, the actions and the parts of composite actions are separate
// allocations that a large scene does not keep in the cache. The walk asks for them ahead, one
// pointer hop per stage: an element's action array furthest ahead, then its first action, then
// that action's parts one level per stage, so each stage reads only memory an earlier stage
// already asked for and the misses overlap instead of queueing one after another.
constexpr size_t kPrefetchStageGap = 2;
constexpr int kPartsPrefetchDepth = 2;
constexpr size_t kActionPrefetchDistance = kPrefetchStageGap * (kPartsPrefetchDepth + 1);
constexpr size_t kArrayPrefetchDistance = kActionPrefetchDistance + kPrefetchStageGap;
}

ActionManager::~ActionManager() {
  std::vector<Node*> all;
  all.reserve(elements_.size());
  for (const Element& element : elements_) all.push_back(element.target);
  for (Node* target : all) removeAllActionsFromTarget(target);
}

ActionManager::Element* ActionManager::findElement(Node* target) {
  auto it = places_.find(target);
  return it == places_.end() ? nullptr : &elements_[it->second];
}

const ActionManager::Element* ActionManager::findElement(Node* target) const {
  auto it = places_.find(target);
  return it == places_.end() ? nullptr : &elements_[it->second];
}

void ActionManager::dropElement(Element* element) {
  if (updating_) {
    emptiedTargets_.push_back(element->target);
  } else {
    eraseElement(element);
  }
}

void ActionManager::eraseElement(Element* element) {
  Node* target = element->target;  // the key outlives the element the erase overwrites
  const auto place = static_cast<size_t>(element - elements_.data());
  if (place + 1 != elements_.size()) {
    *element = std::move(elements_.back());
    places_[element->target] = place;
  }
  elements_.pop_back();
  places_.erase(target);
}

void ActionManager::addAction(Action* action, Node* target) {
  if (action == nullptr || target == nullptr) return;
  Element* element = findElement(target);
  if (element != nullptr && element->actions.empty()) {
    element->paused = false;  // an emptied element awaiting erasure comes back as a new one
  } else if (element == nullptr) {
    places_.emplace(target, elements_.size());
    element = &elements_.emplace_back();
    element->target = target;
    element->actions.reserve(INITIAL_ACTION_CAPACITY);
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

// A step may add targets, which may move the array: the element is found by its place again
// after each one.
void ActionManager::stepElement(size_t place, float dt) {
  size_t i = 0;
  while (i < elements_[place].actions.size()) {
    currentAction_ = elements_[place].actions[i];
    currentActionSalvaged_ = false;
    stepAction(currentAction_, dt);
    if (currentActionSalvaged_) {
      // Removed during its own step; the array has already closed up.
      currentAction_->release();
    } else if (isActionDone(currentAction_)) {
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
  // Steps may add elements (appended) and empty others, which are only erased after the walk, so
  // the array only grows meanwhile. Elements added by this walk wait for the next frame.
  updating_ = true;
  const size_t count = elements_.size();
  for (size_t i = 0; i < count; ++i) {
    prefetchAhead(i, count);
    if (!elements_[i].actions.empty()) {
      currentTarget_ = elements_[i].target;
      currentTargetSalvaged_ = false;
      currentActionSalvaged_ = false;
      currentAction_ = nullptr;
      if (!elements_[i].paused) stepElement(i, dt);
    }
    if (elements_[i].actions.empty()) emptiedTargets_.push_back(elements_[i].target);
  }

  currentTarget_ = nullptr;
  currentAction_ = nullptr;
  currentTargetSalvaged_ = false;
  currentActionSalvaged_ = false;
  updating_ = false;
  sweepEmptiedElements();
}

void ActionManager::prefetchAhead(size_t index, size_t count) const {
  // An emptied element's target may be gone, so only live elements are looked ahead into.
  if (index + kArrayPrefetchDistance < count) {
    const Element& ahead = elements_[index + kArrayPrefetchDistance];
    if (!ahead.actions.empty()) __builtin_prefetch(ahead.actions.data());
  }
  if (index + kActionPrefetchDistance < count) {
    const Element& ahead = elements_[index + kActionPrefetchDistance];
    if (!ahead.actions.empty()) {
      __builtin_prefetch(ahead.actions.front());
      // Actions mostly move, turn or scale their target: its transform fields come next.
      ahead.target->prefetchTransformFields();
    }
  }
  for (int depth = 1; depth <= kPartsPrefetchDepth; ++depth) {
    const size_t distance =
        kActionPrefetchDistance - kPrefetchStageGap * static_cast<size_t>(depth);
    if (index + distance >= count) continue;
    const Element& ahead = elements_[index + distance];
    if (!ahead.actions.empty()) ahead.actions.front()->prefetchParts(depth);
  }
}

void ActionManager::sweepEmptiedElements() {
  for (Node* target : emptiedTargets_) {
    Element* element = findElement(target);
    if (element != nullptr && element->actions.empty()) eraseElement(element);
  }
  emptiedTargets_.clear();
}

}  // namespace engine
