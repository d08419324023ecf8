#pragma once
// The one place where a received message is judged before any handler sees it: its id must be in
// the catalogue for the receiving side, under its own category, it must hold at least what the row
// reads (a count is checked against the length in 64-bit arithmetic; bytes past it are not read), its floats must be finite and an
// entity record must be one an entity can be made from. Everything else is the handlers' to judge
// (which peer a peer byte may name, which cell is on the map).

#include <cstdint>
#include <span>

#include "net/wire/wire_catalogue.h"

namespace wire {

enum class Refusal : uint8_t {
  None,
  NoHeader,       // fewer than two bytes
  UnknownId,      // no such message
  WrongCategory,  // the id belongs to another category
  WrongDirection, // a message the other side receives
  WrongLength,    // shorter than the row and its counts ask for
  NotFinite,      // a float field is NaN or infinite
  BadRecord,      // an entity record no entity can be made from
};

struct Checked {
  const MessageSpec* spec = nullptr;  // null when refused
  Refusal refusal = Refusal::None;
  // The part of an accepted message its row reads: a message longer than its layout is read up
  // to its layout, and what a receiver forwards is that part.
  std::span<const uint8_t> bytes;
  bool accepted() const { return spec != nullptr; }
};

Checked checkIncoming(std::span<const uint8_t> message, Side receiver);

const char* refusalName(Refusal refusal);

}  // namespace wire
