#pragma once
// The content compiler: reads the hand-edited content sources (one JSON file per table) and
// writes "data.dat" and the game tables file beside it. Every source the loader could not take safely is refused with a message
// naming the file and the row.

#include <cstdint>
#include <string>
#include <vector>

namespace content_compiler {

struct CompileResult {
  bool ok = false;
  std::vector<uint8_t> bytes;  // the scrambled file
  std::string error;           // "<file>, row <n>: <why>" when refused
};

CompileResult compileContent(const std::string& sourceFolder);
// Compiles and writes the file; false (with the message in `error`) when refused or unwritable.
bool compileContentFile(const std::string& sourceFolder, const std::string& outputPath,
                        std::string& error);

// The game tables file (content/format/game_tables_file.h) from "difficulties.json",
// "craft_book.json" and "catalogue.json", checked against the other tables of the same folder:
// every recipe's book entry exists and every entry is some recipe's, every catalogue id is an
// item of the category's kind (a filled mob row for the spawners). Not scrambled.
CompileResult compileGameTables(const std::string& sourceFolder);
bool compileGameTablesFile(const std::string& sourceFolder, const std::string& outputPath,
                           std::string& error);

}  // namespace content_compiler
