#include "platform/steam/steam_hub.h"

#include <algorithm>

namespace kel {

namespace {

bool contains(const std::vector<uint64_t>& ids, uint64_t id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

SteamCallbackData sessionCallback(int id, int result, uint64_t other) {
  return SteamCallbackData{id, result, other};
}

}  // namespace

std::vector<uint8_t> makeHubAvatar(uint64_t id) {
  constexpr int kSide = SteamFriends::kAvatarSide;
  constexpr int kBlock = 4;
  const uint64_t bits = id * 0x9E3779B97F4A7C15ull;
  const uint8_t colour[3] = {static_cast<uint8_t>(64 + (bits >> 56) % 160),
                             static_cast<uint8_t>(64 + (bits >> 48) % 160),
                             static_cast<uint8_t>(64 + (bits >> 40) % 160)};
  std::vector<uint8_t> image(SteamFriends::kAvatarBytes);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      // Mirrored about the middle column: 4 block columns and 8 block rows give 32 pattern bits.
      const int column = std::min(x / kBlock, (kSide - 1 - x) / kBlock);
      const bool on = (bits >> ((y / kBlock) * 4 + column)) & 1;
      uint8_t* pixel = &image[static_cast<size_t>(y * kSide + x) * 4];
      for (int c = 0; c < 3; ++c) pixel[c] = on ? colour[c] : 236;
      pixel[3] = 255;
    }
  }
  return image;
}

bool SteamHub::addUser(uint64_t id, std::string name) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (id == 0 || users_.count(id) != 0) return false;
  User& user = users_[id];
  user.name = std::move(name);
  user.avatar = makeHubAvatar(id);
  return true;
}

bool SteamHub::hasUser(uint64_t id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return find(id) != nullptr;
}

void SteamHub::setOnline(uint64_t id, bool online) {
  std::lock_guard<std::mutex> lock(mutex_);
  User* user = find(id);
  if (user == nullptr || user->online == online) return;
  user->online = online;
  if (online) return;
  user->presence.clear();
  user->incoming.clear();
  user->waiting.clear();
  user->sessions.clear();
  endSessionsWith(id);
}

std::vector<uint64_t> SteamHub::friendsOf(uint64_t id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const User* user = find(id);
  return user != nullptr ? user->friends : std::vector<uint64_t>();
}

SteamPersonaState SteamHub::personaState(uint64_t id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const User* user = find(id);
  return user != nullptr && user->online ? SteamPersonaState::ONLINE : SteamPersonaState::OFFLINE;
}

std::string SteamHub::personaName(uint64_t id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const User* user = find(id);
  return user != nullptr ? user->name : std::string();
}

std::vector<uint8_t> SteamHub::avatar(uint64_t id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const User* user = find(id);
  return user != nullptr ? user->avatar : std::vector<uint8_t>();
}

void SteamHub::setPresence(uint64_t id, const std::string& key, const std::string& value) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (User* user = findOnline(id)) user->presence[key] = value;
}

void SteamHub::clearPresence(uint64_t id) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (User* user = find(id)) user->presence.clear();
}

std::string SteamHub::friendPresence(uint64_t reader, uint64_t id, const std::string& key) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const User* user = find(id);
  if (user == nullptr || (reader != id && !contains(user->friends, reader))) return std::string();
  const auto found = user->presence.find(key);
  return found != user->presence.end() ? found->second : std::string();
}

