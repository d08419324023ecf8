#pragma once
// One run of the art maker: draw the registered atlases from the sources, write their pictures
// into the graphics folder and, when asked, the contact sheet. Nothing is written when an atlas
// fails, so a broken recipe never leaves a half-new art set behind.

#include <cstdio>
#include <string>
#include <vector>

#include "tools/art_maker/art_sources.h"

namespace artmaker {

struct ArtRunOptions {
  SourceFolders sources;
  std::string outputFolder;       // the graphics folder; empty = write no atlases
  std::string sheetPath;          // empty = no contact sheet
  std::vector<std::string> only;  // atlas names to draw; empty = all
  bool timings = false;           // print the time each atlas took
  bool help = false;              // print the usage and draw nothing
};

// 0 on success, 1 when an atlas failed or a file could not be written (messages on err).
int runArtMaker(const ArtRunOptions& options, std::FILE* out, std::FILE* err);

// Parses "[--content DIR] [--art DIR] [--language FILE] [--out DIR] [--sheet FILE] [--only NAME]...
// [--timings] [--help]" over the defaults; false with a message for anything else.
bool parseArtArguments(int argc, const char* const* argv, ArtRunOptions& options, std::string& error);

// The whole command: --help prints the usage on out and exits 0; a mistake in the command line
// prints it with the mistake on err and exits 2; otherwise runArtMaker's code.
int artMakerCommand(int argc, const char* const* argv, ArtRunOptions options, std::FILE* out, std::FILE* err);

}  // namespace artmaker
