#pragma once
// An endpoint's notices printed on the tool's output: console lines (who joined, who left, chat)
// and the reason a client's connection ended.

#include <cstdio>
#include <string>

#include "net/endpoint/net_notices.h"

namespace world_tool {

class PrintedNotices final : public NetNotices {
 public:
  explicit PrintedNotices(std::FILE* out) : out_(out) {}
  void consoleLine(const std::string& text) override { std::fprintf(out_, "console: %s\n", text.c_str()); }
  void connectionLost(uint8_t, const std::string& text) override {
    std::fprintf(out_, "connection lost: %s\n", text.c_str());
    lost = true;
  }
  bool lost = false;

 private:
  std::FILE* out_;
};

}  // namespace world_tool
