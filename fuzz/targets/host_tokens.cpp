// A character's hosts file: whatever it holds, what is written from it reads back the same.
#include <string>

#include "fuzz/support/fuzz_one.h"
#include "saves/store/host_tokens.h"

int fuzzOne(const uint8_t* data, size_t size) {
  const HostTokens tokens = readHostTokens(fuzzText(data, size));
  const std::string written = writeHostTokens(tokens);
  fuzzCheck(readHostTokens(written) == tokens, "a written hosts file reads back unchanged");
  return 0;
}
