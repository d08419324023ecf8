#pragma once
// One user's view of the stand-in hub (steam_hub.h), as the game sees a store-front client: init
// brings the user online, shutdown takes it offline (its sessions end for the others), and the
// sub-interfaces exist only while it is online. It keeps the hub alive as long as it lives.
//
// Threads: the game thread for everything; the peer-to-peer calls from any thread.

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/steam/steam_api.h"
#include "platform/steam/steam_hub.h"

namespace kel {

class HubSteamApi : public SteamApi,
                    private SteamUser,
                    private SteamFriends,
                    private SteamNetworking {
 public:
  HubSteamApi(std::shared_ptr<SteamHub> hub, uint64_t id);
  ~HubSteamApi() override;

  // False when the hub has no such user.
  bool init() override;
  void shutdown() override;
  void runCallbacks() override;
  void setWarningMessageHook(WarningHook) override {}

  SteamUser* user() override { return online() ? this : nullptr; }
  SteamFriends* friends() override { return online() ? this : nullptr; }
  SteamUserStats* userStats() override { return nullptr; }
  SteamNetworking* networking() override { return online() ? this : nullptr; }

  SteamHub& hub() { return *hub_; }

 private:
  bool online() const { return online_.load(std::memory_order_acquire); }

  bool loggedOn() const override { return online(); }
  uint64_t steamId() const override { return id_; }

  int friendCount() const override;
  uint64_t friendByIndex(int index) const override;
  SteamPersonaState friendPersonaState(uint64_t id) const override;
  std::string friendPersonaName(uint64_t id) const override;
  std::string personaName() const override;
  bool setRichPresence(const std::string& key, const std::string& value) override;
  void clearRichPresence() override;
  void requestFriendRichPresence(uint64_t) override {}  // the hub's values are always current
  std::string friendRichPresence(uint64_t id, const std::string& key) const override;
  std::vector<uint8_t> smallFriendAvatar(uint64_t id) const override;

  bool sendP2PPacket(uint64_t to, const uint8_t* data, uint32_t length, int channel) override;
  bool isP2PPacketAvailable(uint32_t& size, int channel) override;
  bool readP2PPacket(uint8_t* buffer, uint32_t capacity, uint32_t& written, uint64_t& sender,
                     int channel) override;
  bool acceptP2PSessionWithUser(uint64_t user) override;
  bool closeP2PSessionWithUser(uint64_t user) override;

  std::shared_ptr<SteamHub> hub_;
  uint64_t id_;
  std::atomic<bool> online_{false};
};

}  // namespace kel
