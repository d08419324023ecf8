// The settings file: whatever it holds, what the store writes back reads back the same.
#include <string>

#include "fuzz/support/fuzz_one.h"
#include "platform/settings/json_defaults.h"

int fuzzOne(const uint8_t* data, size_t size) {
  // No path: the store never touches a real settings file.
  kel::JsonDefaults store([] { return std::string(); });
  store.loadText(std::string(reinterpret_cast<const char*>(data), size));
  const std::string written = store.toText();
  kel::JsonDefaults again([] { return std::string(); });
  again.loadText(written);
  fuzzCheck(again.size() == store.size(), "a written settings file keeps every entry");
  fuzzCheck(again.toText() == written, "a written settings file reads back unchanged");
  return 0;
}
