#include "engine/scene/flat_action.h"

#include "engine/scene/fade_to.h"
#include "engine/scene/flat_records.h"
#include "engine/scene/move_by.h"
#include "engine/scene/repeat_forever.h"
#include "engine/scene/rotate_by.h"
#include "engine/scene/scale_to.h"
#include "engine/scene/sequence.h"
#include "engine/scene/spawn.h"
#include "engine/scene/tint_to.h"

namespace engine {

namespace {

bool compileInto(const Action* action, bool stepped, std::vector<FlatWord>& words);

// The parameters of a leaf; what its start captures from the node is filled in when started.
void setLeafParameters(const Action* action, const FlatRecord& record) {
  switch (action->getKind()) {
    case ActionKind::MoveBy:
      record.fields<FlatMove>().delta = static_cast<const MoveBy*>(action)->getDelta();
      return;
    case ActionKind::MoveTo:
      record.fields<FlatMoveTo>().end = static_cast<const MoveTo*>(action)->getEndPosition();
      return;
    case ActionKind::RotateBy:
      record.fields<FlatTurn>().angle = static_cast<const RotateBy*>(action)->getAngle();
      return;
    case ActionKind::ScaleTo: {
      const auto* scale = static_cast<const ScaleTo*>(action);
      record.fields<FlatScale>().endX = scale->getEndScaleX();
      record.fields<FlatScale>().endY = scale->getEndScaleY();
      return;
    }
    case ActionKind::FadeTo:
      // Stepping a compiled fade changes nothing of its action but what its own start sets.
      record.fields<FlatFade>().setFade(const_cast<FadeTo*>(static_cast<const FadeTo*>(action)));
      return;
    case ActionKind::TintTo:
      record.fields<FlatTint>().to = static_cast<const TintTo*>(action)->getEndColor();
      return;
    default:
      return;
  }
}

// A binary composite's parts, handed their progress by it: the first right after its record,
// the second where its header notes.
bool compileParts(const FiniteTimeAction* first, const FiniteTimeAction* second, size_t place,
                  std::vector<FlatWord>& words) {
  if (!compileInto(first, false, words)) return false;
  const size_t secondPlace = words.size();
  if (secondPlace - place > UINT8_MAX || !compileInto(second, false, words)) return false;
  FlatRecord(words.data() + place).header().second = static_cast<uint8_t>(secondPlace - place);
  return true;
}

// The header's flags for an action that is stepped or not: see flat_records.h.
uint8_t flagsOf(const Action* action, bool stepped) {
  if (action->getKind() == ActionKind::RepeatForever) return FlatHeader::kFirstTick;
  if (stepped) return FlatHeader::kFirstTick | FlatHeader::kClock;
  const float duration = static_cast<const FiniteTimeAction*>(action)->getDuration();
  return FlatHeader::kFirstTick | (0.0f >= duration ? FlatHeader::kDoneUnstepped : 0);
}

bool compileInto(const Action* action, bool stepped, std::vector<FlatWord>& words) {
  if (action == nullptr || flatFieldWords(action->getKind()) < 0) return false;
  const ActionKind kind = action->getKind();
  const size_t place = words.size();
  FlatHeader header{kind, flagsOf(action, stepped), -1, 0};
  const auto size = static_cast<size_t>(FlatRecord::sizeOf(header));
  header.flags = static_cast<uint8_t>(header.flags | size << FlatHeader::kSizeShift);
  if (place + size > kMaxFlatProgramWords) return false;
  words.resize(place + size, FlatWord{});
  const FlatRecord record(words.data() + place);
  record.header() = header;
  const float duration = static_cast<const FiniteTimeAction*>(action)->getDuration();
  if ((header.flags & FlatHeader::kClock) != 0) record.clock() = {duration, 0.0f};
  setLeafParameters(action, record);
  switch (kind) {
    case ActionKind::RepeatForever:
      return compileInto(static_cast<const RepeatForever*>(action)->getInnerAction(), true, words);
    case ActionKind::Sequence: {
      const auto* sequence = static_cast<const Sequence*>(action);
      // As the sequence's start computes it, from durations that never change.
      record.fields<FlatSequence>().split = sequence->getPart(0)->getDuration() / duration;
      return compileParts(sequence->getPart(0), sequence->getPart(1), place, words);
    }
    case ActionKind::Spawn: {
      const auto* spawn = static_cast<const Spawn*>(action);
      return compileParts(spawn->getPart(0), spawn->getPart(1), place, words);
    }
    default:
      return true;
  }
}

}  // namespace

bool compileAction(const Action* action, std::vector<FlatWord>& words) {
  // Compiled apart first: a tree found not to compile half-way leaves nothing behind, and the
  // offsets of its parts count within it.
  std::vector<FlatWord> compiled;
  compiled.reserve(kMaxFlatProgramWords);
  if (!compileInto(action, true, compiled)) return false;
  words.insert(words.end(), compiled.begin(), compiled.end());
  return true;
}

}  // namespace engine
