#include "net/endpoint/host/join_stages.h"

namespace host {

bool JoinStages::advance(uint8_t peer, JoinStage from) {
  if (from == JoinStage::None || from == JoinStage::Entered || of(peer) != from) return false;
  set(peer, static_cast<JoinStage>(static_cast<uint8_t>(from) + 1));
  return true;
}

void JoinStages::set(uint8_t peer, JoinStage stage) {
  if (peer >= stages_.size()) stages_.resize(size_t{peer} + 1, JoinStage::None);
  stages_[peer] = stage;
}

}  // namespace host
