#include "net/remote/remote_sign.h"

#include "net/remote/remote_message.h"

namespace {
// The request's last byte: the text is the player's edit.
constexpr uint8_t kEdited = 1;
}  // namespace

RemoteSign::RemoteSign(MapBlock& cell, Net& net, const std::string& text) : Sign(cell), net_(net) {
  Sign::setText(text.c_str());
}

void RemoteSign::setText(const char* text) {
  Sign::setText(text);
  wire::WireOut out = remote::requestFor(wire::SignMsg::SignEdit, *this);
  out.signText(this->text()).u8(kEdited);
  remote::send(net_, out);
}
