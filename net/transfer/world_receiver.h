#pragma once
// A joining client's side of a world transfer (world_sender.h gives the order). It builds the
// world from the header, fills its cells from the pieces or columns, its surface line and
// explored cells from their streams, reports its progress ([0][10]) and says when every cell
// arrived; once the client entered, it applies the running state (running_state.h).
//
// The host is distrusted. What comes out of place is refused and changes nothing: a header when
// the client expects none (before it asked, or a second one while it plays), pieces, columns or
// streams before their header, the clock before the cells, the running state before them. What
// makes the world impossible to complete ends the join, with a clear reason: a header no world
// can be built from (size, cells, phase, or an announced length past what the cells deflate to,
// which then never sizes a buffer), a piece past the announced length, a column off the map, a
// stream that does not inflate to exactly its size (the cells, a column's cells, the surface
// line, the explored cells).
//
// Main thread only.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/transfer/client_world.h"
#include "net/transfer/running_state.h"
#include "net/transfer/transfer_screen.h"
#include "net/transfer/world_arrival.h"
#include "net/transfer/world_header.h"
#include "net/wire/wire_in.h"

class Net;

class WorldReceiver {
 public:
  enum class Outcome : uint8_t {
    Nothing,        // taken or refused; nothing for the endpoint to do
    CellsComplete,  // every cell arrived: the client tells the host ([0][6])
    Failed,         // the world cannot be completed: the join ends (`failure` says why)
  };

  // Progress goes back through the endpoint (not owned).
  explicit WorldReceiver(Net& endpoint);
  ~WorldReceiver();
  WorldReceiver(const WorldReceiver&) = delete;
  WorldReceiver& operator=(const WorldReceiver&) = delete;

  // Not owned; null: the null form.
  void setArrival(WorldArrival* arrival) { arrival_ = arrival != nullptr ? arrival : &noArrival_; }
  void setScreen(TransferScreen* screen) { screen_ = screen != nullptr ? screen : &noScreen_; }

  // Category 3. `awaitingWorld`: the client asked for the world and has none yet.
  Outcome handleWorldData(wire::WireIn& in, bool awaitingWorld);
  // [4][61], [4][64], [4][66] and [5][77], once the client is in the world.
  void handleRunningState(wire::WireIn& in);

  // The world once the header built it, else null.
  World* world();
  WorldEntities* entities();
  bool cellsComplete() const { return phase_ == Phase::Complete; }
  // Messages refused so far, and why the join failed (empty while it did not).
  uint32_t refusedCount() const { return refused_; }
  const std::string& failure() const { return failure_; }

 private:
  enum class Phase : uint8_t { NoWorld, Downloading, Complete };

  Outcome header(wire::WireIn& in, bool awaitingWorld);
  Outcome piece(wire::WireIn& in);
  Outcome column(wire::WireIn& in);
  Outcome surface(wire::WireIn& in);
  Outcome explored(wire::WireIn& in);
  Outcome clock(wire::WireIn& in);
  Outcome completeCells(bool relight);
  void progress(uint64_t done, uint64_t whole);
  Outcome refuse(const char* why);
  Outcome fail(const char* why);

  Net& endpoint_;
  NullWorldArrival noArrival_;
  WorldArrival* arrival_ = &noArrival_;
  NullTransferScreen noScreen_;
  TransferScreen* screen_ = &noScreen_;
  Phase phase_ = Phase::NoWorld;
  std::unique_ptr<ClientWorld> world_;
  WorldHeader header_;
  std::vector<uint8_t> download_;      // the compressed cells so far
  std::vector<bool> columnsReceived_;  // per-column form
  uint32_t columnCount_ = 0;
  bool clockArrived_ = false;
  RunningStateReceiver runningState_;
  uint32_t refused_ = 0;
  std::string failure_;
};
