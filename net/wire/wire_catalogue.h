#pragma once
// Every message host and clients exchange, as data: its category, id, direction, size and layout
// (wire_layout.h). Both sides read this one table: a sender builds a message from its row, and a
// receiver's check (wire_check.h) refuses, before any handler runs, a message whose row does not
// exist, whose direction is not towards the receiver, or whose length or fields do not fit it.
//
// Ids are unique across categories; an id has two rows only where the two directions carry
// different layouts (15 and 53 from a client and from the host).

#include <cstddef>
#include <cstdint>
#include <span>

#include "net/wire/wire_messages.h"

namespace wire {

enum class Side : uint8_t { Host, Client };
enum class Direction : uint8_t { ToHost, ToClient, Both };

struct MessageSpec {
  uint8_t category;
  uint8_t id;
  Direction direction;
  uint16_t size;       // the fixed part, header included
  const char* layout;  // field codes of the payload
  const char* name;    // for logs and test names

  // Whether this is the row of that message (of the row's direction: an id with two rows has a
  // name for each).
  template <MessageId E>
  constexpr bool is(E message) const {
    return category == categoryOf(message) && id == idOf(message);
  }

  // The row's id as the enum of its category; the caller knows the category (a category's handler).
  template <MessageId E>
  constexpr E as() const {
    return static_cast<E>(id);
  }

  bool receivedBy(Side side) const {
    return direction == Direction::Both ||
           (side == Side::Host ? direction == Direction::ToHost : direction == Direction::ToClient);
  }
};

// Every row, ordered by category and id.
std::span<const MessageSpec> catalogue();

// The row a receiver on `side` checks a message of this id against; null when the id is not
// sent towards that side.
const MessageSpec* incoming(uint8_t id, Side side);
// The row a sender on `side` builds a message of this id from; it must exist (asserted).
const MessageSpec& outgoing(uint8_t id, Side side);
template <MessageId E>
const MessageSpec& outgoing(E id, Side side) {
  return outgoing(idOf(id), side);
}

constexpr Side otherSide(Side side) { return side == Side::Host ? Side::Client : Side::Host; }

}  // namespace wire
