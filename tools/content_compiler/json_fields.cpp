#include "tools/content_compiler/json_fields.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace content_compiler {

using content::FieldType;
using content::RecordField;
using content::RecordLayout;

namespace {

bool parseText(const char* text, bool negativeAllowed, int64_t& out) {
  errno = 0;
  char* end = nullptr;
  if (negativeAllowed && text[0] == '-') {
    long long v = std::strtoll(text, &end, 0);
    if (errno != 0 || end == text || *end != '\0') return false;
    out = v;
    return true;
  }
  unsigned long long v = std::strtoull(text, &end, 0);
  if (errno != 0 || end == text || *end != '\0' || text[0] == '-' || v > INT64_MAX) return false;
  out = static_cast<int64_t>(v);
  return true;
}

void put(std::span<uint8_t> out, size_t offset, uint64_t value, size_t size) {
  for (size_t i = 0; i < size; ++i) out[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Writes one value of a field (element `index` of an array field).
void writeValue(const RecordField& field, size_t index, const rapidjson::Value* source,
                double fallback, std::span<uint8_t> out, const SourcePlace& place) {
  const size_t size = content::fieldTypeSize(field.type);
  const size_t offset = field.offset + index * size;
  const std::string what = std::string("field \"") + field.name + "\"";
  auto integer = [&](int64_t lo, int64_t hi) {
    if (!source) return static_cast<int64_t>(fallback);
    return readInteger(*source, lo, hi, place, what);
  };
  auto fraction = [&](int64_t lo, int64_t hi) {
    const double v = source ? readNumber(*source, place, what) : fallback;
    const double hundredths = std::round(v * 100.0);
    if (hundredths < static_cast<double>(lo) || hundredths > static_cast<double>(hi)) {
      refuse(place, what + " is out of range");
    }
    return static_cast<int64_t>(hundredths);
  };
  switch (field.type) {
    case FieldType::U8: put(out, offset, static_cast<uint64_t>(integer(0, 0xFF)), 1); break;
    case FieldType::I8: put(out, offset, static_cast<uint64_t>(integer(-128, 127)), 1); break;
    case FieldType::U16: put(out, offset, static_cast<uint64_t>(integer(0, 0xFFFF)), 2); break;
    case FieldType::I16: put(out, offset, static_cast<uint64_t>(integer(-32768, 32767)), 2); break;
    case FieldType::U32: put(out, offset, static_cast<uint64_t>(integer(0, 0xFFFFFFFFll)), 4); break;
    case FieldType::I32:
      put(out, offset, static_cast<uint64_t>(integer(INT32_MIN, INT32_MAX)), 4);
      break;
    case FieldType::U64:
      put(out, offset, source ? readU64(*source, place, what) : static_cast<uint64_t>(fallback), 8);
      break;
    case FieldType::F32: {
      const double v = source ? readNumber(*source, place, what) : fallback;
      put(out, offset, std::bit_cast<uint32_t>(static_cast<float>(v)), 4);
      break;
    }
    case FieldType::Percent: put(out, offset, static_cast<uint64_t>(fraction(0, 255)), 1); break;
    case FieldType::SignedPercent:
      put(out, offset, static_cast<uint64_t>(fraction(-128, 127)), 1);
      break;
    case FieldType::Sound: {
      const int64_t v = source ? readInteger(*source, INT64_MIN / 2, INT64_MAX / 2, place, what)
                               : static_cast<int64_t>(fallback);
      if (v < -1 || v >= content::kSoundRecordCount) {
        refuse(place, what + ": sound index " + std::to_string(v) + " is outside -1..262");
      }
      put(out, offset, static_cast<uint64_t>(v), 2);
      break;
    }
  }
}

void checkDerived(const RecordField& field, const rapidjson::Value* source, double value,
                  const SourcePlace& place) {
  if (!source) return;
  const std::string what = std::string("field \"") + field.name + "\"";
  double given = field.type == FieldType::U64 ? static_cast<double>(readU64(*source, place, what))
                                              : readNumber(*source, place, what);
  if (given != value) {
    refuse(place, what + " is " + std::to_string(static_cast<long long>(given)) + " but must be " +
                      std::to_string(static_cast<long long>(value)));
  }
}

void fillExtra(const RecordLayout& layout, const rapidjson::Value& extra, std::span<uint8_t> out,
               const SourcePlace& place) {
  if (!extra.IsObject()) refuse(place, "\"extra\" must map byte offsets to byte lists");
  std::vector<bool> named(layout.size, false);
  for (const RecordField& field : layout.fields) {
    const size_t end = field.offset + content::fieldTypeSize(field.type) * field.count;
    for (size_t i = field.offset; i < end && i < layout.size; ++i) named[i] = true;
  }
  for (auto it = extra.MemberBegin(); it != extra.MemberEnd(); ++it) {
    int64_t offset = 0;
    if (!parseText(it->name.GetString(), false, offset) || offset >= static_cast<int64_t>(layout.size)) {
      refuse(place, std::string("\"extra\" offset \"") + it->name.GetString() + "\" is not inside the record");
    }
    std::vector<uint8_t> bytes = readBytes(it->value, layout.size, place, "\"extra\"");
    if (static_cast<size_t>(offset) + bytes.size() > layout.size) {
      refuse(place, "\"extra\" bytes run past the end of the record");
    }
    for (size_t i = 0; i < bytes.size(); ++i) {
      const size_t at = static_cast<size_t>(offset) + i;
      if (named[at]) {
        refuse(place, "\"extra\" byte " + std::to_string(at) + " belongs to a named field");
      }
      out[at] = bytes[i];
    }
  }
}

}  // namespace

int64_t readInteger(const rapidjson::Value& value, int64_t lo, int64_t hi, const SourcePlace& place,
                    const std::string& what) {
  int64_t v = 0;
  if (value.IsInt64()) {
    v = value.GetInt64();
  } else if (value.IsBool()) {
    v = value.GetBool() ? 1 : 0;
  } else if (!(value.IsString() && parseText(value.GetString(), true, v))) {
    refuse(place, what + " must be a whole number");
  }
  if (v < lo || v > hi) {
    refuse(place, what + " is " + std::to_string(v) + ", outside " + std::to_string(lo) + ".." +
                      std::to_string(hi));
  }
  return v;
}

uint64_t readU64(const rapidjson::Value& value, const SourcePlace& place, const std::string& what) {
  if (value.IsUint64()) return value.GetUint64();
  if (value.IsString()) {
    errno = 0;
    char* end = nullptr;
    const char* text = value.GetString();
    unsigned long long v = std::strtoull(text, &end, 0);
    if (errno == 0 && end != text && *end == '\0' && text[0] != '-') return v;
  }
  refuse(place, what + " must be a whole number from 0 to 2^64-1");
}

double readNumber(const rapidjson::Value& value, const SourcePlace& place, const std::string& what) {
  if (value.IsNumber()) return value.GetDouble();
  if (value.IsBool()) return value.GetBool() ? 1.0 : 0.0;
  int64_t v = 0;
  if (value.IsString() && parseText(value.GetString(), true, v)) return static_cast<double>(v);
  refuse(place, what + " must be a number");
}

const rapidjson::Value& requireArray(const rapidjson::Value& value, const SourcePlace& place,
                                     const std::string& what) {
  if (!value.IsArray()) refuse(place, what + " must be a list");
  return value;
}

std::vector<uint8_t> readBytes(const rapidjson::Value& value, size_t maxCount,
                               const SourcePlace& place, const std::string& what) {
  requireArray(value, place, what);
  if (value.Size() > maxCount) {
    refuse(place, what + " holds more than " + std::to_string(maxCount) + " bytes");
  }
  std::vector<uint8_t> out;
  for (const auto& b : value.GetArray()) {
    out.push_back(static_cast<uint8_t>(readInteger(b, 0, 255, place, what)));
  }
  return out;
}

void checkKeys(const rapidjson::Value& object, const RecordLayout* layout,
               std::initializer_list<const char*> otherKeys, const SourcePlace& place) {
  if (!object.IsObject()) refuse(place, "a row must be an object");
  for (auto it = object.MemberBegin(); it != object.MemberEnd(); ++it) {
    const char* key = it->name.GetString();
    bool known = std::strcmp(key, "extra") == 0 && layout != nullptr;
    for (const char* other : otherKeys) known = known || std::strcmp(key, other) == 0;
    if (layout) {
      for (const RecordField& field : layout->fields) known = known || std::strcmp(key, field.name) == 0;
    }
    if (!known) refuse(place, std::string("unknown field \"") + key + "\"");
  }
}

void fillRecord(const RecordLayout& layout, const rapidjson::Value& object, std::span<uint8_t> out,
                std::initializer_list<DerivedValue> derived, const SourcePlace& place) {
  std::fill(out.begin(), out.end(), uint8_t{0});
  for (const RecordField& field : layout.fields) {
    const rapidjson::Value* source =
        object.HasMember(field.name) ? &object[field.name] : nullptr;
    if (field.derived) {
      double value = 0;
      for (const DerivedValue& d : derived) {
        if (std::strcmp(d.name, field.name) == 0) value = d.value;
      }
      checkDerived(field, source, value, place);
      source = nullptr;
      for (uint8_t i = 0; i < field.count; ++i) writeValue(field, i, nullptr, value, out, place);
      continue;
    }
    if (field.count > 1 && source) {
      const std::string what = std::string("field \"") + field.name + "\"";
      requireArray(*source, place, what);
      if (source->Size() > field.count) {
        refuse(place, what + " holds more than " + std::to_string(field.count) + " values");
      }
    }
    for (uint8_t i = 0; i < field.count; ++i) {
      const rapidjson::Value* element = source;
      if (field.count > 1) element = source && i < source->Size() ? &(*source)[i] : nullptr;
      writeValue(field, i, element, field.defaultValue, out, place);
    }
  }
  if (object.HasMember("extra")) fillExtra(layout, object["extra"], out, place);
}

}  // namespace content_compiler
