#pragma once
// The numbers of a trade: the event codes both sides exchange (they are also the message ids of
// category 11 on the wire), the reply letters to a trade request, the four offer places a side
// has, the statistic a completed trade counts and the language texts of its outcomes.

#include <cstdint>

#include "world/rules/console_kind.h"

namespace trade {

// ---- Events ----
constexpr uint8_t kCancel = 117;
constexpr uint8_t kOffered = 118;
constexpr uint8_t kWithdrawn = 119;
constexpr uint8_t kReady = 120;
constexpr uint8_t kNotReady = 121;
constexpr uint8_t kBothReady = 122;
constexpr uint8_t kConfirm = 123;
// A side cannot take what it would receive (or what it offered is no longer in its slot).
constexpr uint8_t kNoRoom = 124;
constexpr uint8_t kCompleted = 125;
constexpr uint8_t kCancelledNoRoom = 126;

// ---- Replies to a request (the reply's message id) ----
constexpr uint8_t kAccept = 'q';
constexpr uint8_t kRefuse = 'r';
constexpr uint8_t kBusy = 's';

constexpr int kOfferPlaces = 4;
constexpr uint16_t kStatTraded = 61;

// ---- Interface texts and the message kinds they are shown as ----
constexpr uint8_t kNoticeKind = console_kind::kInformation;
constexpr uint8_t kRefusalKind = console_kind::kRefusal;
constexpr int16_t kTextRequestSent = 161;  // "%s" the asked player
constexpr int16_t kTextNobodyHere = 162;
constexpr int16_t kTextRefused = 163;  // "%s" the answering player
constexpr int16_t kTextBusy = 164;     // "%s" the answering player
constexpr int16_t kTextCompleted = 165;
constexpr int16_t kTextCancelled = 166;
constexpr int16_t kTextCancelledNoRoom = 167;

}  // namespace trade
