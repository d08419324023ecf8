#pragma once
// Steps every running action once per frame. Holds a reference to each action it runs; never
// to the target nodes. Actions and callbacks may add and remove actions (their own, their
// target's, anyone's) while the manager is stepping them.
//
// An action tree made only of the common kinds is compiled when added (flat_action.h): its records
// go into one block of words shared by every target, laid out in the order the frame's walk
// reaches them, and are what the manager steps; the action object stays the handle for tags and
// removal. Any other tree is stepped through its objects.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "engine/base/ref.h"
#include "engine/scene/flat_action.h"
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
  // Compiles a newly added action into the block, unless a compiled program is running.
  RunningAction compile(Action* action);
  void dropRecords(const RunningAction& running);
  // Lays the live records out again, in the elements' order, once enough of the block is dead.
  void relayRecordsIfSparse();
  // Steps the target's actions from the one at `from` on.
  void stepElement(size_t place, size_t from, float dt);
  bool stepLoneProgram(size_t place, float dt);
  size_t settleStep(size_t index, bool done);
  // Steps one action; true when it is done.
  bool stepRunning(const RunningAction& running, float dt);
  bool stepCompiled(const RunningAction& running, float dt);
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
  // Every compiled action's records. A removal leaves its words behind (dead) rather than move
  // the others, so nothing moves while a program runs; the block is laid out again between
  // walks. While a program runs nothing is appended either: an action added then runs through
  // its own functions.
  std::vector<FlatWord> words_;
  size_t deadWords_ = 0;
  Node* currentTarget_ = nullptr;
  Action* currentAction_ = nullptr;
  bool currentActionSalvaged_ = false;
  bool programRunning_ = false;
  bool updating_ = false;
  std::vector<Node*> emptiedTargets_;
};

}  // namespace engine
