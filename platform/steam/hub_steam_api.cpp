#include "platform/steam/hub_steam_api.h"

namespace kel {

HubSteamApi::HubSteamApi(std::shared_ptr<SteamHub> hub, uint64_t id)
    : hub_(std::move(hub)), id_(id) {}

HubSteamApi::~HubSteamApi() { shutdown(); }

bool HubSteamApi::init() {
  if (!hub_->hasUser(id_)) return false;
  hub_->setOnline(id_, true);
  online_.store(true, std::memory_order_release);
  return true;
}

void HubSteamApi::shutdown() {
  if (!online()) return;
  online_.store(false, std::memory_order_release);
  hub_->setOnline(id_, false);
}

void HubSteamApi::runCallbacks() {
  for (const SteamCallbackData& data : hub_->takeCallbacks(id_)) callbacks().dispatch(data);
}

int HubSteamApi::friendCount() const { return static_cast<int>(hub_->friendsOf(id_).size()); }

uint64_t HubSteamApi::friendByIndex(int index) const {
  const std::vector<uint64_t> friends = hub_->friendsOf(id_);
  return index >= 0 && static_cast<size_t>(index) < friends.size() ? friends[index] : 0;
}

SteamPersonaState HubSteamApi::friendPersonaState(uint64_t id) const {
  return hub_->personaState(id);
}

std::string HubSteamApi::friendPersonaName(uint64_t id) const { return hub_->personaName(id); }

std::string HubSteamApi::personaName() const { return hub_->personaName(id_); }

bool HubSteamApi::setRichPresence(const std::string& key, const std::string& value) {
  hub_->setPresence(id_, key, value);
  return true;
}

void HubSteamApi::clearRichPresence() { hub_->clearPresence(id_); }

std::string HubSteamApi::friendRichPresence(uint64_t id, const std::string& key) const {
  return hub_->friendPresence(id_, id, key);
}

std::vector<uint8_t> HubSteamApi::smallFriendAvatar(uint64_t id) const { return hub_->avatar(id); }

bool HubSteamApi::sendP2PPacket(uint64_t to, const uint8_t* data, uint32_t length, int channel) {
  return hub_->send(id_, to, data, length, channel);
}

bool HubSteamApi::isP2PPacketAvailable(uint32_t& size, int channel) {
  return hub_->packetSize(id_, channel, size);
}

bool HubSteamApi::readP2PPacket(uint8_t* buffer, uint32_t capacity, uint32_t& written,
                                uint64_t& sender, int channel) {
  return hub_->read(id_, channel, buffer, capacity, written, sender);
}

bool HubSteamApi::acceptP2PSessionWithUser(uint64_t user) { return hub_->accept(id_, user); }

bool HubSteamApi::closeP2PSessionWithUser(uint64_t user) { return hub_->close(id_, user); }

}  // namespace kel
