// Scripts of the world tool's played game: whatever bytes a script holds, it parses into steps
// whose arguments lie in their ranges, or it is refused with the number of a line it has.
#include <string>

#include "fuzz/support/fuzz_one.h"
#include "tools/world_tool/play_script.h"

int fuzzOne(const uint8_t* data, size_t size) {
  const std::string text = fuzzText(data, size);
  std::string error;
  const auto steps = world_tool::parsePlayScript(text, error);
  if (!steps) {
    fuzzCheck(error.rfind("line ", 0) == 0, "a refusal names its line");
    return 0;
  }
  int lastLine = 0;
  for (const world_tool::PlayStep& step : *steps) {
    fuzzCheck(step.line > lastLine, "steps keep the script's order");
    fuzzCheck(step.a >= 0 && step.b >= 0, "arguments are never negative");
    lastLine = step.line;
  }
  return 0;
}
