#include "tools/world_tool/play_script.h"

#include <charconv>

#include "tools/world_tool/world_tool_saves.h"

namespace world_tool {

namespace {

// Longest waits and walks a script may ask for: a day of play, an hour of walking.
constexpr int32_t kMaxSeconds = 24 * 3600;
constexpr int32_t kMaxFrames = 3600 * 60;
constexpr int32_t kMaxCell = 65535;
constexpr int32_t kMaxWord = 65535;  // a spawner's mob row, a dye's colours

std::vector<std::string_view> words(std::string_view line) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    size_t end = i;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r') ++end;
    if (end > i) out.push_back(line.substr(i, end - i));
    i = end;
  }
  return out;
}

// Digits only: a sign (even "-0") is no decimal number of the grammar.
bool number(std::string_view word, int32_t low, int32_t high, int32_t& out) {
  if (word.empty() || word.front() < '0' || word.front() > '9') return false;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), out);
  return error == std::errc() && end == word.data() + word.size() && out >= low && out <= high;
}

struct Verb {
  std::string_view name;
  PlayVerb verb;
  int args;
  int32_t high;  // the first argument's limit
};

constexpr Verb kVerbs[] = {
    {"jump", PlayVerb::Jump, 0, 0},      {"mine", PlayVerb::Mine, 2, kMaxCell},
    {"place", PlayVerb::Place, 2, kMaxCell}, {"use", PlayVerb::Use, 2, kMaxCell},
    {"select", PlayVerb::Select, 1, 9},  {"craft", PlayVerb::Craft, 1, 4095},
    {"give", PlayVerb::Give, 2, 4095},   {"shoot", PlayVerb::Shoot, 2, kMaxCell},
    {"wait", PlayVerb::Wait, 1, kMaxSeconds}, {"settle", PlayVerb::Settle, 0, 0},
    {"sleep", PlayVerb::Sleep, 0, 0},    {"reel", PlayVerb::Reel, 0, 0},
    {"save", PlayVerb::Save, 0, 0},      {"quit", PlayVerb::Quit, 0, 0},
    {"load", PlayVerb::Load, 0, 0},      {"drop", PlayVerb::Drop, 1, 9},
    {"pickup", PlayVerb::Pickup, 0, 0},  {"accept", PlayVerb::Accept, 0, 0},
    {"offer", PlayVerb::Offer, 1, 9},    {"ready", PlayVerb::Ready, 0, 0},
};

// A player's name as the hello carries it: printable, without blanks, at most 32 bytes.
constexpr size_t kMaxName = 32;

std::optional<PlayStep> parseLine(const std::vector<std::string_view>& w, std::string& reason) {
  PlayStep step;
  if (w[0] == "walk") {
    if (w.size() == 3 && w[1] == "to" && number(w[2], 0, kMaxCell, step.a)) {
      step.verb = PlayVerb::WalkTo;
      return step;
    }
    if (w.size() != 3 || (w[1] != "left" && w[1] != "right") || !number(w[2], 1, kMaxFrames, step.a)) {
      reason = "expected: walk left|right FRAMES, or walk to COLUMN";
      return std::nullopt;
    }
    step.verb = w[1] == "left" ? PlayVerb::WalkLeft : PlayVerb::WalkRight;
    return step;
  }
  if (w[0] == "trade") {
    if (w.size() != 2 || w[1].size() > kMaxName) {
      reason = "expected: trade NAME";
      return std::nullopt;
    }
    step.verb = PlayVerb::Trade;
    step.name = std::string(w[1]);
    return step;
  }
  if (w[0] == "last" && w.size() == 2 && w[1] == "look") {
    step.verb = PlayVerb::LastLook;
    return step;
  }
  if (w[0] == "shoot" && w.size() == 2 && w[1] == "mob") {
    step.verb = PlayVerb::ShootMob;
    return step;
  }
  if (w[0] == "give" && w.size() == 4) {
    int32_t word = 0;
    if (!number(w[1], 0, 4095, step.a) || !number(w[2], 0, kMaxCell, step.b) || !number(w[3], 0, kMaxWord, word)) {
      reason = "expected: give ITEM COUNT [WORD]";
      return std::nullopt;
    }
    step.verb = PlayVerb::Give;
    step.word = static_cast<uint32_t>(word);
    return step;
  }
  for (const Verb& verb : kVerbs) {
    if (w[0] != verb.name) continue;
    step.verb = verb.verb;
    if (static_cast<int>(w.size()) != 1 + verb.args || (verb.args >= 1 && !number(w[1], 0, verb.high, step.a)) ||
        (verb.args == 2 && !number(w[2], 0, kMaxCell, step.b))) {
      reason = "wrong arguments for '" + std::string(verb.name) + "'";
      return std::nullopt;
    }
    return step;
  }
  reason = "unknown action '" + std::string(w[0].substr(0, 32)) + "'";
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<PlayStep>> parsePlayScript(std::string_view text, std::string& error) {
  std::vector<PlayStep> steps;
  int lineNumber = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    ++lineNumber;
    start = end + 1;
    const std::vector<std::string_view> w = words(line);
    if (w.empty() || w[0].front() == '#') continue;
    std::string reason;
    std::optional<PlayStep> step = parseLine(w, reason);
    if (!step) {
      error = "line " + std::to_string(lineNumber) + ": " + reason;
      return std::nullopt;
    }
    step->line = lineNumber;
    steps.push_back(*step);
  }
  return steps;
}

std::optional<std::vector<PlayStep>> readPlayScript(const std::string& path, std::FILE* err) {
  std::string script;
  if (!readWholeFile(path, script)) {
    std::fprintf(err, "world_tool: cannot read %s\n", path.c_str());
    return std::nullopt;
  }
  std::string error;
  std::optional<std::vector<PlayStep>> steps = parsePlayScript(script, error);
  if (!steps) std::fprintf(err, "world_tool: %s: %s\n", path.c_str(), error.c_str());
  return steps;
}

}  // namespace world_tool
