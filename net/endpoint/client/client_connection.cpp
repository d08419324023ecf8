// A client's side of who is in the game: the other players as the host names them (a relayed
// hello, the entries it lists once the world arrived), the players who leave, the clients that are
// joining, and this client's own entering.
#include <utility>
#include <vector>

#include "content/items/item.h"
#include "entities/core/world_entities.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "net/endpoint/net_client.h"
#include "net/endpoint/net_player_client.h"
#include "net/wire/connection_messages.h"
#include "net/wire/wire_messages.h"
#include "world/rules/console_kind.h"

namespace {

namespace msg {
constexpr uint8_t kIsReceiver = 1;
// Message kind of a player's arrival on the console.
constexpr uint8_t kNoticeKind = 1;
}  // namespace msg

constexpr Inventory::Area kCarriedAreas[] = {
    Inventory::Area::Quick,     Inventory::Area::CreativeQuick, Inventory::Area::CraftGrid,
    Inventory::Area::Backpack,  Inventory::Area::Equipment,     Inventory::Area::Equipment2,
    Inventory::Area::Single,    Inventory::Area::Trinket,
};

uint8_t wholePart(float value) {
  if (!(value > 0)) return 0;
  return value >= 255 ? 255 : static_cast<uint8_t>(value);
}

}  // namespace

PlayerClientDesktop* NetClient::remotePlayer(uint8_t peer) const {
  if (peer == localPeerId()) return nullptr;
  const auto* entry = static_cast<const NetPlayerClient*>(players_.at(peer));
  return entry != nullptr ? entry->player() : nullptr;
}

std::optional<uint8_t> NetClient::peerOf(const PlayerBase& player) const {
  for (size_t peer = 0; peer < players_.size(); ++peer) {
    if (remotePlayer(static_cast<uint8_t>(peer)) == &player) return static_cast<uint8_t>(peer);
  }
  return std::nullopt;
}

PlayerBase* NetClient::playerOf(uint8_t peer) const {
  if (peer == localPeerId()) return localPlayer_;
  return remotePlayer(peer);
}

void NetClient::addRemotePlayer(uint8_t peer, std::string name) {
  if (peer == localPeerId()) return;  // never a copy of this client's own player
  removeEntry(peer);
  auto player = std::make_unique<PlayerClientDesktop>(world(), view_->copyEvents());
  players_.put(peer, std::make_unique<NetPlayerClient>(std::move(name), std::move(player)));
}

void NetClient::removeEntry(uint8_t peer) {
  const auto* entry = static_cast<const NetPlayerClient*>(players_.at(peer));
  if (entry == nullptr) return;
  if (entry->player() != nullptr) {
    view_->remotePlayerGone(*entry->player());
    if (WorldEntities* lists = entities()) lists->dropOwner(entry->player()->playerId());
  }
  players_.remove(peer);
}

void NetClient::joined(wire::WireIn& in) {
  if (state_ < kInGame) return;
  const wire::Hello hello = wire::readHello(in);
  if (hello.peer == localPeerId()) return;
  addRemotePlayer(hello.peer, hello.name);
  if (localPlayer_ != nullptr) localPlayer_->showMessage(msg::kNoticeKind, hello.name + " connected.");
}

void NetClient::playerEntry(wire::WireIn& in) {
  const uint8_t peer = in.peer();
  const uint8_t isReceiver = in.u8();
  std::string name = in.name();
  if (isReceiver == msg::kIsReceiver) {
    setLocalPeerId(peer);
  } else {
    addRemotePlayer(peer, std::move(name));
  }
}

void NetClient::joining(wire::WireIn& in) {
  const uint8_t change = in.u8();
  if (change == wire::kJoiningStarted) ++joiningCount_;
  // The count never goes below none, whatever the host says.
  if (change == wire::kJoiningEnded && joiningCount_ > 0) --joiningCount_;
  if (state_ == kInGame) announceJoiningClient();
}

void NetClient::announceJoiningClient() { view_->joiningStatus(joiningCount_ != 0); }

// Every stack the player carries, so that the host can tell what it may spend.
void NetClient::sendInventory(const PlayerDesktopLocal& player) {
  if (player.inventory == nullptr) return;
  std::vector<const Item*> stacks;
  for (const Inventory::Area area : kCarriedAreas) {
    for (const ItemPtr& item : std::as_const(*player.inventory).area(area)) {
      if (item != nullptr && !item->isNone()) stacks.push_back(item.get());
    }
  }
  wire::WireOut out = message(wire::PlayerMsg::Inventory);
  out.count(static_cast<uint32_t>(stacks.size()));
  for (const Item* item : stacks) out.item(item);
  sendMessage(out);
}

void NetClient::enterWorld() {
  PlayerDesktopLocal* player = localPlayer_;
  if (player == nullptr) return;
  enterWorld(wholePart(player->stats.maxHealth), wholePart(player->health));
  if (!renamedNotice_.empty()) player->showMessage(console_kind::kInformation, std::exchange(renamedNotice_, {}));
  sendMessage(message(wire::PlayerMsg::Look).u32(player->lookWord).peer(localPeerId()));
  // What she carries first: the host holds and dresses her only in what its copy of her items has.
  sendInventory(*player);
  sendItemUpdate(player->heldItem(), static_cast<uint8_t>(player->selectedQuickSlot()));
  for (uint8_t index = 0; index < 5; ++index) {
    for (uint8_t part = 0; part < 2; ++part) {
      sendItemUpdateTo(player->getEquipment(part != 0, index), index, part);
    }
  }
  const bool flying = player->mode != 0 || player->hasFlag(player_flag::kFlying) ||
                      player->hasFlag(player_flag::kNoClip);
  sendMessage(message(wire::PlayerMsg::PlayerMode).peer(localPeerId()).u8(flying ? 1 : 0));
  const RecipeKnowledge* knowledge = player->knowledge.get();
  wire::WireOut craft = message(wire::PlayerMsg::CraftKnowledge);
  craft.u8(knowledge != nullptr && knowledge->countUnknownEntries() == 0 ? 1 : 0);
  craft.raw(knowledge != nullptr ? knowledge->known : RecipeKnowledge::Bitset{});
  sendMessage(craft);
  for (const PlayerBuff& buff : player->stats.buffs) {
    sendMessage(message(wire::PlayerMsg::Effect).peer(localPeerId()).u16(buff.id).u16(buff.remaining));
  }
  announceJoiningClient();
}
