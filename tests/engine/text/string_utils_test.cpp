#include <gtest/gtest.h>

#include <cstdarg>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/base/path_utils.h"
#include "engine/base/string_utils.h"
#include "engine/base/utf.h"
#include "tests/support/temp_dir.h"

using namespace engine;
using Pieces = std::vector<std::string>;

namespace {

int format(char* buffer, size_t size, const char* text, ...) {
  va_list arguments;
  va_start(arguments, text);
  const int result = formatVString(buffer, size, text, arguments);
  va_end(arguments);
  return result;
}

}  // namespace

TEST(SplitString, KeepsEmptyPiecesAndCutsLongPiecesAgainAndAgain) {
  EXPECT_EQ(splitString("a,,b", NO_MAXIMUM_LENGTH, ","), (Pieces{"a", "", "b"}));
  EXPECT_EQ(splitString("abcdef gh", 3, " "), (Pieces{"abc", "def", "gh"}));
  // A maximum of 0 cannot be met by any non-empty piece; it must not hang.
  EXPECT_EQ(splitString("abc", 0, " "), (Pieces{"abc"}));
  EXPECT_EQ(splitString("a\r\nb\r\n", NO_MAXIMUM_LENGTH, "\r\n"), (Pieces{"a", "b", ""}));
}

TEST(SplitString, HardWrapNeverLeavesBrokenUtf8) {
  std::string text;
  for (int i = 0; i < 20; ++i) text += "\xC3\xA9";
  for (size_t maximum : {24u, 5u}) {
    std::string joined;
    for (const std::string& piece : splitString(text, maximum, "\n")) {
      EXPECT_LE(piece.size(), maximum);
      EXPECT_EQ(sanitizeUtf8(piece), piece) << "maximum " << maximum;
      joined += piece;
    }
    EXPECT_EQ(joined, text);
  }
  // A four-byte sequence wider than the maximum is still cut, rather than looping.
  EXPECT_EQ(splitString("\xF0\x9F\x98\x80", 2, " ").size(), 2u);
}

TEST(CaseHandling, OrdersCaseBlindWithBytesUnsigned) {
  EXPECT_FALSE(equalsIgnoreCase("Stone", "Stones"));
  EXPECT_TRUE(lessIgnoreCase("zz", "\xC3\xA9"));  // bytes above 127 sort after ASCII
  EXPECT_TRUE(lessIgnoreCase("Anvil", "axe"));
  EXPECT_FALSE(lessIgnoreCase("IRON", "iron"));
}

TEST(FormatVString, CutsButReportsTheWholeLength) {
  char buffer[8];
  EXPECT_EQ(format(buffer, sizeof buffer, "%s", "0123456789"), 10);
  EXPECT_STREQ(buffer, "0123456");
  EXPECT_EQ(format(buffer, sizeof buffer, nullptr), -1);
}

TEST(PathUtils, ExtensionsBelongToTheFilePartOnlyAndJoinsUseOneSlash) {
  EXPECT_EQ(stripExtension("my.folder/file"), "my.folder/file");
  EXPECT_EQ(stripExtension("saves/world.dat.bak"), "saves/world.dat");
  EXPECT_FALSE(hasFileExtension("png", "png"));
  EXPECT_EQ(joinPath("a/", "/b"), "a/b");
}

TEST(PathUtils, MoveFileReplacesTheTargetAndReportsFailure) {
  testsupport::TempDir dir;
  const std::string from = dir.write("from.txt", "new");
  const std::string to = dir.write("sub/to.txt", "old");
  EXPECT_TRUE(moveFile(from, to));
  EXPECT_EQ(dir.read("sub/to.txt"), "new");
  EXPECT_FALSE(std::filesystem::exists(from));
  EXPECT_FALSE(moveFile(dir.file("missing"), dir.file("elsewhere")));
}
