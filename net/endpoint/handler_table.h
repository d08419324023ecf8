#pragma once
// A side's handlers of a group of messages, found by the message's id. Each row names its message
// by the catalogue's enum (wire_messages.h) and a small handler; one receiving side never has two
// rows of one id (where an id has two rows, they go opposite ways), and a table that gave an id
// two handlers does not compile. Built once, as a constant, with an entry for every id.
//
//   static constexpr HandlerTable<Handler> kHandlers{
//       {wire::PlayerMsg::Look, &NetClient::look},
//       {wire::PlayerMsg::Death, &NetClient::death},
//   };
//   if (const Handler handle = kHandlers.find(in.spec().id)) (this->*handle)(in);

#include <array>
#include <cstdint>
#include <initializer_list>

#include "net/wire/wire_messages.h"

template <class Handler>
class HandlerTable {
 public:
  struct Row {
    template <wire::MessageId E>
    constexpr Row(E message, Handler handler) : id(wire::idOf(message)), handle(handler) {}
    uint8_t id;
    Handler handle;
  };

  constexpr HandlerTable(std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
      if (byId_[row.id] != nullptr) throw "two handlers for one id";  // stops the constant's build
      byId_[row.id] = row.handle;
    }
  }

  // Null for an id the table has no handler for.
  constexpr Handler find(uint8_t id) const { return byId_[id]; }

 private:
  std::array<Handler, 256> byId_{};
};
