// Network play's two hot paths. The round trip: a 6-byte message from a client to the host and
// back over real ENet on 127.0.0.1, each side's service thread handing it to the game thread's
// queue. The drain: a frame's worth of small messages taken from the endpoint's receive queue
// (swapped under its mutex, handed over one by one), against the least work that gives the same
// answer: the same bytes copied through one mutex-guarded vector and walked. Both sum every byte
// they are given, checked equal before timing; the drain must make no allocation per message.

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <numeric>
#include <thread>
#include <vector>

#include "bench/support/counted_allocations.h"
#include "bench/support/side_by_side.h"
#include "net/transports/enet_client.h"
#include "net/transports/enet_server.h"
#include "net/transports/net_async_buffer.h"

namespace {

constexpr int kMessagesPerFrame = 1000;
constexpr uint32_t kMessageBytes = 12;  // a typical game message: inline in the queue

// ---- The drain ----

using Queue = kel::NetAsyncBuffer<32>;

// The least work for the same answer: one vector of length-prefixed bytes under a mutex.
class PlainBuffer {
 public:
  void push(const uint8_t* data, uint32_t length) {
    std::lock_guard<std::mutex> lock(mutex_);
    bytes_.push_back(static_cast<uint8_t>(length));
    bytes_.insert(bytes_.end(), data, data + length);
  }
  uint64_t drainSum() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      taken_.swap(bytes_);
    }
    uint64_t sum = 0;
    for (size_t at = 0; at < taken_.size();) {
      const size_t length = taken_[at++];
      for (size_t i = 0; i < length; ++i) sum += taken_[at + i];
      at += length;
    }
    taken_.clear();
    return sum;
  }

 private:
  std::mutex mutex_;
  std::vector<uint8_t> bytes_;
  std::vector<uint8_t> taken_;
};

std::vector<uint8_t> frameMessage(int i) {
  std::vector<uint8_t> bytes(kMessageBytes);
  std::iota(bytes.begin(), bytes.end(), static_cast<uint8_t>(i));
  return bytes;
}

uint64_t drainSum(Queue& queue) {
  uint64_t sum = 0;
  queue.drain([&sum](const Queue::Message& message) {
    for (uint32_t i = 0; i < message.length(); ++i) sum += message.data()[i];
    return true;
  });
  return sum;
}

template <class Push>
void fillFrame(const std::vector<std::vector<uint8_t>>& messages, Push push) {
  for (const auto& message : messages) push(message.data(), static_cast<uint32_t>(message.size()));
}

void BM_NetDrain(benchmark::State& state) {
  std::vector<std::vector<uint8_t>> messages;
  for (int i = 0; i < kMessagesPerFrame; ++i) messages.push_back(frameMessage(i));
  Queue queue;
  PlainBuffer plain;
  const auto pushQueue = [&](const uint8_t* data, uint32_t length) { queue.push(data, length, 1); };
  const auto pushPlain = [&](const uint8_t* data, uint32_t length) { plain.push(data, length); };

  for (int warmUp = 0; warmUp < 3; ++warmUp) {
    fillFrame(messages, pushQueue);
    fillFrame(messages, pushPlain);
    const uint64_t fromQueue = drainSum(queue);
    if (fromQueue != plain.drainSum() || fromQueue == 0) {
      state.SkipWithError("the queue and the baseline disagree");
      return;
    }
  }

  bench::SideBySide times;
  long frames = 0;
  long allocations = 0;
  uint64_t sink = 0;
  for (auto _ : state) {
    fillFrame(messages, pushQueue);
    fillFrame(messages, pushPlain);
    const long before = bench::allocationCount();
    times.engine([&] { sink += drainSum(queue); });
    allocations += bench::allocationCount() - before;
    times.baseline([&] { sink -= plain.drainSum(); });
    ++frames;
  }
  benchmark::DoNotOptimize(sink);
  times.report(state);
  const double engineUs = state.counters["engine_us"];
  if (engineUs > 0) state.counters["messages_per_s"] = kMessagesPerFrame / engineUs * 1e6;
  state.counters["allocations_per_message"] =
      frames > 0 ? static_cast<double>(allocations) / (static_cast<double>(frames) * kMessagesPerFrame) : 0;
}

BENCHMARK(BM_NetDrain)->Apply(bench::repeatForMedians);

// ---- The round trip over loopback ENet ----

class QueueListener : public kel::NetBridgeListener {
 public:
  void received(const uint8_t* data, uint32_t length, uint8_t peer) override {
    queue.push(data, length, peer);
  }
  void transportOpened() override {}
  uint8_t localPeerId() const override { return kel::NET_HOST_PEER; }
  // Waits (spinning) for the next message; its peer, or NET_NO_PEER after a second.
  uint8_t next() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    uint8_t peer = kel::NET_NO_PEER;
    while (peer == kel::NET_NO_PEER && std::chrono::steady_clock::now() < deadline) {
      queue.drain([&peer](const Queue::Message& message) {
        peer = message.peer();
        return true;
      });
      if (peer == kel::NET_NO_PEER) std::this_thread::yield();
    }
    return peer;
  }
  Queue queue;
};

void BM_NetRoundTrip(benchmark::State& state) {
  QueueListener hostSide;
  QueueListener clientSide;
  const kel::NetBridgeSetup setup{kel::NET_KIND_DIRECT, 4, ""};
  enet::EnetServer server(&hostSide, setup);
  enet::EnetClient client(&clientSide, setup);
  if (!server.startWith(kel::base::DesktopDirectConnectionInfo("127.0.0.1", 0)) ||
      !client.startWith(kel::base::DesktopDirectConnectionInfo("127.0.0.1", server.port()))) {
    state.SkipWithError("no loopback ENet");
    return;
  }
  const uint8_t ping[] = {2, 38, 1, 2, 3, 4};
  for (auto _ : state) {
    client.send(ping, sizeof ping);
    const uint8_t from = hostSide.next();
    if (from == kel::NET_NO_PEER) {
      state.SkipWithError("the host did not answer");
      break;
    }
    server.sendTo(ping, sizeof ping, from);
    if (clientSide.next() == kel::NET_NO_PEER) {
      state.SkipWithError("the answer was lost");
      break;
    }
  }
  client.stop();
  server.stop();
}

BENCHMARK(BM_NetRoundTrip)->UseRealTime()->Unit(benchmark::kMicrosecond)->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
