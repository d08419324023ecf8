// The local player's potion effects: she reads when one starts and when it wears off, and a
// hosting game's guests see them start and end on their copies of her.

#include "content/potions/potion_table.h"
#include "content/texts/language_texts.h"
#include "game/player/player.h"
#include "world/rules/console_kind.h"
#include "world/rules/game.h"

namespace {

constexpr int kEffectStartedText = 136;
constexpr int kEffectWornOffText = 137;

}  // namespace

void Player::tellOfEffect(int textId, uint16_t id) {
  showMessage(console_kind::kInformation, languageTexts().textWith(textId, potionDisplayName(id)));
}

void Player::addBuff(uint16_t id) {
  if (potionDefForValue(id) == nullptr) return;
  tellOfEffect(kEffectStartedText, id);
  PlayerBase::addBuff(id);
  tellPeersOfBuff(id, true);
}

void Player::removeBuff(uint16_t id) {
  // An effect she is not under cannot wear off: nobody is told.
  if (!hasBuff(id)) return;
  tellOfEffect(kEffectWornOffText, id);
  PlayerBase::removeBuff(id);
  tellPeersOfBuff(id, false);
}

void Player::tellPeersOfBuff(uint16_t id, bool gained) {
  GamePeerReports* reports = game != nullptr ? game->peerReports() : nullptr;
  if (reports != nullptr) reports->sendBuff(id, gained);
}
