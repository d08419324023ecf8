// Sending the largest world (4096x512, generated on the home planet) to a joining client over
// real ENet on 127.0.0.1, in each form (one gzip stream of the packed cells in pieces; a gzip
// stream per column of the raw cells). The host runs in this process at 60 frames a second; the
// client runs in a child process of its own, so that its memory is its own. Figures per form:
//   longest_frame_ms   the host's longest frame from the request to the client's completion
//                      (what a player on the host would feel; the packing is on a worker)
//   wire_bytes         the bytes of every message the host sent the client until then
//   transfer_s         from the host's receipt of the request to its receipt of "complete"
//   client_peak_mb     what the client's process added to its resident size at its peak
//   host_pack_ms       the worker's packing and compression of the cells
// against the least work for the same answer, measured in the same run:
//   baseline_compress_ms  the same cell bytes deflated at the same level with one compressor
//                         (the packed cells, or each column's cells copied whole), checked before
//                         timing to give exactly the bytes the host sends
//   rate_limit_s          the wire bytes at the client's transport limit of 640,000 bytes a second
//   ratio_to_limit        transfer_s / rate_limit_s (the goal: at most 1.25)
// The content file is <build>/data/data.dat (run from the build folder) or RUBBLE_DATA_FILE.

#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/largest_world.h"
#include "engine/io/byte_writer.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "entities/core/world_entities.h"
#include "net/endpoint/net_client.h"
#include "net/endpoint/net_server.h"
#include "net/transfer/world_packing.h"
#include "net/transports/enet_client.h"
#include "net/transports/enet_server.h"
#include "net/wire/connection_messages.h"
#include "net/wire/wire_messages.h"
#include "platform/settings/settings.h"
#include "saves/world/map_packing.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kClientRate = 640'000.0;  // bytes a second the client's transport takes in
constexpr auto kFrame = std::chrono::microseconds(16'667);
constexpr auto kGiveUp = std::chrono::seconds(180);
constexpr int kLevel = 6;  // the save container's level, which the transfer shares

double msBetween(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

struct LargestWorld {
  std::unique_ptr<World> world;
  WorldEntitiesMaker entities;
};

LargestWorld* largestWorld() {
  static std::unique_ptr<LargestWorld> made = [] {
    std::unique_ptr<World> world = bench::generateLargestWorld();
    if (world == nullptr) return std::unique_ptr<LargestWorld>();
    auto largest = std::make_unique<LargestWorld>();
    largest->world = std::move(world);
    largest->world->setContext({.entities = &largest->entities});
    return largest;
  }();
  return made.get();
}

// ---- The least work ----

class Deflater {
 public:
  Deflater() : compressor_(libdeflate_alloc_compressor(kLevel)) {}
  ~Deflater() { libdeflate_free_compressor(compressor_); }
  void append(std::vector<uint8_t>& out, std::span<const uint8_t> in) {
    const size_t start = out.size();
    out.resize(start + libdeflate_gzip_compress_bound(compressor_, in.size()));
    out.resize(start + libdeflate_gzip_compress(compressor_, in.data(), in.size(), out.data() + start, out.size() - start));
  }

 private:
  libdeflate_compressor* compressor_;
};

// The cells as the form carries them, deflated: the packed cells in one stream, or each column's
// cells copied whole (a cell is its 24 wire bytes on this little-endian machine) in one each.
std::vector<uint8_t> leastWork(const WorldMap& map, CellsForm form, const std::vector<uint8_t>& packed) {
  Deflater deflater;
  std::vector<uint8_t> out;
  if (form == CellsForm::Compressed) {
    deflater.append(out, packed);
    return out;
  }
  const auto height = static_cast<size_t>(map.height());
  std::vector<uint8_t> column(height * sizeof(MapBlock));
  for (int32_t x = 0; x < map.width(); ++x) {
    std::memcpy(column.data(), &map.cell(x, 0), column.size());
    deflater.append(out, column);
  }
  return out;
}

// ---- The two endpoints ----

class TimedServer : public NetServer {
 public:
  using NetServer::NetServer;
  void onPacket(const uint8_t* data, uint32_t length, uint8_t peer) override {
    if (length >= 2 && data[0] == 0 && data[1] == wire::idOf(wire::ConnectionMsg::WorldRequest)) requested = Clock::now();
    if (length >= 2 && data[0] == 0 && data[1] == wire::idOf(wire::ConnectionMsg::WorldComplete)) completed = Clock::now();
    NetServer::onPacket(data, length, peer);
  }
  std::optional<Clock::time_point> requested;
  std::optional<Clock::time_point> completed;
};

class CountingBridge : public enet::EnetServer {
 public:
  using EnetServer::EnetServer;
  void sendTo(const uint8_t* data, uint32_t length, uint8_t peer) override {
    sent += length;
    EnetServer::sendTo(data, length, peer);
  }
  uint64_t sent = 0;
};

// The child: joins, takes the world until its cells are complete, and writes what it added to its
// resident size at the peak (MB; negative when it never completed).
[[noreturn]] void runClient(int portPipe, int resultPipe) {
  uint16_t port = 0;
  double result = -1.0;
  if (read(portPipe, &port, sizeof port) == sizeof port) {
    bench::resetPeak();
    const double before = bench::statusMegabytes("VmRSS:");
    {
      NetClient client("Bench");
      client.setBridge(std::make_unique<enet::EnetClient>(client.bridgeListener(), kel::NetBridgeSetup{}));
      if (client.bridge()->startWith(kel::base::DesktopDirectConnectionInfo("127.0.0.1", port))) {
        engine::Scheduler* scheduler = engine::Director::getInstance()->getScheduler();
        const auto deadline = Clock::now() + kGiveUp;
        while (client.state() != NetClient::kWorldReceived && !client.isShutDown() && Clock::now() < deadline) {
          scheduler->update(0.0f);
          client.dispatchQueued();
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (client.state() == NetClient::kWorldReceived) result = bench::statusMegabytes("VmHWM:") - before;
        client.shutdown();
      }
    }
  }
  [[maybe_unused]] const ssize_t written = write(resultPipe, &result, sizeof result);
  _exit(0);
}

struct Joined {
  bool ok = false;
  double longestFrameMs = 0;
  double transferSeconds = 0;
  uint64_t wireBytes = 0;
  double clientPeakMb = 0;
};

Joined joinOnce(LargestWorld& largest, CellsForm form) {
  kel::options().netWorldDataCompression = form == CellsForm::Compressed;
  int toChild[2];
  int fromChild[2];
  if (pipe(toChild) != 0 || pipe(fromChild) != 0) return {};
  const pid_t child = fork();
  if (child == 0) runClient(toChild[0], fromChild[1]);

  Joined joined;
  {
    const kel::NetBridgeSetup setup{kel::NET_KIND_DIRECT, 4, ""};
    TimedServer host(setup, "Host");
    auto bridge = std::make_unique<CountingBridge>(host.bridgeListener(), setup);
    CountingBridge* counting = bridge.get();
    host.setBridge(std::move(bridge));
    host.worldSender().setHostedWorld(largest.world.get());
    const bool listening = counting->startWith(kel::base::DesktopDirectConnectionInfo("127.0.0.1", 0));
    const uint16_t port = listening ? counting->port() : 0;
    [[maybe_unused]] const ssize_t written = write(toChild[1], &port, sizeof port);

    engine::Scheduler* scheduler = engine::Director::getInstance()->getScheduler();
    const auto deadline = Clock::now() + kGiveUp;
    while (listening && !host.completed && Clock::now() < deadline) {
      const auto start = Clock::now();
      scheduler->update(1.0f / 60.0f);
      host.dispatchQueued();
      const auto end = Clock::now();
      if (host.requested) joined.longestFrameMs = std::max(joined.longestFrameMs, msBetween(start, end));
      std::this_thread::sleep_until(start + kFrame);
    }
    if (host.requested && host.completed) {
      joined.transferSeconds = msBetween(*host.requested, *host.completed) / 1000.0;
      joined.wireBytes = counting->sent;
      joined.ok = true;
    }
    double peak = -1.0;
    if (read(fromChild[0], &peak, sizeof peak) != sizeof peak) peak = -1.0;
    joined.clientPeakMb = peak;
    joined.ok = joined.ok && peak >= 0;
  }
  waitpid(child, nullptr, 0);
  for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) close(fd);
  return joined;
}

void BM_WorldTransfer(benchmark::State& state, CellsForm form) {
  LargestWorld* largest = largestWorld();
  if (largest == nullptr) {
    state.SkipWithError("no content file (run from the build folder or set RUBBLE_DATA_FILE)");
    return;
  }
  const WorldMap& map = largest->world->map();
  engine::ByteWriter packedCells;
  packMapBlocks(packedCells, {map.cells(), map.cellCount()});
  const std::vector<uint8_t> packed = packedCells.release();

  // The host's packing, timed, and the least work checked to give the same bytes.
  WorldPacking packing;
  takeWorldPacking(packing, *largest->world, form);
  const auto packStart = Clock::now();
  if (!packWorld(packing)) {
    state.SkipWithError("the packing failed");
    return;
  }
  const double packMs = msBetween(packStart, Clock::now());
  if (leastWork(map, form, packed) != packing.cellBytes) {
    state.SkipWithError("the baseline's bytes differ from the host's");
    return;
  }
  double baselineMs = 0;
  Joined joined;
  for (auto _ : state) {
    const auto start = Clock::now();
    benchmark::DoNotOptimize(leastWork(map, form, packed));
    baselineMs = msBetween(start, Clock::now());
    joined = joinOnce(*largest, form);
  }
  if (!joined.ok) {
    state.SkipWithError("the client did not complete the world");
    return;
  }
  const double limitSeconds = static_cast<double>(joined.wireBytes) / kClientRate;
  state.counters["longest_frame_ms"] = joined.longestFrameMs;
  state.counters["wire_bytes"] = static_cast<double>(joined.wireBytes);
  state.counters["cell_bytes"] = static_cast<double>(packing.cellBytes.size());
  state.counters["transfer_s"] = joined.transferSeconds;
  state.counters["rate_limit_s"] = limitSeconds;
  state.counters["ratio_to_limit"] = joined.transferSeconds / limitSeconds;
  state.counters["client_peak_mb"] = joined.clientPeakMb;
  state.counters["host_pack_ms"] = packMs;
  state.counters["baseline_compress_ms"] = baselineMs;
}

BENCHMARK_CAPTURE(BM_WorldTransfer, compressed, CellsForm::Compressed)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_WorldTransfer, columns, CellsForm::Columns)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
BENCHMARK_MAIN();
