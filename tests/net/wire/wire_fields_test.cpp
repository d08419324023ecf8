// The shared field forms, byte for byte as they cross the wire, each written by the sender's
// writer and read back by the receiver's reader over the same catalogue row.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "entities/core/entity_record.h"
#include "net/wire/wire_check.h"
#include "net/wire/wire_in.h"
#include "net/wire/wire_out.h"
#include "tests/net/net_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes bytesOf(const wire::WireOut& out) { return Bytes(out.data(), out.data() + out.size()); }

Bytes payloadOf(const wire::WireOut& out, size_t offset, size_t width) {
  const Bytes all = bytesOf(out);
  return Bytes(all.begin() + static_cast<long>(offset), all.begin() + static_cast<long>(offset + width));
}

Bytes zeros(size_t count) { return Bytes(count, 0); }

// [2][31] carries exactly one item.
wire::WireOut itemMessage(const Item* item) {
  wire::WireOut out(wire::outgoing(31, wire::Side::Client));
  out.item(item);
  return out;
}

}  // namespace

TEST(WireFields, AnItemIsElevenBytesInTheItemsOwnOrder) {
  const Item item(0x0123, 0, 5, 0, 0xAABBCC07u);
  Item worn = item;
  worn.durability = 0x0304;
  worn.variant = 2;
  const wire::WireOut out = itemMessage(&worn);
  EXPECT_EQ(payloadOf(out, 2, 11),
            (Bytes{0x07, 0xCC, 0xBB, 0xAA, 0x23, 0x01, 0x05, 0x00, 0x04, 0x03, 0x02}));
  EXPECT_EQ(out.size(), 13u);
}

TEST(WireFields, NoItemIsIdFFFFAndDecodesToNothingWhateverTheRestHolds) {
  EXPECT_EQ(payloadOf(itemMessage(nullptr), 2, 11),
            (Bytes{0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0}));
  const Bytes junk{2, 31, 0x11, 0x22, 0x33, 0x44, 0xFF, 0xFF, 0x09, 0x00, 0x05, 0x00, 0x07};
  wire::WireIn in(wire::outgoing(31, wire::Side::Client), junk);
  EXPECT_EQ(wire::itemFromWire(in), nullptr);
}

TEST(WireFields, AReceivedItemComesFromThePoolWithItsFields) {
  const Bytes bytes{2, 31, 0x01, 0, 0, 0, 0x09, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00};
  wire::WireIn in(wire::outgoing(31, wire::Side::Client), bytes);
  wire::PooledItem item = wire::itemFromWire(in);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->id, 9);
  EXPECT_EQ(item->word, 1u);
  EXPECT_GE(item->count, 1);
}

TEST(WireFields, AReceivedItemWhoseIdTheContentDoesNotDefineIsNoItem) {
  for (const uint16_t id : {uint16_t{4096}, uint16_t{0x8000}, uint16_t{0xFFFE}}) {
    const Bytes bytes{2, 31, 0, 0, 0, 0, static_cast<uint8_t>(id & 0xFF), static_cast<uint8_t>(id >> 8), 1, 0, 0, 0, 0};
    wire::WireIn in(wire::outgoing(31, wire::Side::Client), bytes);
    EXPECT_EQ(wire::itemFromWire(in), nullptr) << id;
  }
}

TEST(WireFields, NamesAndChatAreCutToTheirWidthAndZeroFilled) {
  struct Case {
    uint8_t id;
    size_t width;
  };
  for (const Case c : {Case{43, 96}, Case{112, 32}}) {
    SCOPED_TRACE(c.id);
    const std::string longText(c.width + 10, 'a');
    wire::WireOut shortOut(wire::outgoing(c.id, wire::Side::Host));
    wire::WireOut longOut(wire::outgoing(c.id, wire::Side::Host));
    if (c.id == 43) {
      shortOut.peer(1).chat("hi");
      longOut.peer(1).chat(longText);
    } else {
      shortOut.peer(1).peer(2).name("hi");
      longOut.peer(1).peer(2).name(longText);
    }
    const size_t at = c.id == 43 ? 3 : 4;
    Bytes expected = zeros(c.width);
    expected[0] = 'h';
    expected[1] = 'i';
    EXPECT_EQ(payloadOf(shortOut, at, c.width), expected);
    EXPECT_EQ(payloadOf(longOut, at, c.width), Bytes(c.width, 'a'));
    EXPECT_EQ(longOut.size(), at + c.width);
  }
}

