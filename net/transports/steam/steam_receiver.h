#pragma once
// The receive thread of a store-front bridge: it polls the user's peer-to-peer channel 0, reads
// each packet into a buffer allocated once, and hands the bytes read and their sender to the
// bridge. A packet larger than the buffer is read and dropped whole, so a later one still
// arrives; only the bytes read are ever handed on. After a poll that found nothing it waits 1 ms,
// so an idle game costs no processor core.
//
// Threads: start, stop and the destructor belong to the game thread; `deliver` runs on the
// receive thread. The thread is joined by stop (within one wait), so it never outlives the bridge.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

namespace kel {
class SteamNetworking;
}

namespace steam {

class SteamReceiver {
 public:
  static constexpr uint32_t kBufferBytes = 32768;
  static constexpr int kChannel = 0;
  static constexpr std::chrono::milliseconds kIdleWait{1};

  using Deliver = std::function<void(const uint8_t* data, uint32_t length, uint64_t sender)>;

  SteamReceiver() = default;
  ~SteamReceiver();
  SteamReceiver(const SteamReceiver&) = delete;
  SteamReceiver& operator=(const SteamReceiver&) = delete;

  // The networking object must outlive the thread (until stop).
  void start(kel::SteamNetworking& networking, Deliver deliver);
  void stop();

 private:
  void loop();
  // Takes every packet waiting now; false when there was none.
  bool receiveWaiting();

  kel::SteamNetworking* networking_ = nullptr;
  Deliver deliver_;
  std::vector<uint8_t> buffer_ = std::vector<uint8_t>(kBufferBytes);
  std::atomic<bool> running_{false};
  std::thread thread_;
};

}  // namespace steam
