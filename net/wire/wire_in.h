#pragma once
// Reads one received message that passed the catalogue's check (wire_check.h), field by field in
// its row's order, the counterpart of WireOut. The check has already refused a message too short
// for its row, a count that does not fit the length and a float that is not finite, so a handler
// reads without testing each field. Texts are read with their bound and end at their first zero.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "engine/io/byte_reader.h"
#include "net/wire/wire_catalogue.h"
#include "net/wire/wire_fields.h"
#include "net/wire/wire_layout.h"

class Item;
struct BlockEdit;
struct EntityRecord;

namespace wire {

class WireIn {
 public:
  // `bytes` is the whole message, header included.
  WireIn(const MessageSpec& spec, std::span<const uint8_t> bytes);

  uint8_t u8();
  int8_t i8() { return static_cast<int8_t>(u8()); }
  uint16_t u16();
  uint32_t u32();
  int32_t i32() { return static_cast<int32_t>(u32()); }
  uint64_t u64();
  float f32();
  double f64();
  // The next `count` bytes of an 'x' run.
  std::span<const uint8_t> raw(size_t count);
  // Everything after the fixed part, for a message with a raw tail.
  std::span<const uint8_t> rest();
  uint8_t peer();
  uint8_t otherPeer();
  Cell cell();
  Point point();
  // The item as it came (id 0xFFFF: no item); `itemFromWire` makes a pooled one of it.
  Item item();
  std::string name();
  std::string chat();
  std::string signText();
  BlockEdit blockEdit();
  // None when the record is not one an entity can be made from.
  std::optional<EntityRecord> entityRecord();
  uint32_t count();

  const MessageSpec& spec() const { return spec_; }
  // The whole message as received, header included (what the host forwards).
  std::span<const uint8_t> bytes() const { return bytes_; }
  bool ok() const { return in_.ok(); }

 private:
  void expect(char code);
  std::string text(char code, size_t width);

  const MessageSpec& spec_;
  std::span<const uint8_t> bytes_;
  LayoutCursor cursor_;
  char tail_;
  engine::ByteReader in_;
};

// A pooled copy of a received item, made fit to use as an item read from a file is (count,
// variant, durability in range); none for no item and for an id past the content's items.
PooledItem itemFromWire(const Item& received);
PooledItem itemFromWire(WireIn& in);

}  // namespace wire
