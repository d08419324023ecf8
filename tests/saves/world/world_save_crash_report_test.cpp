// A crash while a world is being saved is reported as any other: the save leaves the process's
// fault handling to the crash reporter, whose backtrace then runs from the faulting function down
// through its callers.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <thread>

#include "platform/crash/crash_reporter.h"
#include "saves/world/world_file_snapshot.h"
#include "tests/saves/world/world_file_fixture.h"
#include "tests/support/crash_report_of_child.h"

// Named functions of the test program (exported, as the report's backtrace names what the dynamic
// symbol table holds): the one that writes through a null pointer and the one that calls it.
extern "C" {

// The sanitizers would take the null write for their own report; the reporter is to see the fault.
__attribute__((noipa, no_sanitize_undefined, no_sanitize_address)) void rubbleTestWritesThroughNull(
    uintptr_t address) {
  *reinterpret_cast<volatile int*>(address) = 1;
}

__attribute__((noipa)) void rubbleTestCrashesWhileASaveRuns(uintptr_t address) {
  rubbleTestWritesThroughNull(address);
  std::signal(SIGSEGV, SIG_DFL);  // not reached; keeps the call from being a tail call
}

}  // extern "C"

namespace saves_test {
namespace {

using WorldSaveCrashTest = WorldFileTest;

TEST_F(WorldSaveCrashTest, ANullWriteWhileAWorldIsSavedIsReportedAtTheFaultingFunction) {
  const std::filesystem::path folder = dir_.path() / "reports";
  const std::string report = testsupport::crashReportOfChild(folder, SIGSEGV, [&] {
    kel::CrashReporter reporter("rubblemoor", "1.0", "test", folder.string());
    if (!reporter.install()) _exit(3);
    std::unique_ptr<World> world = makeWorld();
    WorldFileSnapshot snapshot;
    takeWorldFileSnapshot(snapshot, entryFor(*world), *world, {}, links);
    // The writer packs the cells on its own thread while the game plays on and crashes.
    std::thread writer([&] {
      kel::FileHandle file(dir_.file("saved.dat"), kel::FileHandle::READ_WRITE_NEW);
      writeWorldFileSnapshot(file, snapshot);
    });
    rubbleTestCrashesWhileASaveRuns(0);
    writer.join();
  });
  EXPECT_NE(report.find("(SIGSEGV)"), std::string::npos) << report;
  const size_t faulting = report.find("rubbleTestWritesThroughNull");
  const size_t caller = report.find("rubbleTestCrashesWhileASaveRuns");
  ASSERT_NE(faulting, std::string::npos) << report;
  ASSERT_NE(caller, std::string::npos) << report;
  EXPECT_LT(faulting, caller) << "the faulting function first, then its caller";
  EXPECT_NE(report.find("(main+", caller), std::string::npos) << "the backtrace runs down to main";
}

}  // namespace
}  // namespace saves_test
