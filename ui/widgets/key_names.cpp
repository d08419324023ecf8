#include "ui/widgets/key_names.h"

#include "engine/input/key_code.h"

namespace {

using engine::KeyCode;

struct NamedKey {
  KeyCode code;
  const char* name;
};

constexpr NamedKey kNamed[] = {
    {KeyCode::ESCAPE, "Escape"},   {KeyCode::BACKSPACE, "Backspace"}, {KeyCode::TAB, "Tab"},
    {KeyCode::SHIFT, "Shift"},     {KeyCode::CTRL, "Ctrl"},           {KeyCode::ALT, "Alt"},
    {KeyCode::ENTER, "Enter"},     {KeyCode::SPACE, "Space"},         {KeyCode::LEFT_ARROW, "Left"},
    {KeyCode::RIGHT_ARROW, "Right"}, {KeyCode::UP_ARROW, "Up"},       {KeyCode::DOWN_ARROW, "Down"},
    {KeyCode::HOME, "Home"},       {KeyCode::END, "End"},             {KeyCode::PG_UP, "Page Up"},
    {KeyCode::PG_DOWN, "Page Down"}, {KeyCode::INSERT, "Insert"},     {KeyCode::DELETE, "Delete"},
    {KeyCode::COMMA, ","},         {KeyCode::PERIOD, "."},            {KeyCode::SLASH, "/"},
    {KeyCode::MINUS, "-"},         {KeyCode::EQUAL, "="},             {KeyCode::SEMICOLON, ";"},
    {KeyCode::APOSTROPHE, "'"},    {KeyCode::GRAVE, "`"},             {KeyCode::LEFT_BRACKET, "["},
    {KeyCode::RIGHT_BRACKET, "]"}, {KeyCode::BACK_SLASH, "\\"},
};

bool within(uint32_t code, KeyCode first, KeyCode last) {
  return code >= static_cast<uint32_t>(first) && code <= static_cast<uint32_t>(last);
}

}  // namespace

std::string keyName(uint32_t code) {
  if (code == 0) return "none";
  if (within(code, KeyCode::A, KeyCode::Z)) return std::string(1, static_cast<char>('A' + code - static_cast<uint32_t>(KeyCode::A)));
  if (within(code, KeyCode::DIGIT_0, KeyCode::DIGIT_9)) {
    return std::string(1, static_cast<char>('0' + code - static_cast<uint32_t>(KeyCode::DIGIT_0)));
  }
  if (within(code, KeyCode::F1, KeyCode::F12)) {
    // Appended rather than concatenated: GCC 12 warns falsely about `"F" + std::string`.
    std::string name = "F";
    name += std::to_string(code - static_cast<uint32_t>(KeyCode::F1) + 1);
    return name;
  }
  for (const NamedKey& key : kNamed) {
    if (static_cast<uint32_t>(key.code) == code) return key.name;
  }
  std::string name = "key ";
  name += std::to_string(code);
  return name;
}
