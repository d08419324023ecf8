// content_compiler <source folder> <output data.dat> [<output tables.dat>]: compiles the content
// sources into "data.dat" and, when a second output is named, the game tables file.

#include <cstdio>
#include <string>

#include "tools/content_compiler/content_compiler.h"

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: %s <source folder> <output data.dat> [<output tables.dat>]\n", argv[0]);
    return 2;
  }
  std::string error;
  if (!content_compiler::compileContentFile(argv[1], argv[2], error) ||
      (argc == 4 && !content_compiler::compileGameTablesFile(argv[1], argv[3], error))) {
    std::fprintf(stderr, "content_compiler: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
