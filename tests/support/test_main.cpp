// The one main of every test executable: each test runs from a clean slate of process-wide state
// that the fixtures of each library reset for themselves.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
