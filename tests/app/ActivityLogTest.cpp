#include "app/ActivityLog.h"

#include <gtest/gtest.h>

#include "doubles/FakeClock.h"
#include "doubles/FakeFileSystem.h"

namespace {
// Switching logging and an unwritable log are the session's (SessionTest).
TEST(ActivityLogTest, LinesCarryTheLocaleDateTimeSessionsAreSeparatedAndNothingIsWrittenWhileOff) {
    FakeFileSystem files;
    files.addDirectory("C:\\Corvane");
    FakeClock clock;
    bool enabled = false;
    ActivityLog log{enabled, files, clock, "C:\\Corvane"};
    log.logMsg("****** Application started; new log session created ******", true);
    EXPECT_FALSE(files.exists("C:\\Corvane\\corvane.log"));
    enabled = true;
    log.logMsg("Loading initial plugins...");
    log.logMsg("");
    clock.set({2026, 12, 6, 9, 5, 7, 0});
    log.logMsg("****** Application started; new log session created ******", true);
    EXPECT_EQ(files.contents("C:\\Corvane\\corvane.log"),
              "[12/5/2026 2:30:15 PM]: Loading initial plugins...\r\n"
              "[12/5/2026 2:30:15 PM]: \r\n"
              "\r\n"
              "[12/6/2026 9:05:07 AM]: ****** Application started; new log session created ******\r\n");
}
}  // namespace
