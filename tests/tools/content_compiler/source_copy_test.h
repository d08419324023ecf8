#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "content/loader/content_database.h"
#include "tests/support/alert_recorder.h"
#include "tests/support/temp_dir.h"
#include "tools/content_compiler/content_compiler.h"

namespace compiler_test {

inline std::filesystem::path basicSet() {
  const char* data = std::getenv("RUBBLE_TEST_DATA");
  return std::filesystem::path(data ? data : "tests/data") / "content" / "basic";
}

class SourceCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& entry : std::filesystem::directory_iterator(basicSet())) {
      std::filesystem::copy_file(entry.path(), dir.path() / entry.path().filename());
    }
    resetContentDatabase();
  }
  void TearDown() override { resetContentDatabase(); }

  // Compiles with `json` as `file` and loads the result; "" on success, else the refusal.
  std::string compileWith(const std::string& file, const std::string& json) {
    dir.write(file, json);
    const auto result = content_compiler::compileContent(dir.path().string());
    if (!result.ok) return result.error;
    resetContentDatabase();
    const bool intact = verifyContentChecksum(loadContentDatabaseBytes(result.bytes));
    return intact ? "" : "load: " + contentLoadError();
  }

  // As compileWith, but puts the good file back so later compiles start from the good set.
  std::string refusalWith(const std::string& file, const std::string& json) {
    const std::string original = dir.read(file);
    const std::string error = compileWith(file, json);
    dir.write(file, original);
    return error;
  }

  ::testing::AssertionResult refused(const std::string& file, const std::string& json,
                                     const std::string& why) {
    const std::string error = refusalWith(file, json);
    if (error.find(why) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected '" << why << "' but got: '" << error << "'";
  }

  testsupport::TempDir dir;
  engine::SilentAlertBox silent;  // a refused copy is the test's answer, not an alert
  testsupport::ScopedAlertBox useSilent{engine::alertBoxSeam(), silent};
};

}  // namespace compiler_test
