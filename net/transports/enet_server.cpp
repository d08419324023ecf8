#include "net/transports/enet_server.h"

#include "net/wire/connection_messages.h"

namespace enet {

namespace {

// A peer's slot id travels in its ENet user data, offset by one so that a peer without a slot
// (null data) can never be taken for the host's id 0.
void* slotTag(uint8_t id) { return reinterpret_cast<void*>(static_cast<uintptr_t>(id) + 1); }

uint8_t slotOf(const ENetPeer* peer) {
  const auto tag = reinterpret_cast<uintptr_t>(peer->data);
  return tag == 0 ? kel::NET_NO_PEER : static_cast<uint8_t>(tag - 1);
}

}  // namespace

EnetServer::EnetServer(kel::NetBridgeListener* listener, const kel::NetBridgeSetup& setup)
    : kel::NetBridgeServer(listener, setup), slots_(playerLimit()) {}

EnetServer::~EnetServer() { stop(); }

bool EnetServer::start(const kel::base::DesktopConnectionInfo& info) {
  if (info.kind() != kel::base::DesktopConnectionInfo::kDirect) return false;
  const auto& direct = static_cast<const kel::base::DesktopDirectConnectionInfo&>(info);
  ENetAddress address{};
  address.host = ENET_HOST_ANY;
  address.port = direct.port();
  if (!direct.host().empty() && enet_address_set_host(&address, direct.host().c_str()) != 0) {
    return false;
  }
  // One ENet peer more than the slots, so that a connection past the limit can still be told why
  // it is turned away.
  if (!service_.open(&address, size_t{playerLimit()} + 1, 0, 0)) return false;
  service_.start([this](ENetEvent& event) { handle(event); });
  listener()->transportOpened();
  return true;
}

uint16_t EnetServer::port() {
  auto lock = service_.lock();
  return service_.boundPort();
}

void EnetServer::stop() {
  service_.stop();
  if (service_.host() == nullptr) return;
  auto lock = service_.lock();
  slots_.forEachConnected([](uint8_t, void* peer) {
    enet_peer_disconnect(static_cast<ENetPeer*>(peer), 0);
  });
  enet_host_flush(service_.host());
}

void EnetServer::handle(ENetEvent& event) {
  switch (event.type) {
    case ENET_EVENT_TYPE_CONNECT: connected(event.peer); break;
    case ENET_EVENT_TYPE_DISCONNECT: disconnected(event.peer); break;
    case ENET_EVENT_TYPE_RECEIVE: received(event.peer, event.packet); break;
    case ENET_EVENT_TYPE_NONE: break;
  }
}

void EnetServer::connected(ENetPeer* peer) {
  const uint8_t id = slots_.add(peer);
  if (id != kel::NET_NO_PEER) {
    peer->data = slotTag(id);
    declared_[id] = peer->incomingBandwidth;
    return;
  }
  peer->data = nullptr;
  const wire::WireOut refusal = wire::refusalMessage(wire::kRefusedFull);
  service_.sendReliable(refusal.data(), refusal.size(), [peer](auto&& send) { send(peer); });
  enet_peer_disconnect_later(peer, 0);
}

void EnetServer::disconnected(ENetPeer* peer) {
  const uint8_t id = slotOf(peer);
  peer->data = nullptr;
  if (id == kel::NET_NO_PEER || !slots_.connectionEnded(id)) return;
  const wire::WireOut departure = wire::departureMessage(wire::Side::Client, id);
  listener()->received(departure.data(), departure.size(), id);
}

void EnetServer::received(ENetPeer* peer, ENetPacket* packet) {
  const uint8_t id = slotOf(peer);
  if (id != kel::NET_NO_PEER && slots_.connected(id) == peer) {
    listener()->received(packet->data, static_cast<uint32_t>(packet->dataLength), id);
  }
  enet_packet_destroy(packet);
}

void EnetServer::send(const uint8_t* data, uint32_t length) {
  sendToAllBut(data, length, kel::NET_NO_PEER);
}

void EnetServer::sendTo(const uint8_t* data, uint32_t length, uint8_t peer) {
  auto lock = service_.lock();
  auto* connection = static_cast<ENetPeer*>(slots_.connected(peer));
  if (connection == nullptr) return;
  service_.sendReliable(data, length, [connection](auto&& send) { send(connection); });
}

void EnetServer::sendToAllBut(const uint8_t* data, uint32_t length, uint8_t peer) {
  auto lock = service_.lock();
  if (service_.host() == nullptr) return;
  service_.sendReliable(data, length, [&](auto&& send) {
    slots_.forEachConnected([&](uint8_t id, void* connection) {
      if (id != peer) send(static_cast<ENetPeer*>(connection));
    });
  });
}

uint32_t EnetServer::declaredIncomingBandwidth(uint8_t peer) {
  auto lock = service_.lock();
  return slots_.connected(peer) != nullptr ? declared_[peer] : 0;
}

void EnetServer::dropPeer(uint8_t peer) {
  auto lock = service_.lock();
  auto* connection = static_cast<ENetPeer*>(slots_.drop(peer));
  if (connection == nullptr) return;
  // After what was sent to it (a refusal, say): a disconnect at once would make its side discard
  // messages that had arrived but were not handed over yet.
  enet_peer_disconnect_later(connection, 0);
}

}  // namespace enet
