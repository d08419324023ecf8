// The settings file: whatever it holds, what the store writes back reads back with every entry and
// is never judged damaged; a text that does not read leaves nothing in the store, one with a
// damaged list element keeps the rest. (Not always as the same text: numbers are written "%g", so
// -0.0 comes back as 0.)
#include <string>

#include "fuzz/support/fuzz_one.h"
#include "platform/settings/json_defaults.h"

int fuzzOne(const uint8_t* data, size_t size) {
  // No path: the store never touches a real settings file.
  kel::JsonDefaults store([] { return std::string(); });
  using State = kel::JsonDefaults::TextState;
  const State state = store.readText(fuzzText(data, size));
  fuzzCheck(state != State::Unreadable || store.size() == 0, "an unreadable settings file gives the defaults");
  kel::JsonDefaults again([] { return std::string(); });
  fuzzCheck(again.loadText(store.toText()), "a written settings file is never judged damaged");
  fuzzCheck(again.size() == store.size(), "a written settings file keeps every entry");
  return 0;
}
