#include "engine/text/utf16_classes.h"

namespace engine {
namespace StringUtils {

bool isUnicodeSpace(char16_t c) {
  return (c >= 0x0009 && c <= 0x000D) || c == 0x0020 || c == 0x0085 || c == 0x00A0 ||
         c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 ||
         c == 0x202F || c == 0x205F || c == 0x3000;
}

bool isCJKUnicode(char16_t c) {
  return (c >= 0x4E00 && c <= 0x9FBF) || (c >= 0x2E80 && c <= 0x2FDF) ||
         (c >= 0x2FF0 && c <= 0x31BF) || (c >= 0x31C0 && c <= 0x4DFF) ||
         (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F);
}

void trimUTF16Vector(std::u16string& text) {
  size_t end = text.size();
  while (end > 0 && isUnicodeSpace(text[end - 1])) --end;
  text.resize(end);
}

}  // namespace StringUtils
}  // namespace engine
