#include "net/players/transfer_status.h"

#include "engine/text/label.h"

namespace transfer_status {

void waitingForClient(engine::Label& label) { label.setString("Waiting for client.."); }
void waitingForServer(engine::Label& label) { label.setString("Waiting for server.."); }

}  // namespace transfer_status
