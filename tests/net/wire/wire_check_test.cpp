// The catalogue's check: every message the other side builds passes it whole, and truncated,
// oversized, misdirected and corrupted copies are refused before any handler would see them.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "net/wire/wire_catalogue.h"
#include "net/wire/wire_check.h"
#include "net/wire/wire_layout.h"
#include "tests/net/net_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;
using wire::Refusal;
using wire::Side;

// The sides that receive a row's messages.
std::vector<Side> receivers(const wire::MessageSpec& spec) {
  std::vector<Side> sides;
  if (spec.receivedBy(Side::Host)) sides.push_back(Side::Host);
  if (spec.receivedBy(Side::Client)) sides.push_back(Side::Client);
  return sides;
}

Refusal refusalOf(const Bytes& message, Side side) {
  return wire::checkIncoming(message, side).refusal;
}

void putFloat(Bytes& message, size_t at, float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  for (size_t i = 0; i < 4; ++i) message[at + i] = static_cast<uint8_t>(bits >> (8 * i));
}

}  // namespace

TEST(WireCheck, EveryCatalogueMessagePassesWholeAndReadsBackOnItsReceivingSide) {
  for (const wire::MessageSpec& spec : wire::catalogue()) {
    SCOPED_TRACE(spec.name);
    const Bytes message = nettest::sampleMessage(spec, 5);
    for (Side side : receivers(spec)) {
      const wire::Checked checked = wire::checkIncoming(message, side);
      ASSERT_TRUE(checked.accepted()) << wire::refusalName(checked.refusal);
      EXPECT_EQ(checked.spec, &spec);
      EXPECT_TRUE(nettest::readWhole(spec, message));
    }
  }
}

TEST(WireCheck, EveryTruncationOfEveryMessageIsRefused) {
  for (const wire::MessageSpec& spec : wire::catalogue()) {
    SCOPED_TRACE(spec.name);
    const Bytes message = nettest::sampleMessage(spec, 9);
    const bool rawTail = wire::tailElement(spec.layout) == '\0' &&
                         wire::countField(spec.layout).width == 0;
    const size_t shortest = rawTail ? spec.size : message.size();
    for (Side side : receivers(spec)) {
      for (size_t cut = 0; cut < shortest; ++cut) {
        const Bytes truncated(message.begin(), message.begin() + static_cast<long>(cut));
        EXPECT_FALSE(wire::checkIncoming(truncated, side).accepted()) << "cut at " << cut;
      }
    }
  }
}

TEST(WireCheck, AFixedOrCountedMessageWithBytesToSpareIsReadUpToItsLayout) {
  for (const wire::MessageSpec& spec : wire::catalogue()) {
    const bool rawTail = wire::tailElement(spec.layout) == '\0' &&
                         wire::countField(spec.layout).width == 0;
    if (rawTail) continue;
    SCOPED_TRACE(spec.name);
    const Bytes sample = nettest::sampleMessage(spec, 2);
    Bytes oversized = sample;
    oversized.insert(oversized.end(), {0xFF, 0, 7});
    for (Side side : receivers(spec)) {
      const wire::Checked checked = wire::checkIncoming(oversized, side);
      ASSERT_TRUE(checked.accepted());
      EXPECT_EQ(Bytes(checked.bytes.begin(), checked.bytes.end()), sample) << "the spare bytes are not read";
    }
  }
}

TEST(WireCheck, DamagedMessagesAreRefusedForTheirReason) {
  struct Damage {
    const char* what;
    Side receiver;
    Bytes message;
    Refusal expected;
  };
  Bytes nanPoint = nettest::sampleMessage(*wire::incoming(57, Side::Client), 1);
  putFloat(nanPoint, 3, std::numeric_limits<float>::quiet_NaN());
  Bytes infiniteDamage = nettest::sampleMessage(*wire::incoming(39, Side::Host), 1);
  putFloat(infiniteDamage, 2, std::numeric_limits<float>::infinity());
  Bytes liquidCells = nettest::sampleMessage(*wire::incoming(61, Side::Client), 1);
  liquidCells[2] = 0xFF;  // announces 65535 cells in a message of three
  liquidCells[3] = 0xFF;
  Bytes worldPiece = nettest::sampleMessage(*wire::incoming(71, Side::Client), 1);
  worldPiece[2] = worldPiece[3] = worldPiece[4] = worldPiece[5] = 0xFF;  // 4 GiB piece
  Bytes record = nettest::sampleMessage(*wire::incoming(77, Side::Client), 1);
  record[54] = 42;  // no such entity kind
  Bytes category = nettest::sampleMessage(*wire::incoming(2, Side::Host), 1);
  category[0] = 7;

  const Damage table[] = {
      {"empty", Side::Host, {}, Refusal::NoHeader},
      {"one byte", Side::Client, {0}, Refusal::NoHeader},
      {"unused id 8", Side::Host, {0, 8, 0, 0}, Refusal::UnknownId},
      {"unused id 255", Side::Client, {15, 255}, Refusal::UnknownId},
      {"hello under another category", Side::Host, category, Refusal::WrongCategory},
      {"admission sent to the host", Side::Host, {0, 3, 1, 0}, Refusal::WrongDirection},
      {"world request sent to a client", Side::Client, {0, 9, 0, 0}, Refusal::WrongDirection},
      {"point with NaN", Side::Client, nanPoint, Refusal::NotFinite},
      {"infinite damage", Side::Host, infiniteDamage, Refusal::NotFinite},
      {"count past the length", Side::Client, liquidCells, Refusal::WrongLength},
      {"u32 count that would wrap", Side::Client, worldPiece, Refusal::WrongLength},
      {"entity of no kind", Side::Client, record, Refusal::BadRecord},
  };
  for (const Damage& damage : table) {
    EXPECT_EQ(refusalOf(damage.message, damage.receiver), damage.expected) << damage.what;
  }
}

TEST(WireCheck, TheTwoWaysOfAnIdAreTakenAsTheirOwnLayouts) {
  EXPECT_TRUE(wire::checkIncoming(Bytes{2, 15}, Side::Host).accepted());  // respawn request
  EXPECT_EQ(refusalOf(Bytes{2, 15}, Side::Client), Refusal::WrongLength);
  EXPECT_TRUE(wire::checkIncoming(Bytes{2, 15, 1, 2, 0, 3, 0}, Side::Client).accepted());
}

TEST(WireCheck, EveryByteOfEveryMessageCanBeFlippedWithoutHarm) {
  for (const wire::MessageSpec& spec : wire::catalogue()) {
    const Bytes message = nettest::sampleMessage(spec, 3);
    for (Side side : receivers(spec)) {
      for (size_t at = 0; at < message.size(); ++at) {
        Bytes damaged = message;
        damaged[at] ^= 0xFF;
        const wire::Checked checked = wire::checkIncoming(damaged, side);
        if (checked.accepted()) {
          EXPECT_TRUE(nettest::readWhole(*checked.spec, damaged)) << spec.name;
        }
      }
    }
  }
}
