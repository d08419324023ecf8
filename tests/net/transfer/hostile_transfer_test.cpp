// A host that sends a world no client can complete, or sends its parts out of place: the client
// refuses what is out of place and changes nothing, and ends the join with a clear reason when
// the world cannot be completed. Run under the sanitizers: nothing here may read or write past
// a buffer, whatever the host announced.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/io/byte_writer.h"
#include "net/endpoint/connection_lost.h"
#include "net/endpoint/net_client.h"
#include "net/transfer/raw_cell_column.h"
#include "net/transfer/world_header.h"
#include "net/transfer/world_packing.h"
#include "net/transfer/world_pieces.h"
#include "net/wire/wire_messages.h"
#include "saves/container/gzip_buffer.h"
#include "tests/net/net_test_support.h"
#include "world/circuits/circuit_system.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"
#include "world/time/day_clock.h"
#include "world/world.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint16_t kWidth = 512;
constexpr uint16_t kHeight = 128;

Bytes bytesOf(const wire::WireOut& out) { return Bytes(out.data(), out.data() + out.size()); }
wire::WireOut hostMessage(uint8_t id) { return wire::WireOut(wire::outgoing(id, wire::Side::Host)); }

WorldHeader headerOf(uint32_t compressedLength) {
  WorldHeader header;
  header.width = kWidth;
  header.height = kHeight;
  header.player = {30, 40, 31, 41};
  header.clockTicks = 70'000;
  header.compressedLength = compressedLength;
  return header;
}

Bytes piece(std::span<const uint8_t> bytes) {
  wire::WireOut out = hostMessage(wire::idOf(wire::WorldDataMsg::WorldPiece));
  out.count(static_cast<uint32_t>(bytes.size())).raw(bytes);
  return bytesOf(out);
}

Bytes column(uint16_t x, std::span<const uint8_t> stream) {
  wire::WireOut out = hostMessage(wire::idOf(wire::WorldDataMsg::WorldColumn));
  out.u16(x).raw(stream);
  return bytesOf(out);
}

Bytes stream(uint8_t id, std::span<const uint8_t> bytes) {
  wire::WireOut out = hostMessage(id);
  out.raw(bytes);
  return bytesOf(out);
}

Bytes gzipOf(std::span<const uint8_t> bytes) { return *gzipCompress(bytes); }

// The compressed cells of an empty world of the test's size, as a host would send them.
Bytes packedWorldStream() {
  WorldParams params;
  std::unique_ptr<World> world = World::create(nullptr, params, kWidth, kHeight);
  world->map().cell(3, 5).front = 0x8007;  // something to tell it from an empty one
  WorldPacking packing;
  takeWorldPacking(packing, *world, CellsForm::Compressed);
  EXPECT_TRUE(packWorld(packing));
  return packing.cellBytes;
}

class HostileTransfer : public ::testing::Test {
 protected:
  void SetUp() override { client.transportOpened(); }  // said hello: waits for the world

  void feed(const Bytes& message) { client.onPacket(message.data(), static_cast<uint32_t>(message.size()), 0); }
  void feed(const wire::WireOut& message) { feed(bytesOf(message)); }
  void feedPieces(const Bytes& stream) {
    uint64_t start = 0;
    for (uint64_t end : pieceEnds(stream.size())) {
      feed(piece({stream.data() + start, end - start}));
      start = end;
    }
  }
  // A world received whole.
  void completeWorldBeforeEntering() {
    const Bytes cells = packedWorldStream();
    feed(worldHeaderMessage(headerOf(static_cast<uint32_t>(cells.size()))));
    feedPieces(cells);
    ASSERT_EQ(client.state(), NetClient::kWorldReceived);
  }
  // ... and the client in it.
  void completeWorld() {
    completeWorldBeforeEntering();
    client.enterWorld(100, 100);
    ASSERT_EQ(client.state(), NetClient::kInGame);
  }

  void expectJoinEnded(const char* why) {
    EXPECT_TRUE(client.isShutDown()) << why;
    EXPECT_EQ(notices.lostTexts, (std::vector<std::string>{connectionLostText(lost_reason::kWorldUnreadable)})) << why;
    EXPECT_EQ(client.worldReceiver().failure(), why);
  }
  void expectRefused(uint32_t count) {
    EXPECT_FALSE(client.isShutDown());
    EXPECT_TRUE(notices.lostTexts.empty());
    EXPECT_EQ(client.worldReceiver().refusedCount(), count);
  }

  nettest::RecordingNotices notices;
  NetClient client{"Ann", &notices};
};

TEST_F(HostileTransfer, AHeaderOfAHugeSizeBuildsNoWorld) {
  WorldHeader header = headerOf(0);
  header.width = 0xFFFF;
  header.height = 0xFFFF;
  feed(worldHeaderMessage(header));
  EXPECT_EQ(client.worldReceiver().world(), nullptr);
  expectJoinEnded("a size no world has");
}

