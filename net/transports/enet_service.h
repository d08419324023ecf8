#pragma once
// One ENet host with the thread that services it, for both transports. ENet calls on one host
// must never run on two threads at once, so every call on the host, from the service thread or
// from the game thread's sends and stop, is made under the one host mutex, held only for the call:
// the service thread waits for traffic on the host's socket (at most 50 ms) without the lock, and
// a send flushes its packet at once instead of waiting for the next service.
//
// Threads: start, stop, locked and the destructor belong to the game thread; the event handler
// runs on the service thread, under the host mutex.

#include <enet/enet.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace enet {

class EnetService {
 public:
  // Every wait of the service thread, and so the longest a stop waits for it.
  static constexpr uint32_t kWaitMs = 50;

  EnetService();
  // Stops the thread, then destroys the host.
  ~EnetService();
  EnetService(const EnetService&) = delete;
  EnetService& operator=(const EnetService&) = delete;

  // Creates the host; false (and no host) when ENet cannot open it.
  bool open(const ENetAddress* address, size_t peers, uint32_t incomingBandwidth,
            uint32_t outgoingBandwidth);
  // Runs the service thread; `handle` gets every event, under the host mutex.
  void start(std::function<void(ENetEvent&)> handle);
  // Clears the running flag and joins the thread (within one wait).
  void stop();

  ENetHost* host() const { return host_; }
  std::unique_lock<std::mutex> lock() { return std::unique_lock<std::mutex>(mutex_); }
  // The port the host listens on; 0 without a host. Call under the lock.
  uint16_t boundPort() const;

  // A reliable packet of the bytes on channel 0 to each peer that `each` offers, flushed at once;
  // destroyed unsent when no peer took it. Call under the lock.
  template <class EachPeer>
  void sendReliable(const uint8_t* data, uint32_t length, EachPeer each) {
    ENetPacket* packet = enet_packet_create(data, length, ENET_PACKET_FLAG_RELIABLE);
    if (packet == nullptr) return;
    bool taken = false;
    each([&](ENetPeer* peer) { taken = enet_peer_send(peer, 0, packet) == 0 || taken; });
    if (!taken) {
      enet_packet_destroy(packet);
      return;
    }
    enet_host_flush(host_);
  }

 private:
  void serviceLoop();
  // Handles every event waiting now; under the lock.
  void serviceWaiting();

  ENetHost* host_ = nullptr;
  bool initialised_ = false;
  std::mutex mutex_;
  std::atomic<bool> running_{false};
  std::thread thread_;
  std::function<void(ENetEvent&)> handle_;
};

}  // namespace enet
