#include <cstdio>
#include <cstdlib>

#include "fuzz/support/fuzz_one.h"

void fuzzCheck(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}
