#pragma once
// The trade requests the host sent and that wait for an answer (kept in the players' game's
// `TradeBook`), and the answer's rules. Only an
// answer to a request that was made counts: a client cannot start a trade, or send a refusal, in
// the name of a player who never asked it.
//
// Main thread only.

#include <cstdint>
#include <string_view>

class PlayerBase;

// The asked player was sent the asking player's request (nothing when the asking player is in no
// game that trades).
void recordTradeRequest(const PlayerBase& asking, const PlayerBase& asked);
bool hasTradeRequest(const PlayerBase& asking, const PlayerBase& asked);
// Every request the player made or was sent is forgotten (it left).
void forgetTradeRequestsOf(const PlayerBase& player);

// The answer (`trade::kAccept`, `kRefuse`, `kBusy`) of the asked player to the asking one's
// request; nothing without such a request. A refusal or a busy answer is told to the asker with
// the answerer's name; an acceptance starts a trade (A the asker) and opens both windows, each
// with the other's name, unless either already trades.
void answerTradeRequest(uint8_t answer, PlayerBase& asking, PlayerBase& answering,
                        std::string_view answeringName, std::string_view askingName);
