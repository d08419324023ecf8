#pragma once
// The one object through which a networked game sends and receives: the host's NetServer or a
// joining player's NetClient (both over NetCommon). It owns a transport bridge that the platform
// makes (platform/net_bridge.h) and is that bridge's listener: the transport's thread pushes every
// message into the endpoint's own receive queue, and the game thread drains it once a frame and
// hands each message to the endpoint's handler.
//
// Each endpoint is owned by the game that made it (a hosting, a joined game, a test), never by
// the process, so a host and a client, or two hosts, stand side by side and making one never ends
// another.
//
// Threads: everything but `received` runs on the game thread.

#include <cstddef>
#include <cstdint>

#include "net/transports/net_async_buffer.h"
#include "platform/net_bridge.h"

class Net : public kel::NetAsyncBuffer<32> {
 public:
  Net() = default;
  ~Net() override = default;

  // What the bridge is made with. The transport's thread calls it until `shutdown` joined that
  // thread, which an endpoint's destructor does first; being a member of its own, it is never
  // read through this endpoint's virtual table, which the destructors rewrite as they run.
  kel::NetBridgeListener* bridgeListener() { return &receiver_; }

  // Every waiting message in the order it came, each through onPacket. Stops at once when a
  // handler shut the endpoint down (the rest are never handled). Returns the messages handled.
  size_t dispatchQueued();

  virtual void onPacket(const uint8_t* data, uint32_t length, uint8_t peer) = 0;
  // Every message of one drain was handled: what waited for the rest of them may act now.
  virtual void drained() {}
  // The bridge is open: the host listens, or the client is connected.
  virtual void start() = 0;
  virtual void onPeerLost(uint8_t peer, uint8_t reason) = 0;
  // Ends the networked game: no more frames drain and the bridge is stopped (its thread joined).
  // Safe from inside a handler: its owner frees it only after the frame's tasks.
  virtual void shutdown() = 0;
  // A server sends to every peer, a client to the host; `peer` is not used by either.
  virtual void send(const uint8_t* data, uint32_t length, uint8_t peer) = 0;
  virtual kel::NetBridge* bridge() const = 0;
  virtual uint8_t localPeerId() const = 0;
  // A stack left the local player's hands for the host's world (a container's slot, a trade): a
  // joining player's game keeps her character at once, so that a crash can lose what she gained
  // since but never give back what the host now holds. The host has nothing to keep.
  virtual void itemHandedOver() {}

  bool isShutDown() const { return shutDown_; }

  // The transport's thread: copies the message into the receive queue.
  void received(const uint8_t* data, uint32_t length, uint8_t peer) { push(data, length, peer); }
  // Game thread, from the bridge's start: the server listens, or the client is connected.
  virtual void transportOpened() = 0;

 protected:
  void markShutDown() { shutDown_ = true; }

 private:
  class Receiver final : public kel::NetBridgeListener {
   public:
    explicit Receiver(Net& owner) : owner_(owner) {}
    void received(const uint8_t* data, uint32_t length, uint8_t peer) override { owner_.received(data, length, peer); }
    void transportOpened() override { owner_.transportOpened(); }
    uint8_t localPeerId() const override { return owner_.localPeerId(); }

   private:
    Net& owner_;
  };

  bool shutDown_ = false;
  Receiver receiver_{*this};
};
