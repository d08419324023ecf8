#include "net/transports/steam/steam_receiver.h"

#include "engine/base/thread_start.h"
#include "platform/steam/steam_api.h"

namespace steam {

SteamReceiver::~SteamReceiver() { stop(); }

void SteamReceiver::start(kel::SteamNetworking& networking, Deliver deliver) {
  if (running_) return;
  networking_ = &networking;
  deliver_ = std::move(deliver);
  running_ = true;
  thread_ = engine::startThread([this] { loop(); });
}

void SteamReceiver::stop() {
  running_ = false;
  if (thread_.joinable()) thread_.join();
}

void SteamReceiver::loop() {
  while (running_) {
    if (!receiveWaiting()) std::this_thread::sleep_for(kIdleWait);
  }
}

bool SteamReceiver::receiveWaiting() {
  bool took = false;
  uint32_t size = 0;
  while (running_ && networking_->isP2PPacketAvailable(size, kChannel)) {
    uint32_t written = 0;
    uint64_t sender = 0;
    if (!networking_->readP2PPacket(buffer_.data(), kBufferBytes, written, sender, kChannel)) break;
    took = true;
    // A message cut to the buffer would be taken for another; it is dropped instead.
    if (size > kBufferBytes) continue;
    deliver_(buffer_.data(), written, sender);
  }
  return took;
}

}  // namespace steam
