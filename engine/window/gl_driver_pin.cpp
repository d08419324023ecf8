#include "engine/window/gl_driver_pin.h"

#include <dlfcn.h>
#include <link.h>

#include <string>
#include <vector>

namespace engine {

namespace {

// Mesa's drivers live in ".../dri/<name>_dri.so"; newer Mesa moves their code to libgallium.
bool isGLDriver(const std::string& path) {
  const bool dri = path.find("/dri/") != std::string::npos &&
                   path.size() > 7 && path.compare(path.size() - 7, 7, "_dri.so") == 0;
  return dri || path.find("libgallium") != std::string::npos;
}

int collectDriver(dl_phdr_info* info, size_t, void* found) {
  if (info->dlpi_name != nullptr && isGLDriver(info->dlpi_name)) {
    static_cast<std::vector<std::string>*>(found)->emplace_back(info->dlpi_name);
  }
  return 0;
}

}  // namespace

void keepGLDriverLoaded() {
  std::vector<std::string> drivers;
  dl_iterate_phdr(collectDriver, &drivers);
  // NOLOAD: only libraries already in the process; NODELETE: never unloaded from now on. The
  // handle is deliberately kept.
  for (const std::string& driver : drivers) {
    dlopen(driver.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
}

}  // namespace engine
