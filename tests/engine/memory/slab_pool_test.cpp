#include "engine/memory/slab_pool.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

#include "tests/support/slab_pool_probe.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

using engine::SlabPool;
using engine::SlabPoolProbe;

namespace {

uintptr_t address(const void* place) { return reinterpret_cast<uintptr_t>(place); }

TEST(SlabPoolTest, PlacesOfOneSizeFollowEachOtherInTheOrderMade) {
  SlabPool pool(4096);
  const size_t size = 200;  // three lines and a bit: 256 bytes a place
  std::vector<void*> places;
  for (int i = 0; i < 8; ++i) places.push_back(pool.allocate(size));
  for (size_t i = 0; i < places.size(); ++i) {
    EXPECT_EQ(address(places[i]) % SlabPool::kAlignment, 0u);
    if (i > 0) {
      EXPECT_EQ(address(places[i]) - address(places[i - 1]), SlabPool::slotBytes(size));
    }
  }
  for (void* place : places) pool.free(place, size);
}

TEST(SlabPoolTest, AFreedPlaceIsHandedOutAgainFirst) {
  SlabPool pool;
  void* a = pool.allocate(100);
  void* b = pool.allocate(100);
  void* c = pool.allocate(100);
  pool.free(b, 100);
  pool.free(a, 100);
  EXPECT_EQ(pool.allocate(100), a);  // the last freed first
  EXPECT_EQ(pool.allocate(100), b);
  void* fresh = pool.allocate(100);
  EXPECT_EQ(address(fresh) - address(c), SlabPool::slotBytes(100));
  for (void* place : {a, b, c, fresh}) pool.free(place, 100);
}

TEST(SlabPoolTest, ASizeTakesOnlyPlacesOfItsOwnClass) {
  SlabPool pool;
  void* small = pool.allocate(64);
  pool.free(small, 64);
  void* larger = pool.allocate(65);
  EXPECT_NE(larger, small);  // a freed 64-byte place does not hold 65 bytes
  EXPECT_EQ(pool.allocate(1), small);
  pool.free(larger, 65);
  pool.free(small, 1);
}

TEST(SlabPoolTest, ManySizesGetPlacesThatNeverOverlapAndKeepTheirBytes) {
  SlabPool pool(8192, 16384);
  struct Made {
    unsigned char* place;
    size_t size;
  };
  std::vector<Made> made;
  for (size_t round = 0; round < 6; ++round) {
    for (size_t size = 1; size <= SlabPool::kLargestSlot + 300; size += 97) {
      auto* place = static_cast<unsigned char*>(pool.allocate(size));
      ASSERT_EQ(address(place) % SlabPool::kAlignment, 0u);
      std::memset(place, static_cast<int>(made.size() & 0xFF), size);
      made.push_back({place, size});
    }
  }
  std::set<std::pair<uintptr_t, uintptr_t>> spans;
  for (size_t i = 0; i < made.size(); ++i) {
    const auto [place, size] = made[i];
    for (size_t k = 0; k < size; ++k) ASSERT_EQ(place[k], i & 0xFF) << "place " << i;
    spans.insert({address(place), address(place) + size});
  }
  uintptr_t previousEnd = 0;
  for (const auto& [begin, end] : spans) {
    EXPECT_GE(begin, previousEnd);
    previousEnd = end;
  }
  EXPECT_GT(SlabPoolProbe::slabCount(pool), 1u);
  for (const Made& m : made) pool.free(m.place, m.size);
}

TEST(SlabPoolTest, AFullSlabIsFollowedByANewOne) {
  SlabPool pool(4096);
  std::vector<void*> places;
  for (int i = 0; i < 64; ++i) places.push_back(pool.allocate(64));  // one slab's worth
  EXPECT_EQ(address(places[0]) % SlabPool::kSlabAlignment, 0u);
  EXPECT_EQ(SlabPoolProbe::slabCount(pool), 1u);
  places.push_back(pool.allocate(64));
  EXPECT_EQ(SlabPoolProbe::slabCount(pool), 2u);
  for (void* place : places) pool.free(place, 64);
  for (int i = 0; i < 65; ++i) places[static_cast<size_t>(i)] = pool.allocate(64);
  EXPECT_EQ(SlabPoolProbe::slabCount(pool), 2u);  // all of them reused
  for (void* place : places) pool.free(place, 64);
}

TEST(SlabPoolTest, AClassThatOutgrowsItsFirstSlabGoesOnInHugePageSlabs) {
  SlabPool pool(4096);
  std::vector<void*> places;
  for (int i = 0; i < 32; ++i) places.push_back(pool.allocate(128));  // the first slab, full
  void* other = pool.allocate(64);  // another class's first slab stays small
  EXPECT_EQ(SlabPoolProbe::slabCount(pool), 2u);
  const size_t perLargeSlab = SlabPool::kHugePage / 128;
  for (size_t i = 0; i < perLargeSlab; ++i) places.push_back(pool.allocate(128));
  EXPECT_EQ(SlabPoolProbe::slabCount(pool), 3u);
  // The large slab starts a huge page, and its places follow each other to its end.
  const uintptr_t large = address(places[32]);
  EXPECT_EQ(large % SlabPool::kHugePage, 0u);
  EXPECT_EQ(address(places.back()) - large, (perLargeSlab - 1) * 128);
  std::memset(places.back(), 0x5A, 128);
  EXPECT_EQ(static_cast<unsigned char*>(places.back())[127], 0x5A);
  places.push_back(pool.allocate(128));  // past it: another large slab
  EXPECT_EQ(address(places.back()) % SlabPool::kHugePage, 0u);
  EXPECT_EQ(SlabPoolProbe::slabCount(pool), 4u);
  for (void* place : places) pool.free(place, 128);
  pool.free(other, 64);
}

#if defined(__SANITIZE_ADDRESS__)
TEST(SlabPoolTest, AFreedPlaceIsOffLimitsUntilHandedOutAgain) {
  SlabPool pool;
  void* place = pool.allocate(300);
  EXPECT_FALSE(__asan_address_is_poisoned(place));
  pool.free(place, 300);
  EXPECT_TRUE(__asan_address_is_poisoned(place));
  EXPECT_TRUE(__asan_address_is_poisoned(static_cast<char*>(place) + 299));
  EXPECT_EQ(pool.allocate(300), place);
  EXPECT_FALSE(__asan_address_is_poisoned(static_cast<char*>(place) + 299));
  pool.free(place, 300);
}
#endif

}  // namespace
