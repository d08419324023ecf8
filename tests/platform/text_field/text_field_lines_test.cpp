// The line arithmetic behind the limits: counting wrapped lines and cutting text into lines.
#include <gtest/gtest.h>

#include "platform/text_field.h"
#include "platform/text_field/text_field_lines.h"

namespace {

using kel::countTextFieldLines;
using kel::wrapTextFieldLines;

TEST(TextFieldLines, CountsBreaksAndWraps) {
  EXPECT_EQ(countTextFieldLines(u"", 24), 0u);
  EXPECT_EQ(countTextFieldLines(u"abc", 3), 1u);
  EXPECT_EQ(countTextFieldLines(u"abcd", 3), 2u);
  EXPECT_EQ(countTextFieldLines(u"a\n", 3), 1u);
  EXPECT_EQ(countTextFieldLines(u"a\nb", 3), 2u);
  EXPECT_EQ(countTextFieldLines(u"abc\nd", 3), 2u);
  EXPECT_EQ(countTextFieldLines(std::u16string(1000, u'a'), kel::TEXT_FIELD_UNLIMITED), 1u);
}

TEST(TextFieldLines, WrapsAtTheLengthAndKeepsEmptyLines) {
  EXPECT_EQ(wrapTextFieldLines("abcdefg\n\nhi", 3),
            (std::vector<std::string>{"abc", "def", "g", "", "hi"}));
  EXPECT_EQ(wrapTextFieldLines("", 3), (std::vector<std::string>{""}));
  EXPECT_EQ(wrapTextFieldLines("abcdef", 0), (std::vector<std::string>{"abcdef"}));
  EXPECT_EQ(kel::joinTextFieldLines({"ab", "", "c"}), "ab\n\nc");
}

TEST(TextFieldLines, NeverCutsInsideACharacter) {
  // Two-byte letters and a pair of surrogates stay whole.
  EXPECT_EQ(wrapTextFieldLines("ЖЖЖ", 2), (std::vector<std::string>{"ЖЖ", "Ж"}));
  EXPECT_EQ(wrapTextFieldLines("a\U0001F600b", 2),
            (std::vector<std::string>{"a", "\U0001F600", "b"}));
  // Malformed bytes come out as replacement characters, not as broken text.
  EXPECT_EQ(wrapTextFieldLines("a\xC3", 5), (std::vector<std::string>{"a\uFFFD"}));
}

}  // namespace
