#pragma once
// Steps, updates and asks about an action by its kind, calling the concrete class directly: the
// manager and the composite actions step a whole tree per node per frame this way without one
// virtual call for the kinds a scene mostly runs. Any other action goes through its virtual
// functions. The kinds it calls directly are final (or their update, step and isDone are), so the
// result is always what the action's own virtual functions would do.

namespace engine {

class Action;

void stepAction(Action* action, float dt);
void updateAction(Action* action, float t);
bool isActionDone(const Action* action);

}  // namespace engine
