#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/base/path_utils.h"
#include "engine/base/string_utils.h"
#include "engine/base/utf.h"
#include "engine/base/vec2_rotation.h"
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
  EXPECT_EQ(splitString(" ", NO_MAXIMUM_LENGTH, " "), (Pieces{"", ""}));
  EXPECT_EQ(splitString("a,,b", NO_MAXIMUM_LENGTH, ","), (Pieces{"a", "", "b"}));
  EXPECT_EQ(splitString("", NO_MAXIMUM_LENGTH, ";"), (Pieces{""}));
  EXPECT_EQ(splitString("abcdefghij", 4, " "), (Pieces{"abcd", "efgh", "ij"}));
  EXPECT_EQ(splitString("abcdef gh", 3, " "), (Pieces{"abc", "def", "gh"}));
  // A maximum of 0 cannot be met by any non-empty piece; it must not hang.
  EXPECT_EQ(splitString("abc", 0, " "), (Pieces{"abc"}));
  // A longer delimiter is dropped whole.
  EXPECT_EQ(splitString("a\r\nb\r\n", NO_MAXIMUM_LENGTH, "\r\n"), (Pieces{"a", "b", ""}));
  EXPECT_EQ(splitString("x, y,z", NO_MAXIMUM_LENGTH, ", "), (Pieces{"x", "y,z"}));
}

TEST(SplitString, HardWrapNeverLeavesBrokenUtf8) {
  // Twenty 'é' (two bytes each) wrapped at 24 bytes and at an odd 5.
  std::string text;
  for (int i = 0; i < 20; ++i) text += "\xC3\xA9";
  for (size_t maximum : {24u, 5u, 3u}) {
    const Pieces pieces = splitString(text, maximum, "\n");
    std::string joined;
    for (const std::string& piece : pieces) {
      EXPECT_LE(piece.size(), maximum);
      EXPECT_TRUE(isValidUtf8(piece)) << "maximum " << maximum;
      joined += piece;
    }
    EXPECT_EQ(joined, text);
  }
  // A four-byte sequence wider than the maximum is still cut, rather than looping.
  const Pieces tight = splitString("\xF0\x9F\x98\x80", 2, " ");
  EXPECT_EQ(tight.size(), 2u);
}

TEST(CaseHandling, TouchesAsciiLettersOnlyAndOrdersCaseBlindWithBytesUnsigned) {
  EXPECT_EQ(toUpperCase("caf\xC3\xA9 z@[`{"), "CAF\xC3\xA9 Z@[`{");
  EXPECT_EQ(toLowerCase("CAF\xC3\x89 A@Z["), "caf\xC3\x89 a@z[");
  EXPECT_TRUE(equalsIgnoreCase("Stone Pick", "sTONE pICK"));
  EXPECT_FALSE(equalsIgnoreCase("Stone", "Stones"));
  EXPECT_FALSE(equalsIgnoreCase("\xC3\xA9", "\xC3\x89"));
  EXPECT_TRUE(lessIgnoreCase("Iron", "iron ore"));
  EXPECT_FALSE(lessIgnoreCase("IRON", "iron"));
  // Bytes above 127 sort after ASCII, as unsigned values.
  EXPECT_TRUE(lessIgnoreCase("zz", "\xC3\xA9"));
  Pieces names{"wood", "Anvil", "bed", "axe"};
  std::sort(names.begin(), names.end(), lessIgnoreCase);
  EXPECT_EQ(names, (Pieces{"Anvil", "axe", "bed", "wood"}));
}

TEST(JoinAndIsNumber, JoinPutsOneNewlineBetweenNeighboursAndNumbersArePlainDigitsOnly) {
  EXPECT_EQ(joinStrings({"a", "", "b"}), "a\n\nb");
  EXPECT_EQ(joinStrings({}), "");
  EXPECT_TRUE(isNumber("007"));
  for (const char* other : {"", "-1", " 1", "1.5"}) EXPECT_FALSE(isNumber(other)) << other;
}

TEST(FormatVString, CutsButReportsTheWholeLength) {
  char buffer[8];
  EXPECT_EQ(format(buffer, sizeof buffer, "%s-%d", "abc", 42), 6);
  EXPECT_STREQ(buffer, "abc-42");
  EXPECT_EQ(format(buffer, sizeof buffer, "%s", "0123456789"), 10);
  EXPECT_STREQ(buffer, "0123456");
  EXPECT_EQ(format(nullptr, 0, "%d", 12345), 5);
  EXPECT_EQ(format(buffer, sizeof buffer, nullptr), -1);
}

TEST(PathUtils, ExtensionsBelongToTheFilePartOnlyAndJoinsUseOneSlash) {
  EXPECT_EQ(findLastOf("a/b\\c", "/\\"), 3u);
  EXPECT_EQ(findLastOf("abc", ""), std::string::npos);
  EXPECT_EQ(cutAtLastDot("a.tar.gz"), "a.tar");
  EXPECT_EQ(cutAtLastDot("noext"), "noext");
  EXPECT_EQ(cutAtLastDot("my.folder/file"), "my");
  EXPECT_EQ(stripExtension("my.folder/file"), "my.folder/file");
  EXPECT_EQ(stripExtension("saves/world.dat.bak"), "saves/world.dat");
  EXPECT_EQ(stripExtension("plain"), "plain");

  EXPECT_TRUE(hasFileExtension("icons/sword.png", "png"));
  EXPECT_FALSE(hasFileExtension("icons/sword.PNG", "png"));
  EXPECT_FALSE(hasFileExtension("png", "png"));
  EXPECT_EQ(appendExtension("settings", "json"), "settings.json");
  EXPECT_EQ(appendExtension("settings", ".json"), "settings.json");
  EXPECT_EQ(appendExtension("settings", ""), "settings");
  // Joining puts exactly one slash between the parts.
  EXPECT_EQ(joinPath("a", "b"), "a/b");
  EXPECT_EQ(joinPath("a/", "/b"), "a/b");
  EXPECT_EQ(joinPath("", "b"), "b");
  EXPECT_EQ(joinPath("a", ""), "a/");
  EXPECT_EQ(convertPathFormatToUnixStyle("C:\\Users\\me\\x.txt"), "C:/Users/me/x.txt");
}

TEST(PathUtils, MoveFileReplacesTheTargetAndReportsFailure) {
  testsupport::TempDir dir;
  const std::string from = dir.write("from.txt", "new");
  const std::string to = dir.write("sub/to.txt", "old");
  EXPECT_TRUE(moveFile(from, to));
  EXPECT_EQ(dir.read("sub/to.txt"), "new");
  EXPECT_FALSE(std::filesystem::exists(from));
  EXPECT_FALSE(moveFile(dir.file("missing"), dir.file("elsewhere")));
  EXPECT_FALSE(moveFile("", to));
}

TEST(Vec2Rotation, TurnsAboutAPivot) {
  const Vec2 quarter = vec2ForAngle(static_cast<float>(M_PI / 2));
  EXPECT_NEAR(quarter.x, 0, 1e-6);
  EXPECT_NEAR(quarter.y, 1, 1e-6);
  const Vec2 r = rotateByVector({2, 3}, {0.6f, 0.8f});
  EXPECT_FLOAT_EQ(r.x, 2 * 0.6f - 3 * 0.8f);
  EXPECT_FLOAT_EQ(r.y, 3 * 0.6f + 2 * 0.8f);
  const Vec2 p = rotateVec2({11, 5}, {10, 5}, static_cast<float>(M_PI / 2));
  EXPECT_NEAR(p.x, 10, 1e-5);
  EXPECT_NEAR(p.y, 6, 1e-5);
}
