// What a joining client is sent of a world, as a sequence of messages from the host: each a u16
// length (little-endian) and that many bytes, one packet as the transport hands it over. The
// client takes them from its hello on, enters the world as soon as its cells are complete (so the
// running state is read too), and whatever the messages hold, no handler reads or writes outside
// its buffers, and a world that came complete is the size its header named. Headers of another
// size than the smallest world's are skipped, so that every input stays quick.
#include <cstddef>
#include <cstdint>
#include <span>

#include "engine/io/byte_reader.h"
#include "entities/core/world_entities.h"
#include "fuzz/support/fuzz_one.h"
#include "net/endpoint/net_client.h"
#include "net/wire/wire_messages.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr uint16_t kWidth = 512;
constexpr uint16_t kHeight = 128;

// A header of a larger world that exists: its world would be built, at a cost that slows the
// search down (a size no world has is refused at no cost, and stays in).
bool namesALargerWorld(std::span<const uint8_t> packet) {
  if (packet.size() < 6 || packet[0] != 3 || packet[1] != wire::idOf(wire::WorldDataMsg::WorldHeader)) return false;
  engine::ByteReader in(packet.subspan(2, 4));
  const uint16_t width = in.u16();
  const uint16_t height = in.u16();
  return isLegalWorldSize(width, height) && (width != kWidth || height != kHeight);
}

}  // namespace

int fuzzOne(const uint8_t* data, size_t size) {
  NetClient client("Ann");
  client.transportOpened();  // said hello: waits for the world
  engine::ByteReader frames(data, size);
  while (frames.remaining() >= 2 && !client.isShutDown()) {
    const uint16_t length = frames.u16();
    const std::span<const uint8_t> packet = frames.take(std::min<size_t>(length, frames.remaining()));
    if (namesALargerWorld(packet)) continue;
    client.onPacket(packet.data(), static_cast<uint32_t>(packet.size()), 0);
    if (client.state() == NetClient::kWorldReceived) client.enterWorld(100, 100);
  }
  if (client.worldReceiver().cellsComplete()) {
    const WorldMap& map = client.worldReceiver().world()->map();
    fuzzCheck(map.width() == kWidth && map.height() == kHeight, "a complete world has its header's size");
  }
  return 0;
}
