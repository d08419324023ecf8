#include "net/endpoint/host/join_stages.h"

#include <algorithm>

namespace host {

bool JoinStages::advance(uint8_t peer, JoinStage from) {
  if (from == JoinStage::None || from == JoinStage::Entered || of(peer) != from) return false;
  set(peer, static_cast<JoinStage>(static_cast<uint8_t>(from) + 1));
  return true;
}

void JoinStages::heard(uint8_t peer, bool craftKnowledge, bool effect) {
  if (of(peer) != JoinStage::Entered || effect) return;
  Entering& entering = entering_[peer];
  // Her craft knowledge comes once, in her entering messages; a second one opens nothing.
  if (craftKnowledge && entering.effects == Effects::NotNamed) {
    entering.effects = Effects::Naming;
  } else if (entering.effects == Effects::Naming) {
    entering.effects = Effects::Named;
    entering.named.clear();
  }
}

bool JoinStages::takeEnteringEffect(uint8_t peer, uint16_t effect) {
  if (of(peer) != JoinStage::Entered) return false;
  Entering& entering = entering_[peer];
  if (entering.effects != Effects::Naming) return false;
  // Named again once it ran out, while she sends nothing else, it would never end.
  if (std::find(entering.named.begin(), entering.named.end(), effect) != entering.named.end()) return false;
  entering.named.push_back(effect);
  return true;
}

void JoinStages::set(uint8_t peer, JoinStage stage) {
  if (peer >= stages_.size()) {
    stages_.resize(size_t{peer} + 1, JoinStage::None);
    entering_.resize(size_t{peer} + 1);
  }
  stages_[peer] = stage;
  // A new entry at the peer enters afresh.
  if (stage == JoinStage::None || stage == JoinStage::Admitted) entering_[peer] = {};
}

}  // namespace host
