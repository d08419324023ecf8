#include "net/endpoint/host/cosmetic_budget.h"

namespace host {

bool CosmeticBudget::spend(uint8_t peer) { return peers_[peer].take(kAllowance, clock_()); }

}  // namespace host
