#pragma once
// The transport of a multiplayer endpoint, as the platform creates it: direct connections (kind
// 3) or the store front's peer-to-peer network (kind 4). The transports themselves live with the
// multiplayer code.

#include <cstdint>
#include <string>

namespace kel {

namespace base {
class DesktopConnectionInfo;
}

constexpr uint8_t NET_KIND_DIRECT = 3;
constexpr uint8_t NET_KIND_STEAM = 4;

// What the endpoint asks the platform's bridge factories for.
struct NetConnectionInfo {
  uint8_t kind = 0;
  uint8_t playerLimit = 0;  // peer slots of a server, the host's slot 0 included
  std::string address;      // kept by the bridge; no transport reads it
};

// The endpoint a bridge reports to. The multiplayer endpoint derives from it; the bridges, which
// live beside the endpoint, reach the rest of it from there.
class NetBridgeListener {
 public:
  virtual ~NetBridgeListener() = default;
};

class NetBridge {
 public:
  NetBridge(NetBridgeListener* listener, const NetConnectionInfo& info)
      : listener_(listener),
        kind_(info.kind),
        playerLimit_(info.playerLimit),
        text_(info.address) {}
  virtual ~NetBridge() = default;
  NetBridge(const NetBridge&) = delete;
  NetBridge& operator=(const NetBridge&) = delete;

  virtual void send(const uint8_t* data, uint32_t length) = 0;
  virtual void stop() = 0;
  virtual bool start(const base::DesktopConnectionInfo& info) = 0;
  virtual bool query() = 0;

  NetBridgeListener* listener() const { return listener_; }
  uint8_t kind() const { return kind_; }
  uint8_t playerLimit() const { return playerLimit_; }
  const std::string& text() const { return text_; }

 protected:
  uint32_t state_ = 0;

 private:
  NetBridgeListener* listener_;  // not owned
  uint8_t kind_;
  uint8_t playerLimit_;
  std::string text_;
};

class NetBridgeClient : public NetBridge {
 public:
  using NetBridge::NetBridge;
};

class NetBridgeServer : public NetBridge {
 public:
  using NetBridge::NetBridge;
  virtual void dropPeer(uint8_t peer) = 0;
  virtual void sendTo(const uint8_t* data, uint32_t length, uint8_t peer) = 0;
  virtual void sendToAllBut(const uint8_t* data, uint32_t length, uint8_t peer) = 0;
};

}  // namespace kel
