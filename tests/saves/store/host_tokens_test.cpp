// The hosts file's lines: what is written reads back, and lines of another form are left out.
#include "saves/store/host_tokens.h"

#include <gtest/gtest.h>

namespace {

TEST(HostTokensTest, WrittenTokensReadBack) {
  const HostTokens tokens{{"127.0.0.1:12345", {0x00, 0x10, 0xab, 0xff}}, {"store:76561198000000000", {1}}};
  const std::string text = writeHostTokens(tokens);
  EXPECT_EQ(text, "0010abff 127.0.0.1:12345\n01 store:76561198000000000\n");
  EXPECT_EQ(readHostTokens(text), tokens);
}

TEST(HostTokensTest, LinesOfAnotherFormAreLeftOut) {
  const HostTokens read = readHostTokens(
      "0A0b host one\n"   // upper-case digits and a key with a space: a host's line
      "abc odd\n"         // an odd number of digits
      "zz12 bad-digits\n"
      "12\n"              // no key
      "12 \n"             // an empty key
      "34 crlf\r\n"       // a control byte in the key
      "\n" +
      std::string(2 * (kMostHostTokenBytes + 1), 'a') + " too-long\n");
  EXPECT_EQ(read, (HostTokens{{"host one", {0x0a, 0x0b}}}));
}

TEST(HostTokensTest, AKeyWithALineEndIsNotWritten) {
  EXPECT_EQ(writeHostTokens({{"two\nlines", {1}}, {"", {2}}, {"fine", {}}}), "");
}

}  // namespace
