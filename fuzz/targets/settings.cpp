// The settings file: whatever it holds, what the store writes back reads back with every entry.
// (Not always as the same text: numbers are written "%g", so -0.0 comes back as 0.)
#include <string>

#include "fuzz/support/fuzz_one.h"
#include "platform/settings/json_defaults.h"

int fuzzOne(const uint8_t* data, size_t size) {
  // No path: the store never touches a real settings file.
  kel::JsonDefaults store([] { return std::string(); });
  store.loadText(std::string(reinterpret_cast<const char*>(data), size));
  kel::JsonDefaults again([] { return std::string(); });
  again.loadText(store.toText());
  fuzzCheck(again.size() == store.size(), "a written settings file keeps every entry");
  return 0;
}
