#pragma once
// Builds one message from its catalogue row: the header first, then each field in the row's
// order. Every call names the field it writes and is checked against the layout, so a sender
// cannot write what the receiver does not read (asserted: a mismatch is a programming error).
//
//   wire::WireOut out(wire::outgoing(wire::ConnectionMsg::Hello, wire::Side::Client));
//   out.peer(0).name(localName).u32(wire::kProtocolVersion);
//   bridge.send(out.data(), out.size());

#include <cstdint>
#include <span>
#include <string_view>

#include "engine/io/byte_writer.h"
#include "net/wire/wire_catalogue.h"
#include "net/wire/wire_layout.h"

class Item;
struct BlockEdit;
struct EntityRecord;

namespace wire {

class WireOut {
 public:
  explicit WireOut(const MessageSpec& spec);

  WireOut& u8(uint8_t value);
  WireOut& u16(uint16_t value);
  WireOut& u32(uint32_t value);
  WireOut& u64(uint64_t value);
  WireOut& f32(float value);
  WireOut& f64(double value);
  // `count` raw bytes of an 'x' run, or of a raw tail.
  WireOut& raw(std::span<const uint8_t> bytes);
  WireOut& peer(uint8_t id);
  // Another player a client names (a trade's asking player).
  WireOut& otherPeer(uint8_t id);
  WireOut& cell(uint16_t column, uint16_t row);
  WireOut& point(float x, float y);
  // Null writes no item (id 0xFFFF, the rest zero).
  WireOut& item(const Item* item);
  WireOut& name(std::string_view text);
  WireOut& chat(std::string_view text);
  WireOut& signText(std::string_view text);
  WireOut& blockEdit(const BlockEdit& edit);
  WireOut& entityRecord(const EntityRecord& record);
  // The count field; exactly that many tail elements must follow.
  WireOut& count(uint32_t elements);

  // The whole message; the layout must be complete.
  const uint8_t* data() const;
  uint32_t size() const;
  std::span<const uint8_t> bytes() const { return {data(), size()}; }
  const MessageSpec& spec() const { return spec_; }
  bool complete() const;

 private:
  // Checks that the next field is `code` and moves past it.
  void expect(char code);
  void text(char code, size_t width, std::string_view value);

  const MessageSpec& spec_;
  LayoutCursor cursor_;
  char tail_;
  uint32_t tailLeft_ = 0;
  engine::ByteWriter out_;
};

// A message built from its catalogue row, as the host or a client sends it.
template <MessageId E>
WireOut hostMessage(E id) {
  return WireOut(outgoing(id, Side::Host));
}
template <MessageId E>
WireOut clientMessage(E id) {
  return WireOut(outgoing(id, Side::Client));
}

}  // namespace wire
