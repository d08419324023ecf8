#pragma once
// The contract of a fuzz target: one file under fuzz/targets/ defines fuzzOne for one parser of
// outside input. It feeds the bytes to the parser as the game would and returns 0; a fault shows
// as a sanitizer report or an abort (see fuzzCheck). The same function is driven by libFuzzer and
// by the replay of saved inputs that the test suite runs.

#include <cstddef>
#include <cstdint>
#include <string>

int fuzzOne(const uint8_t* data, size_t size);

// The bytes as the text a file or a typed line gives a parser, byte for byte (each byte converted,
// no pointer reinterpreted).
inline std::string fuzzText(const uint8_t* data, size_t size) { return std::string(data, data + size); }

// A property the parser promises for every input (a written file reads back, say); aborts with
// the message when it does not hold, so both drivers report it as a finding.
void fuzzCheck(bool holds, const char* what);
