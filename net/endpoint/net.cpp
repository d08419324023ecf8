#include "net/endpoint/net.h"

size_t Net::dispatchQueued() {
  if (shutDown_) return 0;
  return drain([this](const Message& message) {
    onPacket(message.data(), message.length(), message.peer());
    return !shutDown_;
  });
}
