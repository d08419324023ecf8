// What a client's player is told on the host that only its own client shows: texts, statistics,
// trades, dialogs, the weather and clock, and fishing.
#include <algorithm>
#include <cstring>

#include "content/texts/language_texts.h"
#include "game/trade/trade_text.h"
#include "net/endpoint/net_server.h"
#include "net/players/player_messages.h"
#include "net/players/player_server.h"
#include "net/wire/wire_out.h"
#include "platform/settings/settings.h"
#include "world/world.h"

void PlayerServer::showMessage(uint8_t kind, const std::string& text) {
  ++told_;
  wire::WireOut out = wire::hostMessage(wire::PlayerMsg::PlayerText);
  out.chat(text).u8(player_msg::kTextMarker).u8(kind);
  toClient(out);
}

void PlayerServer::showTextById(uint8_t kind, int16_t textId) {
  showMessage(kind, languageTexts().text(textId));
}

void PlayerServer::recordStat(uint16_t statId, uint16_t value) {
  if (kel::options().disableRemoteStats) return;
  wire::WireOut out = wire::hostMessage(wire::PlayerMsg::Statistic);
  out.u16(statId).u16(value);
  toClient(out);
}

void PlayerServer::tradeMessage(uint8_t askingPeer, uint8_t askedPeer, std::string_view askingName) {
  wire::WireOut out = wire::hostMessage(wire::TradeMsg::TradeAsked);
  out.peer(askingPeer).peer(askedPeer).name(askingName);
  toClient(out);
}

void PlayerServer::tradeStarted(std::string_view partnerName) {
  std::array<uint8_t, player_msg::kTradeNameSize> name{};
  std::memcpy(name.data(), partnerName.data(), std::min(partnerName.size(), name.size()));
  wire::WireOut out = wire::hostMessage(wire::TradeMsg::TradeStarted);
  out.raw(name);
  toClient(out);
}

void PlayerServer::tradeEnded() { tell(wire::TradeMsg::TradeCancel); }

void PlayerServer::tradeEvent(uint8_t id) {
  // The game's trade events are the category's ids from "ready" on.
  if (id < wire::idOf(wire::TradeMsg::TradeReady) || id > wire::idOf(wire::TradeMsg::TradeCancelledNoRoom)) return;
  tellId(id);
}

void PlayerServer::tradeNotice(uint8_t kind, int16_t textId, std::string_view otherName) {
  showMessage(kind, tradeText(textId, otherName));
}

// A client may have spent an offered stack (dropped, placed, crafted it) after offering it: the
// host's copy of its items tells, before anything changes hands.
bool PlayerServer::canGiveTrade(std::span<const ItemPtr> given) const {
  if (world != nullptr && world->isCreative()) return true;
  for (const ItemPtr& item : given) {
    if (item == nullptr) continue;
    uint32_t offered = 0;
    for (const ItemPtr& other : given) {
      if (other != nullptr && other->id == item->id && other->word == item->word) offered += other->count;
    }
    if (items_.countWithWord(item->id, item->word) < offered) return false;
  }
  return true;
}

void PlayerServer::tradeExchanged(std::span<const ItemPtr> given, std::span<const ItemPtr> received) {
  for (const ItemPtr& item : given) {
    // The offered stack is the copy's own: the same stack leaves it, another of the id stays.
    if (item != nullptr) items_.takeNamed(*item, item->count);
  }
  for (const ItemPtr& item : received) {
    if (item != nullptr) items_.add(*item);
  }
}

void PlayerServer::tradeOfferChanged(bool offered, const Item* item) {
  wire::WireOut out = wire::hostMessage(offered ? wire::TradeMsg::TradeOffer : wire::TradeMsg::TradeWithdraw);
  out.item(item);
  toClient(out);
}

void PlayerServer::notifyRestored() { tell(wire::PlayerMsg::Restored); }

void PlayerServer::showPortalTravelDialog(uint32_t planet) {
  wire::WireOut out = wire::hostMessage(wire::PlayerMsg::Portal);
  out.u32(planet);
  toClient(out);
}

void PlayerServer::travelThroughPortal() { tell(wire::PlayerMsg::PortalTravel); }

void PlayerServer::setWeather(uint8_t kind, bool /*quiet*/) {
  wire::WireOut out = wire::hostMessage(wire::WorldChangeMsg::Weather);
  out.u8(kind);
  toClient(out);
}

void PlayerServer::setClockMode(uint8_t clockMode) {
  wire::WireOut out = wire::hostMessage(wire::WorldChangeMsg::ClockMode);
  out.u8(clockMode);
  toClient(out);
}

void PlayerServer::setDayClock(uint8_t phase, uint32_t tick) {
  wire::WireOut out = wire::hostMessage(wire::WorldDataMsg::PlayerDayClock);
  out.u8(phase).u32(tick);
  toClient(out);
}

void PlayerServer::forgetBobber() { tell(wire::FishingMsg::BobberForgotten); }
void PlayerServer::rememberBobber() { tell(wire::FishingMsg::BobberRemembered); }
void PlayerServer::stampBiteTime() { tell(wire::FishingMsg::BiteTime); }
