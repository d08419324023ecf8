#include "platform/settings/json_defaults.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include "engine/base/log.h"
#include "platform/settings/settings_file.h"

namespace kel {
namespace {

using Value = rapidjson::Value;

// Values nested deeper than this are not ours; writing them back would recurse without bound.
constexpr int kMaxNesting = 64;
constexpr std::size_t kFirstBufferCapacity = 256;

// The pretty writer, printing every double the way the game always has: "%g", so 0.2f is
// written 0.2 and 15.0 is written 15.
class SettingsWriter : public rapidjson::PrettyWriter<rapidjson::StringBuffer> {
 public:
  explicit SettingsWriter(rapidjson::StringBuffer& out) : PrettyWriter(out) { SetIndent(' ', 4); }

  bool Double(double value) {
    char text[40];
    // JSON has no infinity or NaN; writing them would make the whole file unreadable.
    if (!std::isfinite(value)) value = 0.0;
    int length = std::snprintf(text, sizeof text, "%g", value);
    if (length <= 0 || length >= static_cast<int>(sizeof text)) return false;
    // A locale with a decimal comma must not turn the number into two JSON tokens.
    for (int i = 0; i < length; ++i) {
      if (text[i] == ',') text[i] = '.';
    }
    return RawValue(text, static_cast<std::size_t>(length), rapidjson::kNumberType);
  }
};

Value keyRef(const std::string& key) {
  return Value(rapidjson::StringRef(key.data(), key.size()));
}

int nestingOf(const Value& root) {
  std::vector<std::pair<const Value*, int>> pending{{&root, 1}};
  int deepest = 0;
  while (!pending.empty()) {
    auto [value, depth] = pending.back();
    pending.pop_back();
    if (depth > deepest) deepest = depth;
    if (deepest > kMaxNesting) return deepest;
    if (value->IsArray()) {
      for (const Value& element : value->GetArray()) pending.emplace_back(&element, depth + 1);
    } else if (value->IsObject()) {
      for (const auto& member : value->GetObject()) pending.emplace_back(&member.value, depth + 1);
    }
  }
  return deepest;
}

bool allStrings(const Value& array) {
  for (const Value& element : array.GetArray()) {
    if (!element.IsString()) return false;
  }
  return true;
}

// Every list the settings keep is a list of strings: an element of another kind was damaged. It
// is dropped, and the list keeps the strings that read; true when there was one.
bool dropDamagedListElements(Value& object) {
  bool dropped = false;
  for (auto& member : object.GetObject()) {
    if (!member.value.IsArray() || allStrings(member.value)) continue;
    Value& list = member.value;
    // By index: the library's iterator comparisons are ambiguous to a C++20 compiler.
    for (rapidjson::SizeType i = 0; i < list.Size();) {
      if (list[i].IsString()) {
        ++i;
      } else {
        list.Erase(list.Begin() + i);
      }
    }
    dropped = true;
  }
  return dropped;
}

}  // namespace

struct JsonDefaults::Document {
  rapidjson::Document json;

  Document() { json.SetObject(); }

  const Value* find(const std::string& key) const {
    auto member = json.FindMember(keyRef(key));
    return member == json.MemberEnd() ? nullptr : &member->value;
  }

  // A damaged file may repeat a key; every copy goes, so a set leaves exactly one.
  void removeAll(const std::string& key) {
    while (json.RemoveMember(keyRef(key))) {
    }
  }

