#pragma once
// Runs the world tool's command line in the test's process and keeps what it printed, and reads
// the report a played script prints after each line.

#include <cstdio>
#include <string>
#include <vector>

#include "tools/world_tool/world_tool_args.h"
#include "tools/world_tool/world_tool_run.h"

namespace world_tool_test {

struct Outcome {
  int code = 0;
  std::string out, err;
};

// Exit code 2 with the parse error when the arguments do not parse.
inline Outcome runTool(const std::vector<std::string>& args) {
  std::string error;
  const auto parsed = world_tool::parseArgs(args, error);
  if (!parsed) return {2, "", error};
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  Outcome outcome;
  outcome.code = world_tool::run(*parsed, out, err);
  for (auto [file, text] : {std::pair{out, &outcome.out}, std::pair{err, &outcome.err}}) {
    std::rewind(file);
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text->append(buffer, got);
    std::fclose(file);
  }
  return outcome;
}

// What the tool printed after the script line.
inline std::string reportOf(const std::string& out, int line) {
  const std::string head = "line " + std::to_string(line) + ": ";
  const size_t at = out.find(head);
  if (at == std::string::npos) return {};
  return out.substr(at + head.size(), out.find('\n', at) - at - head.size());
}

// The word that follows `word` in a report; empty when the report has no `word`.
inline std::string after(const std::string& report, const std::string& word) {
  const size_t at = report.find(word);
  if (at == std::string::npos) return {};
  const size_t from = at + word.size();
  return report.substr(from, report.find(' ', from) - from);
}

}  // namespace world_tool_test
