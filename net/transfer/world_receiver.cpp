#include "net/transfer/world_receiver.h"

#include <string>

#include "engine/base/log.h"
#include "engine/io/byte_reader.h"
#include "net/endpoint/net.h"
#include "net/transfer/raw_cell_column.h"
#include "net/wire/wire_messages.h"
#include "saves/container/gzip_buffer.h"
#include "saves/world/map_packing.h"
#include "world/light/light_map.h"
#include "world/map/explored_bitmap.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr const char* kWaitingForServer = "Waiting for server..";

// The clock message carries the low 16 bits of the host's ticks; the header brought them all. The
// clock only moves on, so the high bits are the header's, or one more when the low ones wrapped.
uint32_t widenedTicks(uint32_t known, uint16_t low) {
  uint32_t ticks = (known & 0xFFFF0000u) | low;
  if (ticks < known) ticks += 0x10000u;
  return ticks;
}

}  // namespace

WorldReceiver::WorldReceiver(Net& endpoint) : endpoint_(endpoint) {}

WorldReceiver::~WorldReceiver() = default;

World* WorldReceiver::world() { return world_ != nullptr ? &world_->world() : nullptr; }

WorldEntities* WorldReceiver::entities() { return world_ != nullptr ? &world_->entities() : nullptr; }

WorldReceiver::Outcome WorldReceiver::handleWorldData(wire::WireIn& in, bool awaitingWorld) {
  const auto id = in.spec().as<wire::WorldDataMsg>();
  if (id == wire::WorldDataMsg::WorldHeader) return header(in, awaitingWorld);
  if (phase_ == Phase::NoWorld) return refuse("world data before its header");
  switch (id) {
    case wire::WorldDataMsg::WorldPiece: return piece(in);
    case wire::WorldDataMsg::WorldColumn: return column(in);
    case wire::WorldDataMsg::SurfaceHeights: return surface(in);
    case wire::WorldDataMsg::ExploredCells: return explored(in);
    case wire::WorldDataMsg::DayClock: return clock(in);
    default: return Outcome::Nothing;  // the players' own clock message is theirs
  }
}

WorldReceiver::Outcome WorldReceiver::header(wire::WireIn& in, bool awaitingWorld) {
  if (!awaitingWorld || world_ != nullptr) return refuse("a world header when none is expected");
  const WorldHeader header = readWorldHeader(in);
  if (const char* fault = headerFault(header)) return fail(fault);
  header_ = header;
  world_ = std::make_unique<ClientWorld>(header, arrival_->worldContext());
  phase_ = Phase::Downloading;
  if (header.compressedLength == 0) columnsReceived_.assign(header.width, false);
  arrival_->worldCreated(world_->world(), world_->entities(), header.player);
  return Outcome::Nothing;
}

WorldReceiver::Outcome WorldReceiver::piece(wire::WireIn& in) {
  if (phase_ != Phase::Downloading || header_.compressedLength == 0) return refuse("a piece out of place");
  const uint32_t length = in.count();
  const std::span<const uint8_t> bytes = in.rest();  // the catalogue checked it is `length` long
  const uint64_t expected = header_.compressedLength;
  if (download_.size() + length > expected) return fail("a piece past the announced length");
  if (length == 0) return Outcome::Nothing;
  if (download_.empty()) arrival_->downloadStarted();
  download_.insert(download_.end(), bytes.begin(), bytes.end());
  progress(download_.size(), expected);
  if (download_.size() < expected) return Outcome::Nothing;

  std::vector<uint8_t> packed(packedCellBytes(header_.width, header_.height));
  const bool inflated = gunzipBuffer(download_, packed);
  download_ = {};
  if (!inflated) return fail("the cells' stream is damaged");
  WorldMap& map = world_->world().map();
  if (!unpackMapBlocks(packed, {map.cells(), map.cellCount()}, map.width(), map.height())) {
    return fail("the cells do not fit the map");
  }
  return completeCells(true);
}

