#include "net/endpoint/net.h"

size_t Net::dispatchQueued() {
  if (shutDown_) return 0;
  const size_t handled = drain([this](const Message& message) {
    onPacket(message.data(), message.length(), message.peer());
    return !shutDown_;
  });
  if (!shutDown_) drained();
  return handled;
}
