#include <gtest/gtest.h>

#include <utility>

#include "engine/base/ref.h"
#include "engine/base/ref_ptr.h"

using engine::Ref;
using engine::RefPtr;

namespace {

struct Counted : Ref {
  explicit Counted(int* deaths) : deaths_(deaths) {}
  ~Counted() override { ++*deaths_; }
  int* deaths_;
  // What only this object keeps alive, as a parent keeps a child.
  RefPtr<Counted> kept;
};

uint32_t countOf(const Ref* object) { return object->getReferenceCount(); }

}  // namespace

TEST(RefPtr, TakingAPointerRetainsItAndGoingReleasesIt) {
  int deaths = 0;
  auto* object = new Counted(&deaths);
  {
    RefPtr<Counted> held(object);
    EXPECT_EQ(countOf(object), 2u);
    EXPECT_EQ(held.get(), object);
  }
  EXPECT_EQ(countOf(object), 1u);
  EXPECT_EQ(deaths, 0);
  object->release();
  EXPECT_EQ(deaths, 1);
}

TEST(RefPtr, AdoptTakesOverTheConstructionCountWithoutAddingOne) {
  int deaths = 0;
  {
    RefPtr<Counted> held = RefPtr<Counted>::adopt(new Counted(&deaths));
    EXPECT_EQ(countOf(held), 1u);
  }
  EXPECT_EQ(deaths, 1);
}

TEST(RefPtr, ACopyAddsACountAndAMoveHandsItOver) {
  int deaths = 0;
  RefPtr<Counted> first = RefPtr<Counted>::adopt(new Counted(&deaths));
  Counted* object = first.get();
  RefPtr<Counted> copy = first;
  EXPECT_EQ(countOf(object), 2u);
  RefPtr<Counted> moved = std::move(copy);
  EXPECT_EQ(countOf(object), 2u);
  EXPECT_EQ(copy.get(), nullptr);
  RefPtr<Counted> assigned;
  assigned = std::move(moved);
  EXPECT_EQ(countOf(object), 2u);
  assigned = first;
  EXPECT_EQ(countOf(object), 2u);  // the same object again: one count per holder
  first = nullptr;
  assigned.reset();
  EXPECT_EQ(deaths, 1);
}

TEST(RefPtr, ReassignmentReleasesThePreviousObject) {
  int deaths = 0;
  RefPtr<Counted> held = RefPtr<Counted>::adopt(new Counted(&deaths));
  auto* next = new Counted(&deaths);
  held = next;
  EXPECT_EQ(deaths, 1);
  EXPECT_EQ(countOf(next), 2u);
  next->release();
  held.reset();
  EXPECT_EQ(deaths, 2);
}

TEST(RefPtr, AssigningItselfKeepsTheCount) {
  int deaths = 0;
  RefPtr<Counted> held = RefPtr<Counted>::adopt(new Counted(&deaths));
  RefPtr<Counted>& alias = held;
  held = alias;
  held = held.get();
  held = std::move(alias);
  held.reset(held.get());
  ASSERT_NE(held.get(), nullptr);
  EXPECT_EQ(countOf(held), 1u);
  EXPECT_EQ(deaths, 0);
}

TEST(RefPtr, TakingWhatOnlyTheOldObjectKeepsAliveIsSafe) {
  int deaths = 0;
  RefPtr<Counted> held = RefPtr<Counted>::adopt(new Counted(&deaths));
  held->kept = RefPtr<Counted>::adopt(new Counted(&deaths));
  Counted* inner = held->kept.get();
  held = inner;  // the old object goes and with it its count on the inner one
  EXPECT_EQ(deaths, 1);
  EXPECT_EQ(held.get(), inner);
  EXPECT_EQ(countOf(inner), 1u);
}

TEST(RefPtr, NullIsAValueEverywhere) {
  RefPtr<Counted> empty;
  RefPtr<Counted> copy = empty;
  RefPtr<Counted> moved = std::move(copy);
  moved = empty;
  moved.reset();
  moved = nullptr;
  EXPECT_EQ(moved.get(), nullptr);
  EXPECT_FALSE(moved);
  EXPECT_EQ(RefPtr<Counted>::adopt(nullptr).get(), nullptr);
}
