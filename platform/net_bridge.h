#pragma once
// The transport of a multiplayer endpoint, as the platform creates it: direct connections (kind
// 3) or the store front's peer-to-peer network (kind 4). The transports themselves live with the
// multiplayer code (net/transports/), which registers their factories with the platform.
//
// Threads: the game thread starts, sends through, stops and deletes a bridge. A transport may run
// a thread of its own; that thread reaches the endpoint only through `NetBridgeListener::received`
// and is joined by `stop`.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/net_connection_info.h"

namespace kel {

constexpr uint8_t NET_KIND_DIRECT = 3;
constexpr uint8_t NET_KIND_STEAM = 4;
// Peer ids: 0 is the host (a client hears everything from peer 0), 1 to 254 are a server's remote
// peers, NET_NO_PEER means no slot.
constexpr uint8_t NET_HOST_PEER = 0;
constexpr uint8_t NET_NO_PEER = 255;

// What the endpoint asks the platform's bridge factories for.
struct NetBridgeSetup {
  static constexpr uint8_t kDefaultPlayerLimit = 4;

  uint8_t kind = 0;
  uint8_t playerLimit = 0;  // peer slots of a server, the host's slot 0 included; 0: the default
  std::string text;         // kept by the bridge; no transport reads it

  // The limit the server's endpoint and its transport both keep.
  uint8_t effectivePlayerLimit() const { return playerLimit != 0 ? playerLimit : kDefaultPlayerLimit; }
};

// The endpoint a bridge reports to.
class NetBridgeListener {
 public:
  virtual ~NetBridgeListener() = default;
  // Any thread (the transport's own): one whole message arrived from a peer. The bytes are the
  // transport's; the listener copies what it keeps.
  virtual void received(const uint8_t* data, uint32_t length, uint8_t peer) = 0;
  // Game thread, from the bridge's start: the server listens, or the client is connected.
  virtual void transportOpened() = 0;
  // Game thread: the endpoint's own peer id (0 on the host; a client's once the host named it),
  // which a transport that says goodbye itself puts in its departure.
  virtual uint8_t localPeerId() const = 0;
};

class NetBridge {
 public:
  NetBridge(NetBridgeListener* listener, const NetBridgeSetup& setup)
      : listener_(listener),
        kind_(setup.kind),
        playerLimit_(setup.effectivePlayerLimit()),
        text_(setup.text) {}
  virtual ~NetBridge() = default;
  NetBridge(const NetBridge&) = delete;
  NetBridge& operator=(const NetBridge&) = delete;

  // To every connected peer (server) or to the host (client); one message a packet.
  virtual void send(const uint8_t* data, uint32_t length) = 0;
  // Leaves the host or stops serving; the transport's thread is joined before it returns.
  virtual void stop() = 0;
  // Opens the transport and tells the listener; false when it cannot be opened or reached. A
  // failed start leaves the bridge and its endpoint to the caller, who ends them.
  virtual bool start(const base::DesktopConnectionInfo& info) = 0;
  virtual bool query() { return false; }

  // Keeps a copy of the connection info (replacing an earlier one), then starts with the caller's.
  bool startWith(const base::DesktopConnectionInfo& info) {
    connectionInfo_ = info.clone();
    return start(info);
  }

  NetBridgeListener* listener() const { return listener_; }
  uint8_t kind() const { return kind_; }
  uint8_t playerLimit() const { return playerLimit_; }
  const std::string& text() const { return text_; }
  // The copy kept by the last startWith; null before.
  const base::DesktopConnectionInfo* connectionInfo() const { return connectionInfo_.get(); }

 private:
  NetBridgeListener* listener_;  // not owned
  uint8_t kind_;
  uint8_t playerLimit_;
  std::string text_;
  std::unique_ptr<base::DesktopConnectionInfo> connectionInfo_;
};

class NetBridgeClient : public NetBridge {
 public:
  using NetBridge::NetBridge;
};

class NetBridgeServer : public NetBridge {
 public:
  using NetBridge::NetBridge;
  // The endpoint is done with the peer: its connection is closed and its slot is free for a new
  // peer once the transport has seen the connection end.
  virtual void dropPeer(uint8_t peer) = 0;
  // Nothing is sent to an empty slot.
  virtual void sendTo(const uint8_t* data, uint32_t length, uint8_t peer) = 0;
  virtual void sendToAllBut(const uint8_t* data, uint32_t length, uint8_t peer) = 0;
  // The bytes a second the connected peer said it takes in; 0 when it said nothing (or the
  // transport does not tell), and the sender keeps its own pace.
  virtual uint32_t declaredIncomingBandwidth(uint8_t /*peer*/) { return 0; }
};

}  // namespace kel