WorldReceiver::Outcome WorldReceiver::column(wire::WireIn& in) {
  if (phase_ != Phase::Downloading || header_.compressedLength != 0) return refuse("a column out of place");
  const uint16_t x = in.u16();
  if (x >= header_.width) return fail("a column off the map");
  WorldMap& map = world_->world().map();
  const auto height = static_cast<size_t>(map.height());
  std::vector<uint8_t> raw(height * kRawCellBytes);
  if (!gunzipBuffer(in.rest(), raw)) return fail("a column's stream does not hold its cells");
  readRawColumn(raw, {map.cells() + static_cast<size_t>(x) * height, height}, x);
  if (columnCount_ == 0) arrival_->downloadStarted();
  if (!columnsReceived_[x]) {
    columnsReceived_[x] = true;
    ++columnCount_;
  }
  progress(columnCount_, header_.width);
  return columnCount_ == header_.width ? completeCells(false) : Outcome::Nothing;
}

WorldReceiver::Outcome WorldReceiver::surface(wire::WireIn& in) {
  std::vector<uint16_t>& lines = world_->world().map().surfaceLines();
  std::vector<uint8_t> bytes(lines.size() * 2);
  if (!gunzipBuffer(in.rest(), bytes)) return fail("the surface line's stream is damaged");
  engine::ByteReader read(bytes);
  for (uint16_t& line : lines) line = read.u16();
  return Outcome::Nothing;
}

WorldReceiver::Outcome WorldReceiver::explored(wire::WireIn& in) {
  ExploredBitmap* bitmap = world_->world().map().explored();
  if (bitmap == nullptr) return in.rest().empty() ? Outcome::Nothing : refuse("explored cells for a world without them");
  std::vector<uint32_t>& first = bitmap->words();
  std::vector<uint32_t>& second = bitmap->secondWords();
  std::vector<uint8_t> bytes(4 * (first.size() + second.size()));
  if (!gunzipBuffer(in.rest(), bytes)) return fail("the explored cells' stream is damaged");
  engine::ByteReader read(bytes);
  for (uint32_t& word : first) word = read.u32();
  for (uint32_t& word : second) word = read.u32();
  return Outcome::Nothing;
}

WorldReceiver::Outcome WorldReceiver::clock(wire::WireIn& in) {
  if (phase_ != Phase::Complete || clockArrived_) return refuse("the day clock out of place");
  const uint8_t phase = in.u8();
  const uint16_t ticks = in.u16();
  if (!isDayPhase(phase)) return refuse("no such day phase");
  DayClock& dayClock = world_->world().dayClock();
  dayClock.phase = static_cast<DayPhase>(phase);
  dayClock.tickCounter = widenedTicks(dayClock.tickCounter, ticks);
  dayClock.updateDarkness();
  clockArrived_ = true;
  arrival_->clockArrived(world_->world());
  return Outcome::Nothing;
}

WorldReceiver::Outcome WorldReceiver::completeCells(bool relight) {
  phase_ = Phase::Complete;
  columnsReceived_ = {};
  if (relight) {
    // Packed cells carry neither light nor shadow edges; raw columns bring theirs. The shadows ask
    // the surface line, which came right after the header.
    world_->world().map().lightMap().relightAllWithShadows();
  }
  arrival_->cellsComplete(world_->world());
  return Outcome::CellsComplete;
}

void WorldReceiver::progress(uint64_t done, uint64_t whole) {
  const auto percent = static_cast<uint16_t>(done * 100 / whole);
  if (done < whole) screen_->loadingStatus("Downloading.. " + std::to_string(percent) + "%", kWaitingForServer);
  wire::WireOut out(wire::outgoing(wire::ConnectionMsg::WorldProgress, wire::Side::Client));
  out.u16(percent);
  endpoint_.send(out.data(), out.size(), 0);
}

void WorldReceiver::handleRunningState(wire::WireIn& in) {
  if (phase_ != Phase::Complete) {
    refuse("running state before the cells");
    return;
  }
  if (!runningState_.apply(in, world_->world(), world_->entities())) refuse("counts past the message's length");
}

WorldReceiver::Outcome WorldReceiver::refuse(const char* why) {
  ++refused_;
  engine::log("net: refused world data from the host (%s)", why);
  return Outcome::Nothing;
}

WorldReceiver::Outcome WorldReceiver::fail(const char* why) {
  failure_ = why;
  engine::log("net: the world from the host cannot be completed (%s)", why);
  return Outcome::Failed;
}
