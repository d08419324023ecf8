#include "net/endpoint/connection_lost.h"

const char* connectionLostText(uint8_t reason) {
  switch (reason) {
    case lost_reason::kHostQuit: return "The host has quit the game.";
    case lost_reason::kServerFull: return "Can't join! Server is full.";
    case lost_reason::kTimedOut: return "The connection with the host has timed out.";
    case lost_reason::kVersionDiffers: return "Can't join! Server version is different from local.";
    case lost_reason::kStillHere: return "Can't join! Your character is still in this game: join again in a moment.";
    case lost_reason::kWorldUnreadable: return "The world sent by the host could not be read.";
    default: return "";
  }
}
