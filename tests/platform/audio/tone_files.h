#pragma once
// Tiny sound files for the audio tests, written with libsndfile into a temporary folder.

#include <string>

#include "tests/support/temp_dir.h"

namespace audiotest {

// A WAV tone of `seconds` at `rate`, whatever the file name's extension says; returns its path.
std::string writeTone(const testsupport::TempDir& dir, const std::string& name, double seconds,
                      int rate = 8000, int channels = 1);

// Reads the frame count of a file back, -1 when it does not open.
long long framesIn(const std::string& path);

}  // namespace audiotest
