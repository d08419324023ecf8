#pragma once
// Bridges that record what an endpoint sends through them, for tests of the endpoints' rules
// without a network.

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/net_bridge.h"

namespace nettest {

using Bytes = std::vector<uint8_t>;

struct Sent {
  enum Kind { All, To, AllBut } kind;
  uint8_t peer;  // the one it went to, or the one left out
  Bytes bytes;
  bool operator==(const Sent&) const = default;
};

class RecordingServerBridge : public kel::NetBridgeServer {
 public:
  explicit RecordingServerBridge(const kel::NetBridgeSetup& setup = {})
      : kel::NetBridgeServer(nullptr, setup) {}
  void send(const uint8_t* data, uint32_t length) override {
    sent.push_back({Sent::All, 0, Bytes(data, data + length)});
  }
  void stop() override { ++stops; }
  bool start(const kel::base::DesktopConnectionInfo&) override { return true; }
  void dropPeer(uint8_t peer) override { dropped.push_back(peer); }
  void sendTo(const uint8_t* data, uint32_t length, uint8_t peer) override {
    sent.push_back({Sent::To, peer, Bytes(data, data + length)});
  }
  void sendToAllBut(const uint8_t* data, uint32_t length, uint8_t peer) override {
    sent.push_back({Sent::AllBut, peer, Bytes(data, data + length)});
  }

  std::vector<Sent> sent;
  std::vector<uint8_t> dropped;
  int stops = 0;
};

class RecordingClientBridge : public kel::NetBridgeClient {
 public:
  RecordingClientBridge() : kel::NetBridgeClient(nullptr, kel::NetBridgeSetup{}) {}
  void send(const uint8_t* data, uint32_t length) override { sent.emplace_back(data, data + length); }
  void stop() override { ++stops; }
  bool start(const kel::base::DesktopConnectionInfo&) override { return true; }

  std::vector<Bytes> sent;
  int stops = 0;
};

}  // namespace nettest
