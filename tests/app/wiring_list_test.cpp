#include "app/wiring_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/base/seam.h"

namespace {

// Fake process-wide slots: each registration takes one and its undoing gives it back, and every
// step is written down so the order can be read afterwards.
class Fake {
 public:
  virtual ~Fake() = default;
};
class NullFake final : public Fake {};

struct Slots {
  engine::Seam<Fake, NullFake> first, second, third;
};

TEST(WiringList, UndoesItsRegistrationsInExactReverseAndEachOnce) {
  Slots slots;
  Fake a, b, c;
  std::vector<std::string> steps;
  {
    WiringList list;
    const struct {
      const char* name;
      engine::Seam<Fake, NullFake>& slot;
      Fake& fake;
    } registrations[] = {{"first", slots.first, a}, {"second", slots.second, b}, {"third", slots.third, c}};
    for (const auto& r : registrations) {
      list.wire([&] { r.slot.set(&r.fake); steps.push_back(std::string("wire ") + r.name); },
                [&] {
                  // Whatever was registered later is already gone when this one is undone.
                  if (&r.slot != &slots.third) {
                    EXPECT_FALSE(slots.third.registered()) << r.name;
                  }
                  r.slot.set(nullptr);
                  steps.push_back(std::string("undo ") + r.name);
                });
      EXPECT_EQ(&r.slot.get(), &r.fake) << "registered at once";
    }
    list.undoAll();
    EXPECT_FALSE(slots.first.registered() || slots.second.registered() || slots.third.registered());
  }  // the list's own end undoes nothing twice
  EXPECT_EQ(steps, (std::vector<std::string>{"wire first", "wire second", "wire third", "undo third",
                                             "undo second", "undo first"}));
}

TEST(WiringList, ItsEndUndoesWhatIsStillRegistered) {
  std::vector<int> undone;
  {
    WiringList list;
    for (int i = 0; i < 4; ++i) list.wire([] {}, [&undone, i] { undone.push_back(i); });
  }
  EXPECT_EQ(undone, (std::vector<int>{3, 2, 1, 0}));
}

}  // namespace
