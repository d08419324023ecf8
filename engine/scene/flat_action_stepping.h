#pragma once
// Starts, steps and stops a compiled action tree (flat_action.h) on its target: one switch per
// record instead of a virtual call per action, over records that lie side by side. Each does
// what the tree's action objects would do with the same start, steps and stop.
//
// While a program runs, the node's setters are the only calls out of it; its words must stay
// where they are until it returns (the action manager holds back changes to them meanwhile).

namespace engine {

class Node;
struct FlatWord;

// `program` points at the tree's first word, the record the tree was compiled from.
void startFlatAction(FlatWord* program, Node* target);
// Gives whether the tree is done after the step.
bool stepFlatAction(FlatWord* program, Node* target, float dt);
void stopFlatAction(FlatWord* program);

}  // namespace engine
