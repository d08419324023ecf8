#pragma once
// What an endpoint tells the person playing: console lines (who joined, who left) and why a
// client's connection ended. The view and the start view implement it; an endpoint is handed one
// when it is made, and the null form shows nothing.

#include <cstdint>
#include <string>

class NetNotices {
 public:
  virtual ~NetNotices() = default;
  virtual void consoleLine(const std::string& text) = 0;
  // The client's connection ended for `reason` (connection_lost.h); `text` says why.
  virtual void connectionLost(uint8_t reason, const std::string& text) = 0;
};

class NullNetNotices : public NetNotices {
 public:
  void consoleLine(const std::string&) override {}
  void connectionLost(uint8_t, const std::string&) override {}
};
