#include "tools/font_maker/font_spec.h"

#include <rapidjson/document.h>

namespace fontmaker {
namespace {

bool parseRanges(const rapidjson::Value& ranges, FontSpec& spec) {
  if (!ranges.IsArray()) return false;
  for (const auto& range : ranges.GetArray()) {
    if (!range.IsArray() || range.Size() != 2 || !range[0].IsUint() || !range[1].IsUint()) {
      return false;
    }
    const uint32_t first = range[0].GetUint(), last = range[1].GetUint();
    if (first > last || last > 0xFFFF) return false;
    spec.ranges.emplace_back(first, last);
  }
  return true;
}

}  // namespace

std::optional<std::vector<FontSpec>> parseFontSpecs(const std::string& json, std::string& error) {
  rapidjson::Document document;
  document.Parse(json.c_str(), json.size());
  if (document.HasParseError() || !document.IsObject() || !document.HasMember("fonts") ||
      !document["fonts"].IsArray()) {
    error = "fonts.json: expected an object with a \"fonts\" array";
    return std::nullopt;
  }
  std::vector<FontSpec> specs;
  int row = 0;
  for (const auto& font : document["fonts"].GetArray()) {
    FontSpec spec;
    const bool ok = font.IsObject() && font.HasMember("name") && font["name"].IsString() &&
                    font.HasMember("face") && font["face"].IsString() &&
                    font.HasMember("pixelSize") && font["pixelSize"].IsInt() &&
                    font["pixelSize"].GetInt() >= 4 && font["pixelSize"].GetInt() <= 128 &&
                    font.HasMember("ranges") && parseRanges(font["ranges"], spec);
    if (!ok) {
      error = "fonts.json: font " + std::to_string(row) +
              " needs name, face, pixelSize (4 to 128) and ranges of [first, last] up to 65535";
      return std::nullopt;
    }
    spec.name = font["name"].GetString();
    spec.face = font["face"].GetString();
    spec.pixelSize = font["pixelSize"].GetInt();
    spec.icons = font.HasMember("icons") && font["icons"].IsBool() && font["icons"].GetBool();
    specs.push_back(std::move(spec));
    ++row;
  }
  return specs;
}

}  // namespace fontmaker
