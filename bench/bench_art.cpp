// Making the whole art set (every registered atlas drawn and encoded to PNG, as the build does on
// every change of its sources), beside the least any maker of the same pictures must do: encode
// pictures of the same sizes holding one flat colour. The goal is the whole set under 5 s on one
// core, so engine_us should stay under 5,000,000. Each atlas is also timed alone so a slow one shows by name.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/support/side_by_side.h"
#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/atlas_registry.h"
#include "tools/png_writer/png_writer.h"

namespace {

artmaker::SourceFolders sources() {
  const std::string assets = std::string(RUBBLE_SOURCE_DIR) + "/assets";
  return {assets + "/content", assets + "/art", assets + "/language/english.json"};
}

// Draws the atlas and encodes its pictures; the number of bytes, 0 when the atlas failed.
size_t makeAndEncode(const artmaker::AtlasMaker& atlas, std::vector<std::pair<int, int>>* sizes) {
  artmaker::ArtSources art(sources());  // fresh sources: parsing the JSON is part of the work
  artmaker::AtlasOutput out;
  atlas.make(art, out);
  if (!out.errors().empty()) return 0;
  size_t bytes = 0;
  for (const artmaker::MadePicture& picture : out.pictures()) {
    bytes += toolpng::encodePng(picture.canvas.width(), picture.canvas.height(), picture.canvas.pixels()).size();
    if (sizes) sizes->emplace_back(picture.canvas.width(), picture.canvas.height());
  }
  return bytes;
}

void BM_WholeArtSetVsFlatPictures(benchmark::State& state) {
  std::vector<std::pair<int, int>> sizes;
  for (const artmaker::AtlasMaker& atlas : artmaker::registeredAtlases()) makeAndEncode(atlas, &sizes);
  bench::SideBySide timing;
  bool failed = false;
  for (auto _ : state) {
    timing.engine([&] {
      for (const artmaker::AtlasMaker& atlas : artmaker::registeredAtlases()) failed |= makeAndEncode(atlas, nullptr) == 0;
    });
    timing.baseline([&] {
      for (const auto& [w, h] : sizes) {
        const std::vector<uint32_t> flat(size_t(w) * size_t(h), 0x808080FFu);
        benchmark::DoNotOptimize(toolpng::encodePng(w, h, flat).size());
      }
    });
  }
  if (failed) state.SkipWithError("an atlas failed to draw");
  timing.report(state);
  state.counters["pictures"] = double(sizes.size());
  state.SetLabel("baseline: flat pictures of the same sizes encoded, a lower bound, not the same answer");
}
BENCHMARK(BM_WholeArtSetVsFlatPictures)->Apply(bench::repeatForMedians)->Iterations(2);

void BM_OneAtlas(benchmark::State& state) {
  const artmaker::AtlasMaker& atlas = artmaker::registeredAtlases()[size_t(state.range(0))];
  size_t bytes = 0;
  for (auto _ : state) bytes = makeAndEncode(atlas, nullptr);
  state.SetLabel(atlas.name);
  state.counters["png_kb"] = double(bytes) / 1024.0;
}
BENCHMARK(BM_OneAtlas)->DenseRange(0, int(artmaker::registeredAtlases().size()) - 1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
BENCHMARK_MAIN();
