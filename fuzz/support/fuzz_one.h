#pragma once
// The contract of a fuzz target: one file under fuzz/targets/ defines fuzzOne for one parser of
// outside input. It feeds the bytes to the parser as the game would and returns 0; a fault shows
// as a sanitizer report or an abort (see fuzzCheck). The same function is driven by libFuzzer and
// by the replay of saved inputs that the test suite runs.

#include <cstddef>
#include <cstdint>

int fuzzOne(const uint8_t* data, size_t size);

// A property the parser promises for every input (a written file reads back, say); aborts with
// the message when it does not hold, so both drivers report it as a finding.
void fuzzCheck(bool holds, const char* what);