bool SteamHub::send(uint64_t from, uint64_t to, const uint8_t* data, uint32_t length,
                    int channel) {
  std::lock_guard<std::mutex> lock(mutex_);
  User* sender = findOnline(from);
  if (sender == nullptr) return false;
  User* target = findOnline(to);
  if (target == nullptr || from == to) {
    sender->callbacks.push_back(
        sessionCallback(STEAM_P2P_SESSION_CONNECT_FAIL, STEAM_RESULT_FAIL, to));
    return false;
  }
  openSession(*sender, to);
  Packet packet{from, channel, std::vector<uint8_t>(data, data + length)};
  if (contains(target->sessions, from)) {
    target->incoming[channel].push_back(std::move(packet));
    return true;
  }
  const bool asked = std::any_of(target->waiting.begin(), target->waiting.end(),
                                 [from](const Packet& p) { return p.from == from; });
  target->waiting.push_back(std::move(packet));
  if (!asked) {
    target->callbacks.push_back(
        sessionCallback(STEAM_P2P_SESSION_REQUEST, STEAM_RESULT_OK, from));
  }
  return true;
}

bool SteamHub::packetSize(uint64_t id, int channel, uint32_t& size) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const User* user = find(id);
  if (user == nullptr) return false;
  const auto queue = user->incoming.find(channel);
  if (queue == user->incoming.end() || queue->second.empty()) return false;
  size = static_cast<uint32_t>(queue->second.front().bytes.size());
  return true;
}

bool SteamHub::read(uint64_t id, int channel, uint8_t* buffer, uint32_t capacity,
                    uint32_t& written, uint64_t& sender) {
  std::lock_guard<std::mutex> lock(mutex_);
  User* user = find(id);
  if (user == nullptr) return false;
  std::deque<Packet>& queue = user->incoming[channel];
  if (queue.empty()) return false;
  const Packet& packet = queue.front();
  written = static_cast<uint32_t>(std::min<size_t>(packet.bytes.size(), capacity));
  std::copy_n(packet.bytes.begin(), written, buffer);
  sender = packet.from;
  queue.pop_front();
  return true;
}

bool SteamHub::accept(uint64_t id, uint64_t other) {
  std::lock_guard<std::mutex> lock(mutex_);
  User* user = findOnline(id);
  if (user == nullptr || find(other) == nullptr) return false;
  openSession(*user, other);
  return true;
}

bool SteamHub::close(uint64_t id, uint64_t other) {
  std::lock_guard<std::mutex> lock(mutex_);
  User* user = find(id);
  if (user == nullptr) return false;
  std::erase(user->sessions, other);
  std::erase_if(user->waiting, [other](const Packet& p) { return p.from == other; });
  for (auto& [channel, queue] : user->incoming) {
    std::erase_if(queue, [other](const Packet& p) { return p.from == other; });
  }
  return true;
}

std::vector<SteamCallbackData> SteamHub::takeCallbacks(uint64_t id) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<SteamCallbackData> due;
  if (User* user = find(id)) due.swap(user->callbacks);
  return due;
}

SteamHub::User* SteamHub::find(uint64_t id) {
  const auto found = users_.find(id);
  return found != users_.end() ? &found->second : nullptr;
}

const SteamHub::User* SteamHub::find(uint64_t id) const {
  const auto found = users_.find(id);
  return found != users_.end() ? &found->second : nullptr;
}

SteamHub::User* SteamHub::findOnline(uint64_t id) {
  User* user = find(id);
  return user != nullptr && user->online ? user : nullptr;
}

void SteamHub::openSession(User& user, uint64_t other) {
  if (!contains(user.sessions, other)) user.sessions.push_back(other);
  // What waited for this session arrives now, in the order it was sent.
  for (auto packet = user.waiting.begin(); packet != user.waiting.end();) {
    if (packet->from != other) {
      ++packet;
      continue;
    }
    user.incoming[packet->channel].push_back(std::move(*packet));
    packet = user.waiting.erase(packet);
  }
}

void SteamHub::endSessionsWith(uint64_t id) {
  for (auto& [otherId, other] : users_) {
    std::erase_if(other.waiting, [id](const Packet& p) { return p.from == id; });
    if (otherId == id || !contains(other.sessions, id)) continue;
    std::erase(other.sessions, id);
    other.callbacks.push_back(
        sessionCallback(STEAM_P2P_SESSION_CONNECT_FAIL, STEAM_RESULT_FAIL, id));
  }
}

}  // namespace kel
