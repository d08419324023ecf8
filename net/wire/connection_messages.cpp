#include "net/wire/connection_messages.h"

namespace wire {

WireOut helloMessage(std::string_view name, uint8_t peer, uint32_t version) {
  const Side sender = peer == 0 ? Side::Client : Side::Host;
  WireOut out(outgoing(id::kHello, sender));
  out.peer(peer).name(name).u32(version);
  return out;
}

Hello readHello(WireIn& in) {
  Hello hello;
  hello.peer = in.peer();
  hello.name = in.name();
  hello.version = in.u32();
  return hello;
}

WireOut readyMessage() {
  WireOut out(outgoing(id::kReady, Side::Host));
  out.u32(kProtocolVersion);
  return out;
}

WireOut admissionMessage() {
  WireOut out(outgoing(id::kAdmission, Side::Host));
  out.u16(kAdmitted);
  return out;
}

WireOut refusalMessage(uint8_t reason) {
  WireOut out(outgoing(id::kRefusal, Side::Host));
  out.u8(reason);
  return out;
}

WireOut departureMessage(Side sender, uint8_t peer) {
  WireOut out(outgoing(id::kDeparture, sender));
  out.peer(peer).u8(0);
  return out;
}

WireOut worldRequestMessage() {
  WireOut out(outgoing(id::kWorldRequest, Side::Client));
  out.u16(0);
  return out;
}

}  // namespace wire
