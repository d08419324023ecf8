#pragma once
// An interrupt (Ctrl-C) asks a running tool to end as it would at its end, instead of killing it:
// while a `CatchInterrupt` lives, SIGINT and SIGTERM only set the flag `interrupted` reads.

namespace world_tool {

class CatchInterrupt {
 public:
  CatchInterrupt();
  ~CatchInterrupt();
  CatchInterrupt(const CatchInterrupt&) = delete;
  CatchInterrupt& operator=(const CatchInterrupt&) = delete;
};

bool interrupted();

}  // namespace world_tool
