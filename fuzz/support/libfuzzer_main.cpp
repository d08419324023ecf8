// libFuzzer's entry: every generated input goes to the target's fuzzOne.
#include "fuzz/support/fuzz_one.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return fuzzOne(data, size);
}
