#pragma once
// Steps every running action once per frame. Holds a reference to each action it runs; never
// to the target nodes. Actions and callbacks may add and remove actions (their own, their
// target's, anyone's) while the manager is stepping them.
//
// An action tree made only of the common kinds is compiled when added (flat_action.h) and its
// records, kept beside the target's other programs, are what the manager steps; the action
// object stays the handle for tags and removal. Any other tree is stepped through its objects.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "engine/base/ref.h"
#include "engine/scene/flat_action.h"

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
  // A running action, and where its compiled records lie among its target's (none: stepped
  // through its own functions).
  struct Running {
    Action* action;
    uint32_t first;
    uint32_t count;
  };
  struct Element {
    Node* target = nullptr;
    std::vector<Running> actions;
    // The compiled actions' records. While one of them runs they stay where they are: a removal
    // then leaves its records behind (stale) until the step returns, and an action added then
    // runs through its own functions.
    std::vector<FlatAction> records;
    bool recordsStale = false;
    bool paused = false;
  };

  // Valid until an element is added or erased.
  Element* findElement(Node* target);
  const Element* findElement(Node* target) const;
  void removeActionAtIndex(size_t index, Element* element);
  bool recordsHeld(const Element& element) const {
    return recordsHeld_ && element.target == currentTarget_;
  }
  // Compiles a newly added action into the element's records, unless they are held.
  Running compile(Action* action, Element& element) const;
  void dropRecords(Element& element, const Running& running);
  void compactRecords(Element& element);
  void stepElement(size_t place, float dt);
  // Steps one action; true when it is done.
  bool stepRunning(size_t place, const Running& running, float dt);
  bool stepCompiled(size_t place, const Running& running, float dt);
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
  bool currentTargetSalvaged_ = false;
  bool currentActionSalvaged_ = false;
  bool recordsHeld_ = false;  // the current target's records are being stepped
  bool updating_ = false;
  std::vector<Node*> emptiedTargets_;
};

}  // namespace engine
