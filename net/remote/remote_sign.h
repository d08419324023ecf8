#pragma once
// A client's copy of the host's sign, with the text the host sent. A text the player writes goes
// to the host as a request.
//
// Main thread only.

#include "world/blocks/sign.h"

class Net;

class RemoteSign : public Sign {
 public:
  // `net` (not owned) must outlive the copy.
  RemoteSign(MapBlock& cell, Net& net, const std::string& text);

  void setText(const char* text) override;

 private:
  Net& net_;
};