TEST(WireFields, ATextThatFillsItsWholeFieldIsReadWithinItsBound) {
  Bytes hello{0, 2, 3};
  hello.insert(hello.end(), 32, 'z');  // no terminating zero
  hello.insert(hello.end(), {0x30, 0x75, 0, 0});
  const wire::Checked checked = wire::checkIncoming(hello, wire::Side::Host);
  ASSERT_TRUE(checked.accepted());
  wire::WireIn in(*checked.spec, hello);
  EXPECT_EQ(in.peer(), 3);
  EXPECT_EQ(in.name(), std::string(32, 'z'));
  EXPECT_EQ(in.u32(), 30000u);
}

TEST(WireFields, CellPeerAndPointAreLittleEndian) {
  wire::WireOut out(wire::outgoing(57, wire::Side::Host));  // [2][57]: peer, point
  out.peer(7).point(1.0f, -2.0f);
  EXPECT_EQ(bytesOf(out), (Bytes{2, 57, 7, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0xC0}));

  wire::WireOut cell(wire::outgoing(88, wire::Side::Host));  // [5][88]: cell
  cell.cell(0x1234, 0x0456);
  EXPECT_EQ(bytesOf(cell), (Bytes{5, 88, 0x34, 0x12, 0x56, 0x04}));
  const Bytes sent = bytesOf(cell);
  wire::WireIn in(cell.spec(), sent);
  EXPECT_EQ(in.cell(), (wire::Cell{0x1234, 0x0456}));
}

TEST(WireFields, ABlockEditIsItsSixteenBytesWithTheUntouchedOnesCarried) {
  BlockEdit edit;
  edit.kind = 3;
  edit.x = 0x0102;
  edit.y = 0x0304;
  edit.takeHeld = 1;
  edit.blockId = 0x0506;
  edit.slot = 0x07;
  edit.state = 0x08;
  edit.variant = 0x09;
  edit.layer = 1;
  edit.extra = 0x0A;
  wire::WireOut out(wire::outgoing(60, wire::Side::Host));
  out.u8(0).blockEdit(edit);
  const Bytes expected{3, 0, 0x02, 0x01, 0x04, 0x03, 1, 0, 0x06, 0x05, 0x07, 0x08, 0x09, 1, 0x0A, 0};
  EXPECT_EQ(payloadOf(out, 3, 16), expected);
  const Bytes sent = bytesOf(out);
  wire::WireIn in(out.spec(), sent);
  in.u8();
  const BlockEdit back = in.blockEdit();
  EXPECT_EQ(back.x, edit.x);
  EXPECT_EQ(back.blockId, edit.blockId);
  EXPECT_EQ(back.layer, edit.layer);
}

TEST(WireFields, AnEntityRecordIsItsOwnSixtyTwoBytes) {
  const EntityRecord record = nettest::sampleRecord(4);
  wire::WireOut out(wire::outgoing(77, wire::Side::Host));
  out.entityRecord(record);
  const auto own = record.encode();
  EXPECT_EQ(bytesOf(out), Bytes(own.begin(), own.end()));
  const Bytes sent = bytesOf(out);
  wire::WireIn in(out.spec(), sent);
  const std::optional<EntityRecord> back = in.entityRecord();
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->entityId, record.entityId);
  EXPECT_EQ(back->state.x, record.state.x);
}

TEST(WireFields, DoublesTravelAsTheirBits) {
  wire::WireOut out(wire::outgoing(20, wire::Side::Client));
  out.peer(0).raw(Bytes(16, 0)).f64(0.5).u32(9);
  EXPECT_EQ(payloadOf(out, 19, 8), (Bytes{0, 0, 0, 0, 0, 0, 0xE0, 0x3F}));
  const Bytes sent = bytesOf(out);
  wire::WireIn in(out.spec(), sent);
  in.peer();
  in.raw(16);
  EXPECT_EQ(in.f64(), 0.5);
}
