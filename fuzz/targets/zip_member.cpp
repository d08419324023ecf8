// Zip archives: every member the archive lists (up to a few) read whole by name, as the file
// access reads packed resources.
#include <minizip/unzip.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/io/zip_member_reader.h"
#include "fuzz/support/fuzz_one.h"
#include "fuzz/support/temp_input.h"

namespace {

std::vector<std::string> memberNames(const std::string& path) {
  constexpr int MAX_MEMBERS = 8;
  std::vector<std::string> names;
  unzFile archive = unzOpen(path.c_str());
  if (archive == nullptr) return names;
  for (int status = unzGoToFirstFile(archive); status == UNZ_OK && names.size() < MAX_MEMBERS;
       status = unzGoToNextFile(archive)) {
    unz_file_info info;
    char name[256] = {};
    if (unzGetCurrentFileInfo(archive, &info, name, sizeof name, nullptr, 0, nullptr, 0) ==
        UNZ_OK) {
      names.emplace_back(name);
    }
  }
  unzClose(archive);
  return names;
}

}  // namespace

int fuzzOne(const uint8_t* data, size_t size) {
  const fuzzsupport::TempInput input(data, size, ".zip");
  for (const std::string& name : memberNames(input.path())) {
    int64_t length = -1;
    unsigned char* bytes = engine::readZipMember(input.path(), name, &length);
    fuzzCheck(bytes != nullptr ? length > 0 && static_cast<size_t>(length) <= size * 1032 + 1024
                               : length == 0,
              "a member is no larger than its archive can hold");
    std::free(bytes);
  }
  return 0;
}
