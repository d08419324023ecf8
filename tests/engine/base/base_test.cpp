#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "engine/base/format_string.h"
#include "engine/base/geometry.h"
#include "engine/base/log.h"
#include "engine/base/random.h"
#include "engine/base/ref.h"

using namespace engine;

TEST(Geometry, RectsTransformToTheirBoundingBoxAndPointsBack) {
  // A quarter turn: (x, y) -> (-y, x), then moved by (100, 0).
  const AffineTransform t{0, 1, -1, 0, 100, 0};
  EXPECT_EQ(RectApplyAffineTransform(Rect(0, 0, 10, 20), t), Rect(80, 0, 20, 10));
  const Vec2 p = PointApplyAffineTransform(PointApplyAffineTransform({3, 4}, t),
                                           AffineTransformInvert(t));
  EXPECT_NEAR(p.x, 3, 1e-5);
  EXPECT_NEAR(p.y, 4, 1e-5);
}

TEST(Geometry, ASingularMatrixIsNotInvertedAndLeftAlone) {
  Mat4 singular;
  singular.m[5] = 0;
  const Mat4 before = singular;
  EXPECT_FALSE(singular.inverse());
  EXPECT_EQ(0, std::memcmp(before.m, singular.m, sizeof before.m));
}

// The planar product must give the general product's values for any parent, also when it
// writes over its own parent, and only planar matrices may take it.
TEST(Geometry, PlanarProductMatchesTheGeneralProduct) {
  randomSeed(11);
  auto value = [] { return static_cast<float>(static_cast<int>(randomNext() % 2001) - 1000) / 37; };
  for (int round = 0; round < 50; ++round) {
    Mat4 parent;
    for (float& f : parent.m) f = value();
    Mat4 local;  // turned, scaled and moved in the plane, with a z offset
    for (int i : {0, 1, 4, 5, 12, 13, 14}) local.m[i] = value();
    ASSERT_TRUE(MathUtil::isPlanar(local.m));
    Mat4 general;
    MathUtil::multiplyMatrix(parent.m, local.m, general.m);
    MathUtil::multiplyByPlanar(parent.m, local.m, parent.m);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(parent.m[i], general.m[i]) << round << ":" << i;
  }
  for (int i : {2, 3, 6, 7, 8, 9, 10, 11, 15}) {
    Mat4 bent;
    bent.m[i] += 0.5f;
    EXPECT_FALSE(MathUtil::isPlanar(bent.m)) << i;
  }
}

TEST(Log, CutsLongMessagesAlwaysEndsWithNewlineAndFormatsSafely) {
  static char buffer[LOG_BUFFER_SIZE];
  const std::string longText(20000, 'x');
  formatLogLine(buffer, "%s", longText.c_str());
  const std::string line(buffer);
  ASSERT_EQ(line.size(), static_cast<size_t>(LOG_MAX_CHARACTERS + 1));
  EXPECT_EQ(line.back(), '\n');
  // A format text that asks for something else comes back whole, never an exception.
  EXPECT_EQ(formatString("%d apples", "x"), "%d apples");
}

TEST(Random, ClassicSequencePerThread) {
  randomSeed(1);
  for (int expected : {41, 18467, 6334}) EXPECT_EQ(randomNext(), expected);
  int otherThreadFirst = -1;
  std::thread([&] { otherThreadFirst = randomNext(); }).join();
  EXPECT_EQ(otherThreadFirst, 41);  // a new thread starts from seed 1, untouched by this one
}

// Three steps at once give the next three draws of the sequence from any state and leave the
// state where three single steps leave it; a run stepped through a copy of its state goes on from
// where the copy was handed back, and the thread's sequence after the run's last draw.
TEST(Random, ThreeStepsAtOnceAreTheNextThreeOfTheSequence) {
  for (uint32_t seed : {0u, 1u, 2u, 0x7FFFu, 0x80000000u, 0xFFFFFFFFu, 123456789u}) {
    uint32_t single = seed, three = seed;
    for (int i = 0; i < 1000; ++i) {
      const int first = randomStep(single), second = randomStep(single), third = randomStep(single);
      const RandomThree drawn = randomStepThree(three);
      ASSERT_EQ(drawn.first, first) << "seed " << seed << " step " << i;
      ASSERT_EQ(drawn.second, second) << "seed " << seed << " step " << i;
      ASSERT_EQ(drawn.third, third) << "seed " << seed << " step " << i;
      ASSERT_EQ(three, single) << "seed " << seed << " step " << i;
    }
    randomSeed(seed);
    std::vector<int> oneByOne;
    for (int i = 0; i < 302; ++i) oneByOne.push_back(randomNext());
    randomSeed(seed);
    std::vector<int> mixed;
    {
      RandomRun run;
      mixed.push_back(run.next());
      uint32_t state = run.current();
      for (int i = 0; i < 99; ++i) {
        const RandomThree drawn = randomStepThree(state);
        mixed.insert(mixed.end(), {drawn.first, drawn.second, drawn.third});
      }
      run.resume(state);
      mixed.push_back(run.next());
      mixed.push_back(run.next());
      mixed.push_back(run.next());
    }
    mixed.push_back(randomNext());
    EXPECT_EQ(mixed, oneByOne) << "seed " << seed;
  }
}

namespace {
struct Tracked : Ref {
  explicit Tracked(int* deaths) : deaths_(deaths) {}
  ~Tracked() override { ++*deaths_; }
  int* deaths_;
};

// Autoreleases a fresh object from its destructor, as a node that creates another one might.
struct Spawner : Ref {
  Spawner(int* deaths, Tracked** child) : deaths_(deaths), child_(child) {}
  ~Spawner() override {
    *child_ = new Tracked(deaths_);
    (*child_)->autorelease();
  }
  int* deaths_;
  Tracked** child_;
};
}  // namespace

TEST(AutoreleasePool, ReleasesAfterTheFrameOncePerAutorelease) {
  AutoreleasePool* pool = PoolManager::getCurrentPool();
  pool->clear();
  int deaths = 0;
  auto* kept = new Tracked(&deaths);
  kept->retain();
  kept->retain();
  kept->autorelease();
  kept->autorelease();
  (new Tracked(&deaths))->autorelease();
  EXPECT_EQ(deaths, 0);
  pool->clear();
  EXPECT_EQ(deaths, 1);
  EXPECT_EQ(kept->getReferenceCount(), 1u);
  kept->release();
  EXPECT_EQ(deaths, 2);
}

TEST(AutoreleasePool, ObjectsAutoreleasedDuringClearWaitForTheNextClear) {
  AutoreleasePool* pool = PoolManager::getCurrentPool();
  pool->clear();
  int deaths = 0;
  Tracked* child = nullptr;
  (new Spawner(&deaths, &child))->autorelease();
  pool->clear();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(deaths, 0);
  EXPECT_TRUE(pool->contains(child));
  pool->clear();
  EXPECT_EQ(deaths, 1);
}
