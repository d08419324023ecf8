#include "net/transports/enet_client.h"

#include "net/wire/connection_messages.h"

namespace enet {

namespace {
constexpr uint32_t kIncomingBandwidth = 640000;
constexpr uint32_t kOutgoingBandwidth = 128000;
}  // namespace

EnetClient::~EnetClient() { stop(); }

bool EnetClient::start(const kel::base::DesktopConnectionInfo& info) {
  if (info.kind() != kel::base::DesktopConnectionInfo::kDirect) return false;
  if (!connect(static_cast<const kel::base::DesktopDirectConnectionInfo&>(info))) return false;
  service_.start([this](ENetEvent& event) { handle(event); });
  listener()->transportOpened();
  return true;
}

bool EnetClient::connect(const kel::base::DesktopDirectConnectionInfo& info) {
  if (!service_.open(nullptr, 1, kIncomingBandwidth, kOutgoingBandwidth)) return false;
  ENetAddress address{};
  if (enet_address_set_host(&address, info.host().c_str()) != 0) return false;
  address.port = info.port();
  auto lock = service_.lock();
  server_ = enet_host_connect(service_.host(), &address, 2, 0);
  if (server_ == nullptr) return false;
  ENetEvent event{};
  if (enet_host_service(service_.host(), &event, kConnectWaitMs) > 0 &&
      event.type == ENET_EVENT_TYPE_CONNECT) {
    return true;
  }
  if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
  enet_peer_reset(server_);
  server_ = nullptr;
  return false;
}

void EnetClient::handle(ENetEvent& event) {
  if (event.type == ENET_EVENT_TYPE_RECEIVE) {
    listener()->received(event.packet->data, static_cast<uint32_t>(event.packet->dataLength),
                         kel::NET_HOST_PEER);
    enet_packet_destroy(event.packet);
  } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
    server_ = nullptr;
    const wire::WireOut departure = wire::departureMessage(wire::Side::Host, kel::NET_HOST_PEER);
    listener()->received(departure.data(), departure.size(), kel::NET_HOST_PEER);
  }
}

void EnetClient::send(const uint8_t* data, uint32_t length) {
  auto lock = service_.lock();
  if (server_ == nullptr) return;
  service_.sendReliable(data, length, [this](auto&& to) { to(server_); });
}

void EnetClient::stop() {
  service_.stop();
  auto lock = service_.lock();
  if (server_ == nullptr) return;
  enet_peer_disconnect(server_, 0);
  ENetEvent event;
  while (enet_host_service(service_.host(), &event, kLeaveWaitMs) > 0) {
    if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
    if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
      server_ = nullptr;
      return;
    }
  }
  enet_peer_reset(server_);
  server_ = nullptr;
}

}  // namespace enet
