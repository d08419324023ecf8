#include "net/wire/connection_messages.h"

#include <algorithm>
#include <tuple>

namespace wire {

WireOut helloMessage(std::string_view name, uint8_t peer, uint32_t version) {
  const Side sender = peer == 0 ? Side::Client : Side::Host;
  WireOut out(outgoing(ConnectionMsg::Hello, sender));
  out.peer(peer).name(name).u32(version);
  return out;
}

WireOut helloMessage(std::string_view name, const std::optional<Token>& token) {
  WireOut out = helloMessage(name);
  if (token) out.raw(*token);
  return out;
}

Hello readHello(WireIn& in) {
  Hello hello;
  hello.peer = in.peer();
  hello.name = in.name();
  hello.version = in.u32();
  const std::span<const uint8_t> tail = in.rest();
  if (tail.size() == std::tuple_size_v<Token>) {
    hello.token.emplace();
    std::copy(tail.begin(), tail.end(), hello.token->begin());
  }
  return hello;
}

WireOut identityMessage(const Identity& identity) {
  WireOut out(outgoing(ConnectionMsg::Identity, Side::Host));
  out.raw(identity.token).name(identity.name);
  return out;
}

Identity readIdentity(WireIn& in) {
  Identity identity;
  const std::span<const uint8_t> token = in.raw(identity.token.size());
  std::copy(token.begin(), token.end(), identity.token.begin());
  identity.name = in.name();
  return identity;
}

WireOut readyMessage() {
  WireOut out(outgoing(ConnectionMsg::Ready, Side::Host));
  out.u32(kProtocolVersion);
  return out;
}

WireOut admissionMessage() {
  WireOut out(outgoing(ConnectionMsg::Admission, Side::Host));
  out.u16(kAdmitted);
  return out;
}

WireOut refusalMessage(uint8_t reason) {
  WireOut out(outgoing(ConnectionMsg::Refusal, Side::Host));
  out.u8(reason);
  return out;
}

WireOut departureMessage(Side sender, uint8_t peer) {
  WireOut out(outgoing(ConnectionMsg::Departure, sender));
  out.peer(peer).u8(0);
  return out;
}

WireOut worldRequestMessage() {
  WireOut out(outgoing(ConnectionMsg::WorldRequest, Side::Client));
  out.u16(0);
  return out;
}

}  // namespace wire
