// art_maker: draws the game's atlases and sky pictures from assets/ into the graphics folder.
//   art_maker [--content DIR] [--art DIR] [--language FILE] [--out DIR] [--sheet FILE]
//             [--only NAME]... [--timings]
// With no --out only the contact sheet (when asked) is written. The folders default to the
// repository's assets.

#include <cstdio>

#include "tools/art_maker/art_run.h"

int main(int argc, char** argv) {
  artmaker::ArtRunOptions options;
  options.sources = {RUBBLE_ASSETS_DIR "/content", RUBBLE_ASSETS_DIR "/art", RUBBLE_ASSETS_DIR "/language/english.json"};
  std::string error;
  if (!artmaker::parseArtArguments(argc, argv, options, error)) {
    std::fprintf(stderr,
                 "art_maker: %s\nusage: art_maker [--content DIR] [--art DIR] [--language FILE] [--out DIR] "
                 "[--sheet FILE] [--only NAME]... [--timings]\n",
                 error.c_str());
    return 2;
  }
  return artmaker::runArtMaker(options, stdout, stderr);
}
