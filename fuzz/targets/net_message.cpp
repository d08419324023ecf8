// Packets from peers: the first byte is the sender's peer id, the rest one packet as a transport
// hands it over. Both the host's and a client's endpoint drain it; whatever it holds, the
// catalogue's check refuses it or lets through a message whose every field reads within its
// bytes, and no handler faults.
#include <memory>
#include <span>

#include "fuzz/support/fuzz_one.h"
#include "net/endpoint/net_client.h"
#include "net/endpoint/net_server.h"
#include "net/wire/wire_check.h"
#include "tests/net/endpoint/recording_bridges.h"
#include "tests/net/net_test_support.h"

namespace {

void checkOneSide(std::span<const uint8_t> packet, wire::Side side) {
  const wire::Checked checked = wire::checkIncoming(packet, side);
  if (!checked.accepted()) return;
  const std::vector<uint8_t> bytes(packet.begin(), packet.end());
  fuzzCheck(nettest::readWhole(*checked.spec, bytes), "an accepted message reads whole");
}

}  // namespace

int fuzzOne(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t peer = data[0];
  const std::span<const uint8_t> packet(data + 1, size - 1);
  const auto length = static_cast<uint32_t>(packet.size());
  checkOneSide(packet, wire::Side::Host);
  checkOneSide(packet, wire::Side::Client);

  NetServer server(kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 3, ""}, "Host");
  server.setBridge(std::make_unique<nettest::RecordingServerBridge>());
  server.transportOpened();
  server.received(packet.data(), length, peer);
  server.received(packet.data(), length, peer);  // the same again: a second hello, say
  server.dispatchQueued();
  fuzzCheck(server.players().occupied() <= server.playerLimit(), "the host keeps its limit");

  NetClient client("Ann");
  client.setBridge(std::make_unique<nettest::RecordingClientBridge>());
  client.received(packet.data(), length, kel::NET_HOST_PEER);
  client.dispatchQueued();
  return 0;
}
