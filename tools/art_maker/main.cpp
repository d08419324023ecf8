// art_maker: draws the game's atlases and sky pictures from assets/ into the graphics folder.
//   art_maker [--content DIR] [--art DIR] [--language FILE] [--out DIR] [--sheet FILE]
//             [--only NAME]... [--timings] [--help]
// With no --out only the contact sheet (when asked) is written. The folders default to the
// repository's assets.

#include <cstdio>

#include "tools/art_maker/art_run.h"

int main(int argc, char** argv) {
  artmaker::ArtRunOptions options;
  options.sources = {RUBBLE_ASSETS_DIR "/content", RUBBLE_ASSETS_DIR "/art", RUBBLE_ASSETS_DIR "/language/english.json"};
  return artmaker::artMakerCommand(argc, argv, options, stdout, stderr);
}
