#include "net/endpoint/host/sender_claim.h"

#include "net/endpoint/net_player_table.h"
#include "net/wire/wire_layout.h"

namespace host {

bool claimForSender(const wire::MessageSpec& spec, std::span<uint8_t> message, uint8_t sender,
                    const NetPlayerTable& players) {
  size_t offset = wire::kHeaderSize;
  for (wire::LayoutCursor cursor(spec.layout); !cursor.atTail(); cursor.next()) {
    const char code = cursor.code();
    if (offset >= message.size()) return false;  // the catalogue's check makes this unreachable
    if (code == 'P') message[offset] = sender;
    if (code == 'O') {
      const uint8_t named = message[offset];
      if (named == sender || players.at(named) == nullptr) return false;
    }
    offset += wire::fieldWidth(code);
  }
  return true;
}

}  // namespace host
