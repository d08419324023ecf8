// content_checks <content source folder> <language file>: checks a content set against what the
// game's code relies on. Prints one line per finding (file, row, what is wrong); exit 1 on any.

#include <cstdio>

#include "tools/content_checks/game_checks.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <content source folder> <language file>\n", argv[0]);
    return 2;
  }
  const content_checks::CheckReport report = content_checks::checkGame(argv[1], argv[2]);
  for (const auto& finding : report.findings()) std::fprintf(stderr, "%s\n", finding.describe().c_str());
  if (!report.ok()) {
    std::fprintf(stderr, "content_checks: %zu findings\n", report.findings().size());
    return 1;
  }
  std::printf("content_checks: the content set fits the game\n");
  return 0;
}
