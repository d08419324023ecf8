#pragma once
// Steps every running action once per frame. Holds a reference to each action it runs; never
// to the target nodes. Actions and callbacks may add and remove actions (their own, their
// target's, anyone's) while the manager is stepping them. The common kinds are stepped by direct
// calls (action_stepping.h), any other through its virtual functions.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "engine/base/ref.h"
#include "engine/scene/running_actions.h"

namespace engine {

class Action;
class Node;

class ActionManager : public Ref {
 public:
  ActionManager() = default;
  ~ActionManager() override;

  // Starts the action on the target. A target new to the manager starts unpaused.
  void addAction(Action* action, Node* target);
  // These release the actions without stopping them.
  void removeAllActionsFromTarget(Node* target);
  void removeAction(Action* action);
  void removeActionByTag(int tag, Node* target);
  Action* getActionByTag(int tag, Node* target) const;
  size_t getNumberOfRunningActionsInTarget(Node* target) const;

  void pauseTarget(Node* target);
  void resumeTarget(Node* target);

  void update(float dt);

 private:
  struct Element {
    Node* target = nullptr;
    RunningActions actions;
    bool paused = false;
  };

  // Valid until an element is added or erased.
  Element* findElement(Node* target);
  const Element* findElement(Node* target) const;
  void removeActionAtIndex(size_t index, Element* element);
  // Steps the target's actions from the one at `from` on.
  void stepElement(size_t place, size_t from, float dt);
  size_t settleStep(size_t index, bool done);
  void prefetchAhead(size_t index, size_t count) const;
  void dropElement(Element* element);
  void eraseElement(Element* element);
  void sweepEmptiedElements();

  // Every element, walked in this order each frame, held in one array: a frame's walk reads
  // them forwards from memory the prefetcher follows, instead of one allocation per target.
  // Mostly the order the targets got their first action. Elements are not erased while update
  // walks them (so their places stay put, though a step that adds a target may move the array):
  // one emptied meanwhile is listed here and erased when the walk ends (if still empty by then);
  // an erased element's place goes to the last one.
  std::vector<Element> elements_;
  std::unordered_map<Node*, size_t> places_;  // each target's place in elements_
  Node* currentTarget_ = nullptr;
  Action* currentAction_ = nullptr;
  bool currentActionSalvaged_ = false;
  bool updating_ = false;
  std::vector<Node*> emptiedTargets_;
};

}  // namespace engine
