#pragma once
// Reading typed values out of the JSON sources, with range checks that name the file and row.

#include <rapidjson/document.h>

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "content/format/record_layout.h"
#include "tools/content_compiler/source_error.h"

namespace content_compiler {

// A whole number in [lo, hi]; JSON numbers or texts such as "0x1F" (for flag words).
int64_t readInteger(const rapidjson::Value& value, int64_t lo, int64_t hi, const SourcePlace& place,
                    const std::string& what);
uint64_t readU64(const rapidjson::Value& value, const SourcePlace& place, const std::string& what);
double readNumber(const rapidjson::Value& value, const SourcePlace& place, const std::string& what);
const rapidjson::Value& requireArray(const rapidjson::Value& value, const SourcePlace& place,
                                     const std::string& what);
// A list of raw bytes, at most `maxCount` long.
std::vector<uint8_t> readBytes(const rapidjson::Value& value, size_t maxCount,
                               const SourcePlace& place, const std::string& what);

// Refuses members other than the layout's fields, "extra" and the listed keys, so a misspelt
// field is caught instead of silently left at its default.
void checkKeys(const rapidjson::Value& object, const content::RecordLayout* layout,
               std::initializer_list<const char*> otherKeys, const SourcePlace& place);

// A value the compiler supplies for a derived field; a source value must agree with it.
struct DerivedValue {
  const char* name;
  double value;
};

// Fills `out` (the record bytes) from the object's named fields, defaults and "extra" raw bytes
// ({"offset": [bytes]}, only where no field lies).
void fillRecord(const content::RecordLayout& layout, const rapidjson::Value& object,
                std::span<uint8_t> out, std::initializer_list<DerivedValue> derived,
                const SourcePlace& place);

}  // namespace content_compiler
