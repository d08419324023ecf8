#pragma once
// The process's current endpoint: none while playing alone. The host and join menus make an
// endpoint current; its shutdown takes it out again. Read at the edges (a frame's drain, a
// handler, a menu); code below them is handed the endpoint by its caller.
//
// The current endpoint is owned here. A shut-down endpoint is not deleted while its own code may
// still run (a handler that ends the game is called from the endpoint's drain): it is retired,
// and freed by the next frame's drain, the next endpoint or `endCurrentNet`.
//
// Main thread only.

#include <memory>

class Net;

Net* currentNet();
// Makes the endpoint current and owned here; a previous one is shut down first.
Net& makeCurrentNet(std::unique_ptr<Net> endpoint);
// Called by the endpoint's shutdown: if it is the current one, it is current no more.
void retireCurrentNet(const Net& endpoint);
// The per-frame drain of the current endpoint (its own drain timer); frees a retired endpoint after.
void dispatchCurrentNet();
// Whether the endpoint is still held here, current or retired (else it was freed).
bool holdsNet(const Net& endpoint);
// Frees a retired endpoint. Never from inside its own drain: a hand-over after the frame's tasks.
void releaseRetiredNet();
// Shuts the current endpoint down and frees it and any retired one (a game's end, the exit).
void endCurrentNet();
