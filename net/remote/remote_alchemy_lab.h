#pragma once
// A client's copy of the host's alchemy lab, with the five stacks the host sent. A stack the
// player puts in goes to the host as a request; the brewing is the host's.
//
// Main thread only.

#include <cstdint>

#include "world/blocks/alchemy_lab.h"

class Net;

class RemoteAlchemyLab : public AlchemyLab {
 public:
  // `net` (not owned) must outlive the copy.
  RemoteAlchemyLab(MapBlock& cell, Net& net);

  // Takes a stack the host sent, without a request.
  void fill(uint8_t slot, ItemPtr item) { AlchemyLab::setItem(slot, std::move(item)); }
  void setItem(uint8_t slot, ItemPtr item) override;

 private:
  Net& net_;
};