  void put(const std::string& key, Value&& value) {
    removeAll(key);
    auto& allocator = json.GetAllocator();
    json.AddMember(Value(key.data(), static_cast<rapidjson::SizeType>(key.size()), allocator),
                   value, allocator);
  }
};

JsonDefaults::JsonDefaults() : JsonDefaults(&settings_file::defaultPath) {}

JsonDefaults::JsonDefaults(PathSource settingsPath)
    : document_(std::make_unique<Document>()), settingsPath_(std::move(settingsPath)) {}

JsonDefaults::~JsonDefaults() = default;

bool JsonDefaults::has(const std::string& key) const { return document_->find(key) != nullptr; }

StoredType JsonDefaults::typeOf(const std::string& key) const {
  const Value* value = document_->find(key);
  if (value == nullptr) return StoredType::missing;
  if (value->IsBool()) return StoredType::boolean;
  if (value->IsInt()) return StoredType::integer;
  if (value->IsNumber()) return StoredType::number;
  if (value->IsString()) return StoredType::string;
  if (value->IsArray() && allStrings(*value)) return StoredType::stringList;
  return StoredType::other;
}

void JsonDefaults::setStringList(const std::string& key, const std::vector<std::string>& values) {
  auto& allocator = document_->json.GetAllocator();
  Value array(rapidjson::kArrayType);
  array.Reserve(static_cast<rapidjson::SizeType>(values.size()), allocator);
  for (const std::string& text : values) {
    array.PushBack(Value(text.data(), static_cast<rapidjson::SizeType>(text.size()), allocator),
                   allocator);
  }
  document_->put(key, std::move(array));
}

void JsonDefaults::setString(const std::string& key, const std::string& value) {
  auto& allocator = document_->json.GetAllocator();
  document_->put(key, Value(value.data(), static_cast<rapidjson::SizeType>(value.size()), allocator));
}

void JsonDefaults::setFloat(const std::string& key, float value) {
  document_->put(key, Value(static_cast<double>(value)));
}

void JsonDefaults::setInt(const std::string& key, int32_t value) { document_->put(key, Value(value)); }

void JsonDefaults::setBool(const std::string& key, bool value) { document_->put(key, Value(value)); }

bool JsonDefaults::getBool(const std::string& key) const {
  const Value* value = document_->find(key);
  return value != nullptr && value->IsTrue();
}

int32_t JsonDefaults::getInt(const std::string& key) const {
  const Value* value = document_->find(key);
  return value != nullptr && value->IsInt() ? value->GetInt() : 0;
}

float JsonDefaults::getFloat(const std::string& key) const {
  const Value* value = document_->find(key);
  if (value == nullptr || !value->IsNumber()) return 0.0f;
  const double number = value->GetDouble();
  // Narrowing a double beyond the float range is undefined; such a number reads as infinite.
  if (number > FLT_MAX) return std::numeric_limits<float>::infinity();
  if (number < -FLT_MAX) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(number);
}

std::string JsonDefaults::getString(const std::string& key) const {
  const Value* value = document_->find(key);
  if (value == nullptr || !value->IsString()) return {};
  return std::string(value->GetString(), value->GetStringLength());
}

std::vector<std::string> JsonDefaults::getStringList(const std::string& key) const {
  std::vector<std::string> list;
  const Value* value = document_->find(key);
  if (value == nullptr || !value->IsArray()) return list;
  for (const Value& element : value->GetArray()) {
    if (element.IsString()) list.emplace_back(element.GetString(), element.GetStringLength());
  }
  return list;
}

void JsonDefaults::remove(const std::string& key) { document_->removeAll(key); }

void JsonDefaults::clear() { document_->json.RemoveAllMembers(); }

std::size_t JsonDefaults::size() const { return document_->json.MemberCount(); }

std::string JsonDefaults::toText() const {
  rapidjson::StringBuffer buffer(nullptr, kFirstBufferCapacity);
  SettingsWriter writer(buffer);
  document_->json.Accept(writer);
  return std::string(buffer.GetString(), buffer.GetSize());
}

bool JsonDefaults::loadText(const std::string& text) { return readText(text) == TextState::Whole; }

JsonDefaults::TextState JsonDefaults::readText(const std::string& text) {
  auto fresh = std::make_unique<Document>();
  TextState state = TextState::Whole;
  std::size_t start = 0;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3;  // editors may add a byte-order mark
  if (text.size() > start) {
    rapidjson::Document parsed;
    // Iterative parsing: a file of nested brackets must not exhaust the stack.
    parsed.Parse<rapidjson::kParseIterativeFlag>(text.data() + start, text.size() - start);
    if (parsed.HasParseError()) {
      engine::log("settings: ignoring a damaged settings file (%s at byte %zu)",
                  rapidjson::GetParseError_En(parsed.GetParseError()), parsed.GetErrorOffset());
      state = TextState::Unreadable;
    } else if (!parsed.IsObject()) {
      engine::log("settings: ignoring a settings file that holds no JSON object");
      state = TextState::Unreadable;
    } else {
      // By index: the library's iterator comparisons are ambiguous to a C++20 compiler.
      for (rapidjson::SizeType i = 0; i < parsed.MemberCount();) {
        const auto member = parsed.MemberBegin() + i;
        if (nestingOf(member->value) > kMaxNesting) {
          parsed.RemoveMember(member);
        } else {
          ++i;
        }
      }
      if (dropDamagedListElements(parsed)) state = TextState::PartlyDamaged;
      fresh->json.Swap(parsed);
    }
  }
  document_ = std::move(fresh);
  return state;
}

void JsonDefaults::load() {
  const std::string path = settingsPath_ ? settingsPath_() : std::string();
  const std::optional<std::string> text = settings_file::read(path);
  TextState state = TextState::Whole;
  if (text) {
    state = readText(*text);
  } else {
    readText({});
    // Present but unreadable or too large is as damaged as a text that is no JSON object.
    if (settings_file::present(path)) state = TextState::Unreadable;
  }
  damaged_ = {};
  if (state == TextState::Whole) return;
  if (state == TextState::PartlyDamaged) {
    // What reads is kept and will be written back; the file as it was is kept beside it first.
    damaged_ = {path, settings_file::keepCopyAside(path, *text), true};
    if (damaged_.keptAs.empty()) {
      engine::log("settings: \"%s\" is partly damaged and could not be copied aside; it is not written over", path.c_str());
    } else {
      engine::log("settings: \"%s\" is partly damaged; it is kept as \"%s\"", path.c_str(), damaged_.keptAs.c_str());
    }
    return;
  }
  // The defaults are written at once: the damaged file goes aside first, as a damaged save does.
  damaged_ = {path, settings_file::keepAside(path)};
  if (damaged_.keptAs.empty()) {
    engine::log("settings: \"%s\" is damaged and could not be moved aside; it is not written over", path.c_str());
  } else {
    engine::log("settings: \"%s\" is damaged; it is kept as \"%s\"", path.c_str(), damaged_.keptAs.c_str());
  }
}

bool JsonDefaults::save() {
  const std::string path = settingsPath_ ? settingsPath_() : std::string();
  if (!damaged_.path.empty() && damaged_.keptAs.empty() && damaged_.path == path) return false;
  if (settings_file::writeReplacing(path, toText())) return true;
  engine::log("settings: could not write \"%s\"", path.c_str());
  return false;
}

}  // namespace kel
