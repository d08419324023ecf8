#include "engine/base/string_utils.h"

#include <algorithm>
#include <cstdio>

#include "engine/base/utf.h"

namespace engine {

namespace {

std::vector<std::string> splitAtDelimiter(const std::string& text, const std::string& delimiter) {
  std::vector<std::string> pieces;
  if (delimiter.empty()) {
    pieces.push_back(text);
    return pieces;
  }
  size_t start = 0;
  for (size_t found = text.find(delimiter); found != std::string::npos;
       found = text.find(delimiter, start)) {
    pieces.push_back(text.substr(start, found - start));
    start = found + delimiter.size();
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

// Cuts each piece longer than the maximum; cutAt gives where a too-long piece ends. A maximum of 0
// would cut off empty pieces for ever, so it counts as no maximum.
template <typename CutAt>
void cutLongPieces(std::vector<std::string>& pieces, size_t maximumLength, CutAt cutAt) {
  if (maximumLength == NO_MAXIMUM_LENGTH || maximumLength == 0) {
    return;
  }
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i].size() <= maximumLength) {
      continue;
    }
    const size_t cut = cutAt(pieces[i], maximumLength);
    std::string rest = pieces[i].substr(cut);
    pieces[i].resize(cut);
    pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(rest));
  }
}

unsigned char lowerByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

}  // namespace

std::vector<std::string> splitString(const std::string& text, size_t maximumLength,
                                     const std::string& delimiter) {
  std::vector<std::string> pieces = splitAtDelimiter(text, delimiter);
  cutLongPieces(pieces, maximumLength, [](const std::string& piece, size_t maximum) {
    const size_t boundary = utf8BoundaryAtOrBefore(piece, maximum);
    // A sequence longer than the maximum cannot be kept whole; cut it rather than loop forever.
    return boundary == 0 ? maximum : boundary;
  });
  return pieces;
}

std::string joinStrings(const std::vector<std::string>& pieces) {
  std::string result;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) {
      result += '\n';
    }
    result += pieces[i];
  }
  return result;
}

std::string toLowerCase(const std::string& text) {
  std::string result = text;
  for (char& c : result) {
    c = static_cast<char>(lowerByte(static_cast<unsigned char>(c)));
  }
  return result;
}

std::string toUpperCase(const std::string& text) {
  std::string result = text;
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return result;
}

bool equalsIgnoreCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return lowerByte(static_cast<unsigned char>(x)) ==
                  lowerByte(static_cast<unsigned char>(y));
         });
}

bool lessIgnoreCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return lowerByte(static_cast<unsigned char>(x)) < lowerByte(static_cast<unsigned char>(y));
  });
}

bool isNumber(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int formatVString(char* buffer, size_t bufferSize, const char* format, va_list arguments) {
  if (format == nullptr || (buffer == nullptr && bufferSize > 0)) {
    return -1;
  }
  return std::vsnprintf(buffer, bufferSize, format, arguments);
}

}  // namespace engine