TEST_F(HostileTransfer, AnAnnouncedLengthPastWhatTheCellsDeflateToBuildsNoWorld) {
  feed(worldHeaderMessage(headerOf(static_cast<uint32_t>(compressedCellsBound(kWidth, kHeight) + 1))));
  EXPECT_EQ(client.worldReceiver().world(), nullptr);
  expectJoinEnded("a compressed length past what the cells deflate to");
}

TEST_F(HostileTransfer, AnAnnouncedLengthAtTheBoundIsAWorld) {
  feed(worldHeaderMessage(headerOf(static_cast<uint32_t>(compressedCellsBound(kWidth, kHeight)))));
  ASSERT_NE(client.worldReceiver().world(), nullptr);
  EXPECT_EQ(client.worldReceiver().world()->map().width(), kWidth);
  expectRefused(0);
}

TEST_F(HostileTransfer, HeadersWithCellsOffTheMapOrNoSuchPhaseBuildNoWorld) {
  struct Case {
    void (*damage)(WorldHeader&);
    const char* why;
  };
  const Case cases[] = {
      {[](WorldHeader& h) { h.player.spawnX = kWidth; }, "a spawn cell off the map"},
      {[](WorldHeader& h) { h.player.y = kHeight; }, "a player cell off the map"},
      {[](WorldHeader& h) { h.clockPhase = 3; }, "no such day phase"},
  };
  for (const Case& c : cases) {
    WorldHeader header = headerOf(0);
    c.damage(header);
    EXPECT_STREQ(headerFault(header), c.why);
  }
  WorldHeader header = headerOf(0);
  cases[0].damage(header);
  feed(worldHeaderMessage(header));
  expectJoinEnded(cases[0].why);
}

TEST_F(HostileTransfer, PartsBeforeTheHeaderAreRefusedAndChangeNothing) {
  const Bytes cells = packedWorldStream();
  const Bytes empty;
  feed(piece({cells.data(), 10}));
  feed(column(0, empty));
  feed(stream(wire::idOf(wire::WorldDataMsg::SurfaceHeights), empty));
  feed(stream(wire::idOf(wire::WorldDataMsg::ExploredCells), empty));
  feed(hostMessage(wire::idOf(wire::WorldDataMsg::DayClock)).u8(1).u16(5));
  EXPECT_EQ(client.worldReceiver().world(), nullptr);
  expectRefused(5);

  // The world still comes whole once its header does.
  feed(worldHeaderMessage(headerOf(static_cast<uint32_t>(cells.size()))));
  feedPieces(cells);
  EXPECT_EQ(client.state(), NetClient::kWorldReceived);
  EXPECT_EQ(client.worldReceiver().world()->map().cell(3, 5).front, 0x8007);
}

TEST_F(HostileTransfer, APiecePastTheAnnouncedLengthEndsTheJoin) {
  const Bytes cells = packedWorldStream();
  feed(worldHeaderMessage(headerOf(static_cast<uint32_t>(cells.size() - 1))));
  feed(piece(cells));
  expectJoinEnded("a piece past the announced length");
}

TEST_F(HostileTransfer, ADamagedStreamEndsTheJoinWhenItIsComplete) {
  Bytes cells = packedWorldStream();
  for (size_t i = cells.size() / 3; i < cells.size() / 2; ++i) cells[i] ^= 0x5A;
  feed(worldHeaderMessage(headerOf(static_cast<uint32_t>(cells.size()))));
  feedPieces(cells);
  EXPECT_NE(client.state(), NetClient::kWorldReceived);
  expectJoinEnded("the cells' stream is damaged");
}

TEST_F(HostileTransfer, AColumnOffTheMapEndsTheJoin) {
  feed(worldHeaderMessage(headerOf(0)));
  const Bytes cells = gzipOf(Bytes(kHeight * kRawCellBytes, 0));
  feed(column(kWidth, cells));
  expectJoinEnded("a column off the map");
}

TEST_F(HostileTransfer, AColumnShortOrLongOfItsCellsEndsTheJoin) {
  for (size_t cells : {size_t{kHeight} - 1, size_t{kHeight} + 1}) {
    NetClient fresh("Bo", &notices);
    fresh.transportOpened();
    const Bytes header = bytesOf(worldHeaderMessage(headerOf(0)));
    fresh.onPacket(header.data(), static_cast<uint32_t>(header.size()), 0);
    const Bytes bad = column(7, gzipOf(Bytes(cells * kRawCellBytes, 1)));
    fresh.onPacket(bad.data(), static_cast<uint32_t>(bad.size()), 0);
    EXPECT_TRUE(fresh.isShutDown()) << cells;
    EXPECT_EQ(fresh.worldReceiver().failure(), "a column's stream does not hold its cells");
    // The cells of the column were not touched.
    EXPECT_EQ(fresh.worldReceiver().world()->map().cell(7, 0).front, MapBlock().front);
  }
}

