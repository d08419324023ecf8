#include "engine/scene/flat_action_stepping.h"

#include "engine/scene/composite_steps.h"
#include "engine/scene/fade_to.h"
#include "engine/scene/flat_records.h"
#include "engine/scene/move_steps.h"
#include "engine/scene/node.h"
#include "engine/scene/tint_to.h"

namespace engine {

namespace {

// The second parts of the spawns a walk went into, awaiting their update.
class Pending {
 public:
  bool note(FlatWord* record, float t) {
    if (count_ == kDepth) return false;
    places_[count_] = record;
    progress_[count_] = t;
    ++count_;
    return true;
  }
  bool take(FlatWord*& record, float& t) {
    if (count_ == 0) return false;
    --count_;
    record = places_[count_];
    t = progress_[count_];
    return true;
  }

 private:
  static constexpr int kDepth = 8;
  int count_ = 0;
  FlatWord* places_[kDepth];
  float progress_[kDepth];
};

// One tree's records and the node they drive; records are named by their first word's place.
struct Program {
  FlatWord* words;
  Node* target;

  FlatRecord record(int i) const { return FlatRecord(words + i); }
  FlatHeader& header(int i) const { return record(i).header(); }
  int part(int i, int index) const { return i + record(i).partOffset(index); }

  void start(int i);
  void startLeaf(int i);
  void step(int i, float dt);
  // The step of a record with a clock (any kind but the endless repeat). Always inlined: the
  // frame steps one such record per tree, the repeat's inner action or the root.
  [[gnu::always_inline]] inline void stepClock(int i, float dt);
  // Walks down by iteration rather than recursion along the frame's usual path: a spawn notes its
  // second part for later and goes on with its first, and a sequence that stays in the part it
  // updated last goes on with that part. A leaf (the kinds from MoveBy to TintTo) changes its
  // node; a sequence moving to another part takes updateSequenceRecord. Each path's end takes up
  // the part noted last, so the parts are updated in the order the objects update them.
  // The walk goes by address, not by place: one add per part it goes into.
  // Out of line: apply takes most frames by a shorter way, and inlining the walk there too would
  // only grow the code.
  [[gnu::noinline]] void update(int i, float t) {
    Pending pending;
    FlatWord* at = words + i;
    for (;;) {
      const FlatRecord r(at);
      const FlatHeader& a = r.header();
      if (a.kind >= ActionKind::MoveBy && a.kind <= ActionKind::TintTo) {
        if ((a.flags & FlatHeader::kBound) != 0) updateLeaf(r, t);
      } else if (a.kind == ActionKind::Spawn) {
        if (pending.note(at + a.second, t)) {
          at += r.size();
        } else {
          update(placeOf(at) + r.size(), t);  // deeper than the list holds: rare enough to recurse
          at += a.second;
        }
        continue;
      } else if (a.kind == ActionKind::Sequence && followSequence(at, t)) {
        continue;
      }  // an endless repeat, a delay: nothing to do
      if (!pending.take(at, t)) return;
    }
  }
  int placeOf(const FlatWord* record) const { return static_cast<int>(record - words); }
  // Applies t to the record at `at` as update would, where the record is a chain: sequences that
  // stay in the part they updated last, down to a leaf, a delay, an endless repeat or a part
  // done from its start. Gives false, having changed nothing, where the chain meets a spawn or a
  // sequence moving to another part.
  [[gnu::always_inline]] inline bool applyChain(FlatWord* at, float t) {
    for (;;) {
      const FlatRecord r(at);
      const FlatHeader& a = r.header();
      if (a.kind == ActionKind::Sequence) {
        const SequencePlace place = placeInSequence(r.fields<FlatSequence>().split, t);
        if (place.part != a.last) return false;
        at += r.partOffset(place.part);
        if ((FlatRecord(at).header().flags & FlatHeader::kDoneUnstepped) != 0) return true;
        t = place.t;
        continue;
      }
      if (a.kind >= ActionKind::MoveBy && a.kind <= ActionKind::TintTo) {
        if ((a.flags & FlatHeader::kBound) != 0) updateLeaf(r, t);
        return true;
      }
      return a.kind != ActionKind::Spawn;
    }
  }
  // What update does, by a shorter way for what most trees take each frame: a chain, or a spawn
  // of two chains, applied without the walk's list of pending parts. Anything else, and a part
  // that is not a chain, is walked.
  [[gnu::always_inline]] inline void apply(int i, float t) {
    FlatWord* at = words + i;
    const FlatRecord r(at);
    if (r.header().kind != ActionKind::Spawn) {
      if (!applyChain(at, t)) update(i, t);
      return;
    }
    if (!applyChain(at + r.size(), t)) {
      update(i, t);
      return;
    }
    if (!applyChain(at + r.header().second, t)) update(i + r.header().second, t);
  }
  // For the sequence at `at` given progress t: when it stays in the part it updated last, moves
  // `at` and t to that part, to go on with, and gives true; otherwise updates it and gives false.
  [[gnu::always_inline]] inline bool followSequence(FlatWord*& at, float& t) {
    const FlatRecord r(at);
    const SequencePlace place = placeInSequence(r.fields<FlatSequence>().split, t);
    if (place.part != r.header().last) {
      updateSequenceRecord(placeOf(at), t);
      return false;
    }
    FlatWord* next = at + r.partOffset(place.part);
    // A sequence's parts are not stepped, so have no clock: done or not from their start.
    if ((FlatRecord(next).header().flags & FlatHeader::kDoneUnstepped) != 0) return false;
    at = next;
    t = place.t;
    return true;
  }
  void updateSequenceRecord(int i, float t);
  // Inlined into the walk and the chains: most records they reach are leaves. Only for the kinds
  // from MoveBy to TintTo.
  [[gnu::always_inline]] inline void updateLeaf(FlatRecord r, float t);
  // Out of line: the scales, fades and tints, which large scenes' trees seldom run.
  [[gnu::noinline]] void updateOtherLeaf(FlatRecord r, float t);
  void stop(int i);
  bool isDone(int i) const {
    const FlatRecord r = record(i);
    const FlatHeader& a = r.header();
    if ((a.flags & FlatHeader::kClock) != 0) return r.clock().elapsed >= r.clock().duration;
    return (a.flags & FlatHeader::kDoneUnstepped) != 0;  // an endless repeat never is
  }
};

// A composite's parts as the shared composite steps reach them.
struct Parts {
  Program& program;
  int composite;
  void start(int i) { program.start(program.part(composite, i)); }
  void update(int i, float t) { program.update(program.part(composite, i), t); }
  void stop(int i) { program.stop(program.part(composite, i)); }
  bool isDone(int i) const { return program.isDone(program.part(composite, i)); }
};

// An endless repeat's inner action, which is always stepped and so has a clock (or is itself
// an endless repeat, never done).
struct Inner {
  Program& program;
  int place;
  // The inner action's own step, inline: an endless repeat of another is rare.
  void step(float dt) {
    if (program.header(place).kind == ActionKind::RepeatForever) {
      program.step(place, dt);
    } else {
      program.stepClock(place, dt);
    }
  }
  bool isDone() const { return program.isDone(place); }
  float elapsed() const { return program.record(place).clock().elapsed; }
  float duration() const { return program.record(place).clock().duration; }
  void start() { program.start(place); }
};

void Program::start(int i) {
  const FlatRecord r = record(i);
  FlatHeader& a = r.header();
  a.flags |= FlatHeader::kFirstTick | FlatHeader::kBound;
  if ((a.flags & FlatHeader::kClock) != 0) r.clock().elapsed = 0.0f;
  switch (a.kind) {
    case ActionKind::Sequence:
      a.last = -1;
      return;
    case ActionKind::Spawn:
      start(part(i, 0));
      start(part(i, 1));
      return;
    case ActionKind::RepeatForever:
      start(part(i, 0));
      return;
    default:
      startLeaf(i);
      return;
  }
}

void Program::startLeaf(int i) {
  const FlatRecord r = record(i);
  switch (r.header().kind) {
    case ActionKind::MoveBy: {
      FlatMove& m = r.fields<FlatMove>();
      m.start = m.previous = target->getPosition();
      return;
    }
    case ActionKind::MoveTo: {
      FlatMoveTo& m = r.fields<FlatMoveTo>();
      m.move.start = m.move.previous = target->getPosition();
      m.move.delta = m.end - target->getPosition();
      return;
    }
    case ActionKind::RotateBy:
      r.fields<FlatTurn>().start = target->getRotation();
      return;
    case ActionKind::ScaleTo: {
      FlatScale& s = r.fields<FlatScale>();
      s.startX = target->getScaleX();
      s.startY = target->getScaleY();
      s.deltaX = s.endX - s.startX;
      s.deltaY = s.endY - s.startY;
      return;
    }
    case ActionKind::FadeTo: {
      FlatFade& f = r.fields<FlatFade>();
      f.fade()->startWithTarget(target);
      f.from = f.fade()->getStartOpacity();
      f.to = f.fade()->getEndOpacity();
      return;
    }
    case ActionKind::TintTo:
      r.fields<FlatTint>().from = target->getColor();
      return;
    default:
      return;  // a delay captures nothing
  }
}

void Program::step(int i, float dt) {
  if (header(i).kind == ActionKind::RepeatForever) {
    Inner inner{*this, part(i, 0)};
    stepRepeatForever(inner, dt);
    return;
  }
  stepClock(i, dt);
}

inline void Program::stepClock(int i, float dt) {
  const FlatRecord r = record(i);
  FlatHeader& a = r.header();
  FlatClock& clock = r.clock();
  if ((a.flags & FlatHeader::kFirstTick) != 0) {
    a.flags &= static_cast<uint8_t>(~FlatHeader::kFirstTick);
    clock.elapsed = 0.0f;
  } else {
    clock.elapsed += dt;
  }
  updateFlatRecord(words + i, target, ActionInterval::progress(clock.elapsed, clock.duration));
}

void Program::updateSequenceRecord(int i, float t) {
  const FlatRecord r = record(i);
  FlatHeader& a = r.header();
  Parts parts{*this, i};
  a.last = static_cast<int8_t>(updateSequence(parts, r.fields<FlatSequence>().split, a.last, t));
}

inline void Program::updateLeaf(FlatRecord r, float t) {
  const ActionKind kind = r.header().kind;
  // Moves and turns inline: they are what most trees of a large scene run.
  if (kind <= ActionKind::MoveTo) {
    FlatMove& m = r.fields<FlatMove>();
    MoveBy::moveTarget(target, m.delta, m.start, m.previous, t);
  } else if (kind == ActionKind::RotateBy) {
    const FlatTurn& turn = r.fields<FlatTurn>();
    target->setRotation(turn.start + turn.angle * t);
  } else {
    updateOtherLeaf(r, t);
  }
}

void Program::updateOtherLeaf(FlatRecord r, float t) {
  switch (r.header().kind) {
    case ActionKind::ScaleTo: {
      const FlatScale& s = r.fields<FlatScale>();
      target->setScaleX(s.startX + s.deltaX * t);
      target->setScaleY(s.startY + s.deltaY * t);
      return;
    }
    case ActionKind::FadeTo: {
      const FlatFade& f = r.fields<FlatFade>();
      target->setOpacity(FadeTo::opacityAt(f.from, f.to, t));
      return;
    }
    case ActionKind::TintTo: {
      const FlatTint& tint = r.fields<FlatTint>();
      target->setColor(TintTo::colorAt(tint.from, tint.to, t));
      return;
    }
    default:
      return;
  }
}

void Program::stop(int i) {
  FlatHeader& a = header(i);
  // As the objects stop: a sequence its running part, a spawn both; an endless repeat only
  // itself.
  if (a.kind == ActionKind::Sequence && a.last != -1) stop(part(i, a.last));
  if (a.kind == ActionKind::Spawn) {
    stop(part(i, 0));
    stop(part(i, 1));
  }
  a.flags &= static_cast<uint8_t>(~FlatHeader::kBound);
}

}  // namespace

void startFlatAction(FlatWord* program, Node* target) { Program{program, target}.start(0); }

bool stepFlatActionWhole(FlatWord* program, Node* target, float dt) {
  Program whole{program, target};
  whole.step(0, dt);
  return whole.isDone(0);
}

void updateFlatRecord(FlatWord* record, Node* target, float t) {
  Program{record, target}.apply(0, t);
}

void stopFlatAction(FlatWord* program) { Program{program, nullptr}.stop(0); }

}  // namespace engine
