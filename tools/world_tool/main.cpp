// world_tool generate | play | character | load (see world_tool_args.h): generates a world of a
// planet headless from the build's data folder and draws or saves it, plays a scripted game alone,
// writes a new character's file, or reads any save file back and reports what it holds.

#include <cstdio>
#include <string>
#include <vector>

#include "tools/world_tool/world_tool_args.h"
#include "tools/world_tool/world_tool_run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const auto parsed = world_tool::parseArgs(args, error);
  if (!parsed) {
    std::fprintf(stderr, "world_tool: %s\n%s\n", error.c_str(), world_tool::usage());
    return 2;
  }
  return world_tool::run(*parsed, stdout, stderr);
}
