#pragma once
// How far each admitted client has come in joining: admitted by its hello, receiving the world
// (it asked once), holding the whole world, in the game. A client is taken through them in order
// and each step once, so a peer cannot ask for a second world transfer, enter before it has the
// world, or enter twice; a peer without an entry is at no stage and gets nothing. The effects she
// carries in are taken only while she names them as she enters: after that her word gives her none.
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

  // The last of her entering messages name the effects she carries in, each once, right after her
  // craft knowledge; her next message of any other kind ends them. Told of each message she sends
  // as it arrives, in order.
  void heard(uint8_t peer, bool craftKnowledge, bool effect);
  // True once for each effect she names while she is naming those she carries in; false after
  // (an effect she gets later is the host's rules' to give, as when she drinks a potion).
  bool takeEnteringEffect(uint8_t peer, uint16_t effect);

 private:
  enum class Effects : uint8_t { NotNamed, Naming, Named };
  struct Entering {
    Effects effects = Effects::NotNamed;
    std::vector<uint16_t> named;
  };

  void set(uint8_t peer, JoinStage stage);

  std::vector<JoinStage> stages_;
  std::vector<Entering> entering_;
};

}  // namespace host