TEST_F(HostileTransfer, AColumnTakesItsPositionFromTheMapNotTheWire) {
  feed(worldHeaderMessage(headerOf(0)));
  std::vector<MapBlock> sent(kHeight);
  for (MapBlock& cell : sent) {
    cell.x = 999;
    cell.y = 999;
    cell.back = 0x0042;
  }
  engine::ByteWriter raw;
  writeRawCells(raw, sent);
  feed(column(9, gzipOf(raw.data())));
  const WorldMap& map = client.worldReceiver().world()->map();
  EXPECT_EQ(map.cell(9, 100).x, 9);
  EXPECT_EQ(map.cell(9, 100).y, 100);
  EXPECT_EQ(map.cell(9, 100).back, 0x0042);
  expectRefused(0);
}

TEST_F(HostileTransfer, ASecondHeaderWhileInTheGameIsRefused) {
  completeWorld();
  World* world = client.worldReceiver().world();
  feed(worldHeaderMessage(headerOf(0)));
  EXPECT_EQ(client.worldReceiver().world(), world);
  EXPECT_EQ(client.state(), NetClient::kInGame);
  expectRefused(1);
}

TEST_F(HostileTransfer, CountsPastTheirMessagesLengthAreRefused) {
  completeWorld();
  World& world = *client.worldReceiver().world();
  // Four counts that would wrap a 32-bit length to the five bytes that follow.
  engine::ByteWriter counts;
  counts.u32(0x40000000u);
  counts.u32(1);
  counts.u32(0);
  counts.u32(0);
  wire::WireOut circuits = hostMessage(wire::idOf(wire::WorldChangeMsg::CircuitState));
  circuits.raw(counts.data());
  circuits.raw(Bytes{1, 0, 2, 0, 3});
  feed(circuits);
  EXPECT_TRUE(world.circuits().dirtyCells().empty());
  EXPECT_TRUE(world.circuits().pendingChanges().empty());
  expectRefused(1);
  // A liquid list whose u16 count runs past the message never reaches a handler.
  feed(Bytes{4, 61, 0xFF, 0xFF, 1, 0, 2, 0});
  EXPECT_EQ(client.refusedCount(), 1u);
  EXPECT_TRUE(world.map().liquids().pendingCells().empty());
}

TEST_F(HostileTransfer, TheClockBeforeTheCellsAndARunningStateBeforeTheGameAreRefused) {
  feed(worldHeaderMessage(headerOf(0)));
  feed(hostMessage(wire::idOf(wire::WorldDataMsg::DayClock)).u8(1).u16(5));
  expectRefused(1);
  EXPECT_EQ(client.worldReceiver().world()->dayClock().tickCounter, 70'000u);
}

TEST_F(HostileTransfer, TheLastColumnAloneDoesNotCompleteTheWorld) {
  feed(worldHeaderMessage(headerOf(0)));
  const Bytes cells = gzipOf(Bytes(kHeight * kRawCellBytes, 0));
  feed(column(kWidth - 1, cells));
  feed(column(kWidth - 1, cells));
  EXPECT_EQ(client.state(), NetClient::kHelloSent);
  for (uint16_t x = 0; x + 1 < kWidth; ++x) feed(column(x, cells));
  EXPECT_EQ(client.state(), NetClient::kWorldReceived);
  expectRefused(0);
}

TEST_F(HostileTransfer, TheClockKeepsTheHeadersHighBits) {
  completeWorldBeforeEntering();
  // 70,000 ticks in the header: low 16 bits 4,464; the clock six ticks on.
  feed(hostMessage(wire::idOf(wire::WorldDataMsg::DayClock)).u8(4).u16(4'470));
  EXPECT_EQ(client.worldReceiver().world()->dayClock().tickCounter, 70'006u);
  EXPECT_EQ(client.worldReceiver().world()->dayClock().phase, DayPhase::Night);
  feed(hostMessage(wire::idOf(wire::WorldDataMsg::DayClock)).u8(1).u16(9));  // only once
  EXPECT_EQ(client.worldReceiver().world()->dayClock().tickCounter, 70'006u);
  expectRefused(1);
}

TEST_F(HostileTransfer, MoreJoinsEndedThanStartedLeaveNoneJoining) {
  for (uint8_t notice : {2, 1, 1, 1}) feed(Bytes{0, wire::idOf(wire::ConnectionMsg::Joining), notice});
  EXPECT_EQ(client.joiningCount(), 0);
  feed(Bytes{0, wire::idOf(wire::ConnectionMsg::Joining), 2});
  EXPECT_EQ(client.joiningCount(), 1);
}

}  // namespace
