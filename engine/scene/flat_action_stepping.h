#pragma once
// Starts, steps and stops a compiled action tree (flat_action.h) on its target: one switch per
// record instead of a virtual call per action, over records that lie side by side. Each does
// what the tree's action objects would do with the same start, steps and stop.
//
// While a program runs, the node's setters are the only calls out of it; the records must stay
// where they are until it returns (the action manager holds back changes to them meanwhile).

namespace engine {

class Node;
struct FlatAction;

// `program` points at the tree's first record, the one the tree was compiled from.
void startFlatAction(FlatAction* program, Node* target);
void stepFlatAction(FlatAction* program, Node* target, float dt);
bool isFlatActionDone(const FlatAction* program);
void stopFlatAction(FlatAction* program);

}  // namespace engine
