#include "engine/scene/action_manager.h"

#include <algorithm>
#include <type_traits>

#include "engine/scene/action.h"
#include "engine/scene/action_stepping.h"
#include "engine/scene/flat_action_stepping.h"
#include "engine/scene/node.h"

namespace engine {

namespace {
constexpr size_t INITIAL_ACTION_CAPACITY = 4;

// A large scene's action arrays, records and targets do not stay in the cache between frames.
// The walk asks for them a few elements ahead, in two stages: first what the element itself
// points at (its actions and records), then what those point at (an uncompiled action's object)
// and the target's transform fields, so the misses overlap instead of queueing.
constexpr size_t kArrayPrefetchDistance = 8;
constexpr size_t kTargetPrefetchDistance = 4;
// The records a prefetch asks for: a moving, turning node's tree, a few dozen bytes each.
constexpr size_t kRecordPrefetchBytes = 7 * sizeof(FlatAction);
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
  const Running running = compile(action, *element);
  element->actions.push_back(running);
  action->startWithTarget(target);
  if (running.count != 0) {
    // The start of the records reads the node as the object's start just did.
    startFlatAction(findElement(target)->records.data() + running.first, target);
  }
}

ActionManager::Running ActionManager::compile(Action* action, Element& element) const {
  Running running{action, static_cast<uint32_t>(element.records.size()), 0};
  if (recordsHeld(element) || !compileAction(action, element.records)) return running;
  running.count = static_cast<uint32_t>(element.records.size()) - running.first;
  return running;
}

void ActionManager::dropRecords(Element& element, const Running& running) {
  if (running.count == 0) return;
  if (recordsHeld(element)) {
    element.recordsStale = true;
    return;
  }
  const auto begin = element.records.begin() + static_cast<std::ptrdiff_t>(running.first);
  element.records.erase(begin, begin + static_cast<std::ptrdiff_t>(running.count));
  for (Running& other : element.actions) {
    if (other.count != 0 && other.first > running.first) other.first -= running.count;
  }
}

// Keeps only the records of the actions still running, in their order.
void ActionManager::compactRecords(Element& element) {
  std::vector<FlatAction> kept;
  for (Running& running : element.actions) {
    if (running.count == 0) continue;
    const auto begin = element.records.begin() + static_cast<std::ptrdiff_t>(running.first);
    running.first = static_cast<uint32_t>(kept.size());
    kept.insert(kept.end(), begin, begin + static_cast<std::ptrdiff_t>(running.count));
  }
  element.records.swap(kept);
  element.recordsStale = false;
}

void ActionManager::removeAllActionsFromTarget(Node* target) {
  if (target == nullptr) return;
  Element* element = findElement(target);
  if (element == nullptr) return;

  auto& actions = element->actions;
  const bool holdsCurrent = std::any_of(actions.begin(), actions.end(), [this](const Running& r) {
    return r.action == currentAction_;
  });
  if (holdsCurrent && !currentActionSalvaged_) {
    // The action being stepped must outlive its own step; update drops this reference.
    currentAction_->retain();
    currentActionSalvaged_ = true;
  }
  std::vector<Running> released;
  released.swap(actions);
  if (recordsHeld(*element)) {
    element->recordsStale = true;
  } else {
    element->records.clear();
  }
  if (target == currentTarget_) {
    currentTargetSalvaged_ = true;
  } else {
    dropElement(element);
  }
  // Released last: a release may destroy a composite whose destructor reaches back in here.
  for (const Running& running : released) running.action->release();
}

void ActionManager::removeActionAtIndex(size_t index, Element* element) {
  const Running running = element->actions[index];
  Action* action = running.action;
  if (action == currentAction_ && !currentActionSalvaged_) {
    currentAction_->retain();
    currentActionSalvaged_ = true;
  }
  element->actions.erase(element->actions.begin() + static_cast<std::ptrdiff_t>(index));
  dropRecords(*element, running);
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
  auto it = std::find_if(actions.begin(), actions.end(),
                         [action](const Running& r) { return r.action == action; });
  if (it != actions.end()) removeActionAtIndex(static_cast<size_t>(it - actions.begin()), element);
}

void ActionManager::removeActionByTag(int tag, Node* target) {
  Element* element = findElement(target);
  if (element == nullptr) return;
  for (size_t i = 0; i < element->actions.size(); ++i) {
    Action* action = element->actions[i].action;
    if (action->getTag() == tag && action->getOriginalTarget() == target) {
      removeActionAtIndex(i, element);
      return;
    }
  }
}

Action* ActionManager::getActionByTag(int tag, Node* target) const {
  const Element* element = findElement(target);
  if (element == nullptr) return nullptr;
  for (const Running& running : element->actions) {
    if (running.action->getTag() == tag) return running.action;
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
    const Running running = elements_[place].actions[i];
    currentAction_ = running.action;
    currentActionSalvaged_ = false;
    const bool done = stepRunning(place, running, dt);
    if (currentActionSalvaged_) {
      // Removed during its own step; the array has already closed up.
      currentAction_->release();
    } else if (done) {
      currentAction_->stop();
      if (currentActionSalvaged_) {
        // Its stop removed it; only the reference kept for this step is left to drop.
        currentAction_->release();
        continue;
      }
      Action* finished = currentAction_;
      currentAction_ = nullptr;
      removeAction(finished);
    } else {
      ++i;
    }
  }
}

bool ActionManager::stepRunning(size_t place, const Running& running, float dt) {
  if (running.count != 0) return stepCompiled(place, running, dt);
  stepAction(running.action, dt);
  return isActionDone(running.action);
}

// The records stay put while they run (see Element), so the program is read again after its
// step even when the step removed it; its stop is the records' own, its object's comes after.
bool ActionManager::stepCompiled(size_t place, const Running& running, float dt) {
  static_assert(std::is_nothrow_move_constructible_v<Element>,
                "elements must move (keeping their records where they are), never be copied");
  Element& element = elements_[place];
  FlatAction* program = element.records.data() + running.first;
  recordsHeld_ = true;
  stepFlatAction(program, element.target, dt);
  const bool done = !currentActionSalvaged_ && isFlatActionDone(program);
  if (done) stopFlatAction(program);
  recordsHeld_ = false;
  // A step that added a target may have moved the elements (their records stay where they are).
  Element& after = elements_[place];
  if (after.recordsStale) compactRecords(after);
  return done;
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

// Always inlined: GCC takes a function whose only effect is a prefetch for one with no effect
// at all, and deletes the calls to it.
[[gnu::always_inline]] inline void ActionManager::prefetchAhead(size_t index,
                                                                 size_t count) const {
  // An emptied element's target may be gone, so only live elements are looked ahead into.
  if (index + kArrayPrefetchDistance < count) {
    const Element& ahead = elements_[index + kArrayPrefetchDistance];
    if (!ahead.actions.empty()) {
      __builtin_prefetch(ahead.actions.data());
      // Every line the records touch, from the one they start in (they need not start one).
      const auto start = reinterpret_cast<uintptr_t>(ahead.records.data());
      const uintptr_t end =
          start + std::min(kRecordPrefetchBytes, ahead.records.size() * sizeof(FlatAction));
      for (uintptr_t line = start & ~uintptr_t{63}; line < end; line += 64) {
        __builtin_prefetch(reinterpret_cast<const void*>(line));
      }
    }
  }
  if (index + kTargetPrefetchDistance < count) {
    const Element& ahead = elements_[index + kTargetPrefetchDistance];
    if (!ahead.actions.empty()) {
      // Actions mostly move, turn or scale their target: its transform fields come next.
      ahead.target->prefetchTransformFields();
      const Running& first = ahead.actions.front();
      if (first.count == 0) __builtin_prefetch(first.action);
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
