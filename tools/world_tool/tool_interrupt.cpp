#include "tools/world_tool/tool_interrupt.h"

#include <csignal>

namespace world_tool {

namespace {

volatile std::sig_atomic_t asked = 0;
struct sigaction previousInt;
struct sigaction previousTerm;

void onSignal(int) { asked = 1; }

}  // namespace

CatchInterrupt::CatchInterrupt() {
  asked = 0;
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previousInt);
  sigaction(SIGTERM, &action, &previousTerm);
}

CatchInterrupt::~CatchInterrupt() {
  sigaction(SIGINT, &previousInt, nullptr);
  sigaction(SIGTERM, &previousTerm, nullptr);
}

bool interrupted() { return asked != 0; }

}  // namespace world_tool
