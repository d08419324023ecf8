#include "engine/scene/flat_action.h"

#include "engine/scene/fade_to.h"
#include "engine/scene/move_by.h"
#include "engine/scene/repeat_forever.h"
#include "engine/scene/rotate_by.h"
#include "engine/scene/scale_to.h"
#include "engine/scene/sequence.h"
#include "engine/scene/spawn.h"
#include "engine/scene/tint_to.h"

namespace engine {

namespace {

bool compileInto(const Action* action, std::vector<FlatAction>& program);

// A composite's part, compiled after its parent; its place is noted in the parent.
bool compilePart(const Action* part, size_t parent, int index, std::vector<FlatAction>& program) {
  const size_t place = program.size();
  if (!compileInto(part, program)) return false;
  program[parent].parts[index] = static_cast<uint8_t>(place);
  return true;
}

// The parameters of a leaf; what its start captures from the node is filled in when started.
void setLeafParameters(const Action* action, FlatAction& record) {
  switch (action->getKind()) {
    case ActionKind::MoveBy:
      record.p.move.delta = static_cast<const MoveBy*>(action)->getDelta();
      break;
    case ActionKind::MoveTo:
      record.p.move.end = static_cast<const MoveTo*>(action)->getEndPosition();
      break;
    case ActionKind::RotateBy:
      record.p.turn = {static_cast<const RotateBy*>(action)->getAngle(), 0.0f};
      break;
    case ActionKind::ScaleTo: {
      const auto* scale = static_cast<const ScaleTo*>(action);
      record.p.scale = {1.0f, 1.0f, scale->getEndScaleX(), scale->getEndScaleY(), 0.0f, 0.0f};
      break;
    }
    case ActionKind::FadeTo:
      // Stepping a compiled fade changes nothing of its action but what its own start sets.
      record.p.fade = {const_cast<FadeTo*>(static_cast<const FadeTo*>(action)), 255, 255};
      break;
    case ActionKind::TintTo:
      record.p.tint = {Color3B{}, static_cast<const TintTo*>(action)->getEndColor()};
      break;
    default:
      break;
  }
}

bool compileInto(const Action* action, std::vector<FlatAction>& program) {
  if (action == nullptr || program.size() >= FlatAction::kMaxProgram) return false;
  const ActionKind kind = action->getKind();
  if (kind == ActionKind::Other) return false;
  const size_t place = program.size();
  FlatAction record;
  record.kind = kind;
  record.duration = static_cast<const ActionInterval*>(action)->getDuration();
  setLeafParameters(action, record);
  program.push_back(record);
  switch (kind) {
    case ActionKind::RepeatForever:
      return compilePart(static_cast<const RepeatForever*>(action)->getInnerAction(), place, 0,
                         program);
    case ActionKind::Sequence: {
      const auto* sequence = static_cast<const Sequence*>(action);
      return compilePart(sequence->getPart(0), place, 0, program) &&
             compilePart(sequence->getPart(1), place, 1, program);
    }
    case ActionKind::Spawn: {
      const auto* spawn = static_cast<const Spawn*>(action);
      return compilePart(spawn->getPart(0), place, 0, program) &&
             compilePart(spawn->getPart(1), place, 1, program);
    }
    default:
      return true;
  }
}

}  // namespace

bool compileAction(const Action* action, std::vector<FlatAction>& program) {
  // Compiled apart first: a tree found not to compile half-way leaves nothing behind, and the
  // places of its parts count from its own first record.
  std::vector<FlatAction> compiled;
  if (!compileInto(action, compiled)) return false;
  program.insert(program.end(), compiled.begin(), compiled.end());
  return true;
}

}  // namespace engine
