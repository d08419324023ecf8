#pragma once
// What the wait view's status line says while a world travels: the host waits for a client that
// is taking the world, a client waits for the host to send the rest of it. The world transfer
// hands its status label to one of these.
//
// Main thread only.

namespace engine {
class Label;
}

namespace transfer_status {
void waitingForClient(engine::Label& label);
void waitingForServer(engine::Label& label);
}  // namespace transfer_status
