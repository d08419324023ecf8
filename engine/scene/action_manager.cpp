#include "engine/scene/action_manager.h"

#include "engine/scene/action.h"
#include "engine/scene/action_stepping.h"
#include "engine/scene/node.h"

namespace engine {

namespace {
// A large scene's targets do not stay in the cache between frames; the walk asks for a target's
// transform fields and its first action's object a few elements ahead, so the misses overlap
// instead of queueing. The elements are read forwards, which the hardware follows by itself.
constexpr size_t kTargetPrefetchDistance = 4;
}  // namespace

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
  }
  action->retain();
  element->actions.push_back(action);
  action->startWithTarget(target);
}

void ActionManager::removeAllActionsFromTarget(Node* target) {
  if (target == nullptr) return;
  Element* element = findElement(target);
  if (element == nullptr) return;

  std::vector<Action*> released;
  released.reserve(element->actions.size());
  for (size_t i = 0; i < element->actions.size(); ++i) {
    Action* action = element->actions[i];
    if (action == currentAction_ && !currentActionSalvaged_) {
      // The action being stepped must outlive its own step; update drops this reference.
      currentAction_->retain();
      currentActionSalvaged_ = true;
    }
    released.push_back(action);
  }
  element->actions.clear();
  // The target being stepped keeps its element until its step returns; update's loop then lists
  // it as emptied.
  if (target != currentTarget_) dropElement(element);
  // Released last: a release may destroy a composite whose destructor reaches back in here.
  for (Action* action : released) action->release();
}

void ActionManager::removeActionAtIndex(size_t index, Element* element) {
  Action* action = element->actions[index];
  if (action == currentAction_ && !currentActionSalvaged_) {
    currentAction_->retain();
    currentActionSalvaged_ = true;
  }
  element->actions.erase(index);
  if (element->actions.empty() && element->target != currentTarget_) dropElement(element);
  action->release();
}

void ActionManager::removeAction(Action* action) {
  if (action == nullptr) return;
  Element* element = findElement(action->getOriginalTarget());
  if (element == nullptr) return;
  for (size_t i = 0; i < element->actions.size(); ++i) {
    if (element->actions[i] == action) {
      removeActionAtIndex(i, element);
      return;
    }
  }
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
  for (size_t i = 0; i < element->actions.size(); ++i) {
    if (element->actions[i]->getTag() == tag) return element->actions[i];
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
// after each one. Inlined into update's walk, which steps one element per target of a large
// scene every frame.
[[gnu::always_inline]] inline void ActionManager::stepElement(size_t place, size_t from,
                                                               float dt) {
  size_t i = from;
  while (i < elements_[place].actions.size()) {
    Action* action = elements_[place].actions[i];
    currentAction_ = action;
    currentActionSalvaged_ = false;
    stepAction(action, dt);
    i = settleStep(i, isActionDone(action));
  }
}

// After the action at `index` of the current target stepped, done or not: removes it if it is
// done, and gives the place of the target's next action to step.
size_t ActionManager::settleStep(size_t index, bool done) {
  if (currentActionSalvaged_) {
    // Removed during its own step; the array has already closed up.
    currentAction_->release();
    return index;
  }
  if (!done) return index + 1;
  currentAction_->stop();
  if (currentActionSalvaged_) {
    // Its stop removed it; only the reference kept for this step is left to drop.
    currentAction_->release();
    return index;
  }
  Action* finished = currentAction_;
  currentAction_ = nullptr;
  removeAction(finished);
  return index;
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
      currentActionSalvaged_ = false;
      currentAction_ = nullptr;
      if (!elements_[i].paused) stepElement(i, 0, dt);
    }
    if (elements_[i].actions.empty()) emptiedTargets_.push_back(elements_[i].target);
  }

  currentTarget_ = nullptr;
  currentAction_ = nullptr;
  currentActionSalvaged_ = false;
  updating_ = false;
  sweepEmptiedElements();
}

// Always inlined: GCC takes a function whose only effect is a prefetch for one with no effect
// at all, and deletes the calls to it.
[[gnu::always_inline]] inline void ActionManager::prefetchAhead(size_t index,
                                                                 size_t count) const {
  // An emptied element's target may be gone, so only live elements are looked ahead into.
  if (index + kTargetPrefetchDistance < count) {
    const Element& ahead = elements_[index + kTargetPrefetchDistance];
    if (!ahead.actions.empty()) {
      // Actions mostly move, turn or scale their target: its transform fields come next.
      ahead.target->prefetchTransformFields();
      __builtin_prefetch(ahead.actions[0]);
    }
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
