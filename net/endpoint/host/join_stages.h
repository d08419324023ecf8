#pragma once
// How far each admitted client has come in joining: admitted by its hello, receiving the world
// (it asked once), holding the whole world, in the game. A client is taken through them in order
// and each step once, so a peer cannot ask for a second world transfer, enter before it has the
// world, or enter twice; a peer without an entry is at no stage and gets nothing.
//
// Main thread only.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace host {

enum class JoinStage : uint8_t { None, Admitted, ReceivingWorld, HasWorld, Entered };

class JoinStages {
 public:
  JoinStage of(uint8_t peer) const { return peer < stages_.size() ? stages_[peer] : JoinStage::None; }
  void admit(uint8_t peer) { set(peer, JoinStage::Admitted); }
  void forget(uint8_t peer) { set(peer, JoinStage::None); }
  // Moves the peer from `from` to the next stage; false (and nothing changes) when it is at any
  // other stage.
  bool advance(uint8_t peer, JoinStage from);

 private:
  void set(uint8_t peer, JoinStage stage);

  std::vector<JoinStage> stages_;
};

}  // namespace host
