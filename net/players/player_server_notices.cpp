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

void PlayerServer::showMessage(uint8_t kind, const std::string& text) {
  wire::WireOut out = message(player_msg::kText);
  out.chat(text).u8(player_msg::kTextMarker).u8(kind);
  toClient(out);
}

void PlayerServer::showTextById(uint8_t kind, int16_t textId) {
  showMessage(kind, languageTexts().text(textId));
}

void PlayerServer::recordStat(uint16_t statId, uint16_t value) {
  if (kel::options().disableRemoteStats) return;
  wire::WireOut out = message(player_msg::kStatistic);
  out.u16(statId).u16(value);
  toClient(out);
}

void PlayerServer::tradeMessage(uint8_t askingPeer, uint8_t askedPeer, std::string_view askingName) {
  wire::WireOut out = message(player_msg::kTradeAsked);
  out.peer(askingPeer).peer(askedPeer).name(askingName);
  toClient(out);
}

void PlayerServer::tradeStarted(std::string_view partnerName) {
  std::array<uint8_t, player_msg::kTradeNameSize> name{};
  std::memcpy(name.data(), partnerName.data(), std::min(partnerName.size(), name.size()));
  wire::WireOut out = message(player_msg::kTradeStarted);
  out.raw(name);
  toClient(out);
}

void PlayerServer::tradeEnded() { tell(player_msg::kTradeEnded); }

void PlayerServer::tradeEvent(uint8_t id) {
  if (id < player_msg::kFirstTradeEvent || id > player_msg::kLastTradeEvent) return;
  tell(id);
}

void PlayerServer::tradeNotice(uint8_t kind, int16_t textId, std::string_view otherName) {
  showMessage(kind, tradeText(textId, otherName));
}

void PlayerServer::tradeExchanged(std::span<const ItemPtr> given, std::span<const ItemPtr> received) {
  for (const ItemPtr& item : given) {
    if (item != nullptr) items_.take(item->id, item->count);
  }
  for (const ItemPtr& item : received) {
    if (item != nullptr) items_.add(*item);
  }
}

void PlayerServer::tradeOfferChanged(bool offered, const Item* item) {
  wire::WireOut out = message(offered ? player_msg::kTradeOffered : player_msg::kTradeWithdrawn);
  out.item(item);
  toClient(out);
}

void PlayerServer::notifyRestored() { tell(player_msg::kRestored); }

void PlayerServer::showPortalTravelDialog(uint32_t planet) {
  wire::WireOut out = message(player_msg::kPortalDialog);
  out.u32(planet);
  toClient(out);
}

void PlayerServer::travelThroughPortal() { tell(player_msg::kPortalTravel); }

void PlayerServer::setWeather(uint8_t kind, bool /*quiet*/) {
  wire::WireOut out = message(player_msg::kWeather);
  out.u8(kind);
  toClient(out);
}

void PlayerServer::setClockMode(uint8_t clockMode) {
  wire::WireOut out = message(player_msg::kClockMode);
  out.u8(clockMode);
  toClient(out);
}

void PlayerServer::setDayClock(uint8_t phase, uint32_t tick) {
  wire::WireOut out = message(player_msg::kDayClock);
  out.u8(phase).u32(tick);
  toClient(out);
}

void PlayerServer::forgetBobber() { tell(player_msg::kForgetBobber); }
void PlayerServer::rememberBobber() { tell(player_msg::kRememberBobber); }
void PlayerServer::stampBiteTime() { tell(player_msg::kBiteTime); }
