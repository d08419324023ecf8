// How a compressed world is cut into messages, and the header that announces it, byte for byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "net/transfer/world_header.h"
#include "net/transfer/world_pieces.h"

namespace {

std::vector<uint64_t> lengthsOf(const std::vector<uint64_t>& ends) {
  std::vector<uint64_t> lengths;
  uint64_t start = 0;
  for (uint64_t end : ends) {
    lengths.push_back(end - start);
    start = end;
  }
  return lengths;
}

TEST(WorldPieces, AStreamOf25600BytesIs256PiecesOf100) {
  EXPECT_EQ(lengthsOf(pieceEnds(25'600)), std::vector<uint64_t>(256, 100));
}

TEST(WorldPieces, AStreamOf25601BytesHasOneMorePieceOfTheRemainder) {
  std::vector<uint64_t> expected(256, 100);
  expected.push_back(1);
  EXPECT_EQ(lengthsOf(pieceEnds(25'601)), expected);
}

TEST(WorldPieces, AStreamShorterThan256BytesGoesInOnePieceAndNoneInNone) {
  EXPECT_EQ(lengthsOf(pieceEnds(255)), std::vector<uint64_t>{255});
  EXPECT_TRUE(pieceEnds(0).empty());
}

TEST(WorldPieces, EveryLengthIsCoveredOnceInAtMost257Pieces) {
  for (uint64_t length : {1ull, 256ull, 257ull, 511ull, 1'000'003ull, 2'345'678ull}) {
    const std::vector<uint64_t> lengths = lengthsOf(pieceEnds(length));
    EXPECT_LE(lengths.size(), 257u) << length;
    EXPECT_EQ(std::accumulate(lengths.begin(), lengths.end(), uint64_t{0}), length);
  }
}

TEST(WorldHeaderMessage, ReadsBackAsWritten) {
  WorldHeader header;
  header.width = 4096;
  header.height = 512;
  header.player = {1000, 120, 2048, 130};
  header.clockTicks = 0x01020304;
  header.clockPhase = 4;
  header.clockRunning = 1;
  header.weatherKind = 2;
  header.planetValue = 8;
  header.difficulty = 3;
  header.params = {8, 0x0F, 0, 4, 1, 77};
  header.compressedLength = 1'234'567;
  const wire::WireOut out = worldHeaderMessage(header);
  ASSERT_EQ(out.size(), 42u);
  EXPECT_EQ(out.data()[38], 0x87);  // the length's low byte at 38
  wire::WireIn in(*wire::incoming(67, wire::Side::Client), out.bytes());
  const WorldHeader read = readWorldHeader(in);
  EXPECT_EQ(read.player, header.player);
  EXPECT_EQ(read.params.extra, 77u);
  EXPECT_EQ(read.compressedLength, header.compressedLength);
  const wire::WireOut again = worldHeaderMessage(read);
  EXPECT_TRUE(std::equal(out.data(), out.data() + out.size(), again.data()));
  EXPECT_EQ(headerFault(header), nullptr);
}

TEST(WorldHeaderMessage, TheCompressedBoundIsZlibsWithTheGzipWrapper) {
  // 512 x 128 cells of 16 bytes: 1 MiB, whose zlib bound is 1 MiB + 256 + 64 + 13.
  EXPECT_EQ(compressedCellsBound(512, 128), 1'048'576u + 256u + 64u + 13u + 12u);
}

}  // namespace
