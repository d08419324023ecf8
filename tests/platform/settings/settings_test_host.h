#pragma once
// A settings host over a real JSON store in the test's data home.

#include <memory>
#include <string>
#include <vector>

#include "platform/settings/json_defaults.h"
#include "platform/settings/settings_host.h"

namespace settingstest {

class TestSettingsHost : public kel::SettingsHost {
 public:
  kel::DefaultsBridge& defaults() override { return store; }
  std::string versionText() const override { return "3.1-steam"; }
  void loadKeyBindings(const std::vector<std::string>& entries) override {
    loadedBindings = entries;
    ++bindingLoads;
  }
  std::vector<std::string> keyBindingStrings() const override { return currentBindings; }

  kel::JsonDefaults store;  // the default path: XDG_DATA_HOME/Rubblemoor/settings.json
  std::vector<std::string> loadedBindings;
  int bindingLoads = 0;
  std::vector<std::string> currentBindings;
};

inline std::unique_ptr<kel::JsonDefaults> onDisk() {
  auto store = std::make_unique<kel::JsonDefaults>();
  store->load();
  return store;
}

}  // namespace settingstest
