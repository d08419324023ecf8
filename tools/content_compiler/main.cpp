// content_compiler <source folder> <output file>: compiles the content sources into "data.dat".

#include <cstdio>
#include <string>

#include "tools/content_compiler/content_compiler.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <source folder> <output data.dat>\n", argv[0]);
    return 2;
  }
  std::string error;
  if (!content_compiler::compileContentFile(argv[1], argv[2], error)) {
    std::fprintf(stderr, "content_compiler: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
