#include "saves/container/gzip_buffer.h"

#include <libdeflate.h>

#include <memory>

namespace {

// zlib's default level, the level the format's sections have always been written at.
constexpr int kLevel = 6;
constexpr uint8_t kGzipMagic[] = {0x1F, 0x8B};

struct CompressorFree {
  void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
};
struct DecompressorFree {
  void operator()(libdeflate_decompressor* decompressor) const {
    libdeflate_free_decompressor(decompressor);
  }
};

bool isGzip(std::span<const uint8_t> source) {
  return source.size() >= 2 && source[0] == kGzipMagic[0] && source[1] == kGzipMagic[1];
}

}  // namespace

std::optional<std::vector<uint8_t>> gzipCompress(std::span<const uint8_t> source) {
  if (source.empty()) return std::vector<uint8_t>();
  const std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
      libdeflate_alloc_compressor(kLevel));
  if (compressor == nullptr) return std::nullopt;
  // Room for the worst case, left uninitialised: a world's cells shrink to a sixteenth or less,
  // and pages the stream never reaches never become resident. Only the stream is then copied out.
  const size_t bound = libdeflate_gzip_compress_bound(compressor.get(), source.size());
  const std::unique_ptr<uint8_t[]> room = std::make_unique_for_overwrite<uint8_t[]>(bound);
  const size_t written =
      libdeflate_gzip_compress(compressor.get(), source.data(), source.size(), room.get(), bound);
  if (written == 0) return std::nullopt;  // cannot happen within the bound
  return std::vector<uint8_t>(room.get(), room.get() + written);
}

bool gunzipBuffer(std::span<const uint8_t> source, std::span<uint8_t> destination) {
  if (source.empty()) return destination.empty();
  const std::unique_ptr<libdeflate_decompressor, DecompressorFree> decompressor(
      libdeflate_alloc_decompressor());
  if (decompressor == nullptr) return false;
  uint8_t none = 0;  // somewhere to point at when the destination is empty
  uint8_t* out = destination.empty() ? &none : destination.data();
  // Without an actual-size result libdeflate succeeds only when the stream fills the destination
  // exactly: fewer bytes is a short output, more is a lack of space, both failures. The gzip
  // form also checks the stream's CRC and its recorded size against what was inflated.
  const libdeflate_result result =
      isGzip(source)
          ? libdeflate_gzip_decompress(decompressor.get(), source.data(), source.size(), out,
                                       destination.size(), nullptr)
          : libdeflate_zlib_decompress(decompressor.get(), source.data(), source.size(), out,
                                       destination.size(), nullptr);
  return result == LIBDEFLATE_SUCCESS;
}
