#pragma once
// The layouts of a compiled tree's records (flat_action.h), each as small as its kind's running
// state allows: every frame reads a large scene's records once per node, so each word saved is
// memory not fetched. A record is a one-word header, then a clock (duration and elapsed time)
// where the record is stepped, then its kind's own fields. Only the tree's root and an endless
// repeat's inner action are stepped (and a repeat has no time of its own); every other part is
// handed its progress by its parent, and what the parent needs of a part's duration is fixed
// when the tree is compiled. A composite's first part follows it directly; its header says where
// its second starts.

#include <array>
#include <cstdint>
#include <cstring>

#include "engine/base/geometry.h"
#include "engine/scene/action.h"
#include "engine/scene/flat_action.h"

namespace engine {

class FadeTo;

struct FlatHeader {
  static constexpr uint8_t kFirstTick = 1;  // the next step drops its dt and applies t = 0
  static constexpr uint8_t kBound = 2;      // started and not stopped since: a leaf applies only then
  static constexpr uint8_t kClock = 4;      // stepped: a clock follows the header
  // Not stepped, and done from its start on (a negative duration): what an unstepped part's
  // elapsed time of 0 against its duration always gives.
  static constexpr uint8_t kDoneUnstepped = 8;
  // The upper four bits hold the record's own words, where a composite's first part starts: set
  // when the tree is compiled, so that a walk finds a part with one shift.
  static constexpr int kSizeShift = 4;

  ActionKind kind;
  uint8_t flags;
  int8_t last;     // a sequence's part updated last; -1 before any
  uint8_t second;  // a composite's second part, in words from this record
};

struct FlatClock {
  float duration;
  float elapsed;
};

struct FlatSequence {
  float split;  // the first part's share of the whole duration
};

// MoveBy and MoveTo; a MoveTo's end follows (FlatMoveTo).
struct FlatMove {
  Vec2 delta;
  Vec2 start;
  Vec2 previous;
};

struct FlatMoveTo {
  FlatMove move;
  Vec2 end;
};

struct FlatTurn {
  float angle;
  float start;
};

struct FlatScale {
  float startX, startY, endX, endY, deltaX, deltaY;
};

// A fade starts through its action, whose start differs by class (a FadeIn may end where the
// fade it reverses began); the action is held by the tree the program was compiled from. Its
// address is kept as bytes, since records start on words only.
struct FlatFade {
  unsigned char action[sizeof(FadeTo*)];
  uint8_t from;
  uint8_t to;

  FadeTo* fade() const {
    FadeTo* pointer = nullptr;
    std::memcpy(&pointer, action, sizeof pointer);
    return pointer;
  }
  void setFade(FadeTo* pointer) { std::memcpy(action, &pointer, sizeof pointer); }
};

struct FlatTint {
  Color3B from;
  Color3B to;
};

constexpr int8_t flatWords(size_t bytes) {
  return static_cast<int8_t>((bytes + sizeof(FlatWord) - 1) / sizeof(FlatWord));
}

// The words of each kind's own fields, after the header and any clock, in ActionKind's order; -1
// for a kind that is not compiled.
inline constexpr std::array<int8_t, 11> kFlatFieldWords = {
    -1,                                // Other
    0,                                 // RepeatForever
    flatWords(sizeof(FlatSequence)),  // Sequence
    0,                                 // Spawn
    flatWords(sizeof(FlatMove)),      // MoveBy
    flatWords(sizeof(FlatMoveTo)),    // MoveTo
    flatWords(sizeof(FlatTurn)),      // RotateBy
    flatWords(sizeof(FlatScale)),     // ScaleTo
    flatWords(sizeof(FlatFade)),      // FadeTo
    flatWords(sizeof(FlatTint)),      // TintTo
    0,                                 // Delay
};
static_assert(static_cast<size_t>(ActionKind::Delay) + 1 == kFlatFieldWords.size() &&
                  static_cast<size_t>(ActionKind::Sequence) == 2 &&
                  static_cast<size_t>(ActionKind::TintTo) == 9,
              "the table follows ActionKind");

constexpr int flatFieldWords(ActionKind kind) { return kFlatFieldWords[static_cast<size_t>(kind)]; }

static_assert(1 + flatWords(sizeof(FlatClock)) + flatWords(sizeof(FlatMoveTo)) <
                  (1 << (8 - FlatHeader::kSizeShift)) &&
                  FlatHeader::kDoneUnstepped < (1 << FlatHeader::kSizeShift),
              "a record's own words fit the flags' upper bits");
static_assert(sizeof(FlatHeader) == sizeof(FlatWord) && alignof(FlatMoveTo) <= alignof(FlatWord) &&
                  alignof(FlatFade) <= alignof(FlatWord),
              "every record starts on a word, and so do its clock and fields");

// The record at `word`, read through its layouts. Its reads are always inlined: a step inlines
// the reads of many records, and once a function grows GCC would take some of these one-line
// reads out of line, a call each.
class FlatRecord {
 public:
  explicit FlatRecord(FlatWord* word) : word_(word) {}

  [[gnu::always_inline]] FlatHeader& header() const {
    return *reinterpret_cast<FlatHeader*>(word_);
  }
  // Only for a record with kClock.
  [[gnu::always_inline]] FlatClock& clock() const {
    return *reinterpret_cast<FlatClock*>(word_ + 1);
  }
  template <typename Fields>
  [[gnu::always_inline]] Fields& fields() const {
    return *reinterpret_cast<Fields*>(word_ + fieldsOffset());
  }
  // The words from this record's start to its first part (the end of its own words).
  [[gnu::always_inline]] int size() const { return header().flags >> FlatHeader::kSizeShift; }
  // A composite's part 0 or 1, in words from this record: the first right after it, the second
  // where its header says.
  [[gnu::always_inline]] int partOffset(int index) const {
    return index == 0 ? size() : header().second;
  }
  // The same as size() for a header being compiled, from its kind and its flags below kSizeShift.
  static int sizeOf(const FlatHeader& header) {
    return fieldsOffset(header.flags) + flatFieldWords(header.kind);
  }

 private:
  [[gnu::always_inline]] int fieldsOffset() const { return fieldsOffset(header().flags); }
  [[gnu::always_inline]] static int fieldsOffset(uint8_t flags) {
    static_assert(FlatHeader::kClock >> 1 == flatWords(sizeof(FlatClock)), "the clock's words");
    return 1 + ((flags & FlatHeader::kClock) >> 1);
  }

  FlatWord* word_;
};

}  // namespace engine
