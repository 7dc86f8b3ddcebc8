#include "app/ActivityLog.h"

#include <gtest/gtest.h>

#include "doubles/FakeClock.h"
#include "doubles/FakeFileSystem.h"
#include "doubles/FakeWindowServices.h"

namespace {
class ActivityLogTest : public ::testing::Test {
protected:
    ActivityLogTest() { files.addDirectory("C:\\Corvane"); }
    std::string logText() const { return files.contents("C:\\Corvane\\corvane.log"); }

    AppFlags flags;
    FakeFileSystem files;
    FakeClock clock;
    FakeWindowServices windows;
    ActivityLog log{flags, files, clock, windows, "C:\\Corvane"};
};

TEST_F(ActivityLogTest, WritesNothingWhileLoggingIsOff) {
    log.logMsg("****** Application started; new log session created ******", true);
    EXPECT_FALSE(files.exists("C:\\Corvane\\corvane.log"));
    EXPECT_TRUE(windows.shownBoxes().empty());
}

TEST_F(ActivityLogTest, LinesCarryTheLocaleDateTimeAndSessionsAreSeparated) {
    flags.blLoggingEnabled = true;
    log.logMsg("Loading initial plugins...");
    log.logMsg("");
    clock.set({2026, 12, 6, 9, 5, 7, 0});
    log.logMsg("****** Application started; new log session created ******", true);
    EXPECT_EQ(logText(),
              "[12/5/2026 2:30:15 PM]: Loading initial plugins...\r\n"
              "[12/5/2026 2:30:15 PM]: \r\n"
              "\r\n"
              "[12/6/2026 9:05:07 AM]: ****** Application started; new log session created ******\r\n");
}

TEST_F(ActivityLogTest, ToggleMarksBothSidesOfThePause) {
    flags.blLoggingEnabled = true;
    log.logMsg("before");
    EXPECT_FALSE(log.toggle());
    log.logMsg("while off");
    EXPECT_TRUE(log.toggle());
    EXPECT_TRUE(flags.blLoggingEnabled);
    EXPECT_EQ(logText(),
              "[12/5/2026 2:30:15 PM]: before\r\n"
              "\r\n[12/5/2026 2:30:15 PM]: ****** Logging Disabled ******\r\n"
              "\r\n[12/5/2026 2:30:15 PM]: ****** Logging Enabled ******\r\n");
}

TEST_F(ActivityLogTest, AnUnwritableLogIsReportedOnceAndTheProgramGoesOn) {
    flags.blLoggingEnabled = true;
    files.makeReadOnly("C:\\Corvane");
    log.logMsg("first");
    log.logMsg("second");
    ASSERT_EQ(windows.shownBoxes().size(), 1u);
    EXPECT_EQ(windows.shownBoxes()[0].title, "Activity Log");
    EXPECT_EQ(windows.shownBoxes()[0].icon, MessageIcon::Exclamation);
    EXPECT_NE(windows.shownBoxes()[0].text.find("C:\\Corvane\\corvane.log"), std::string::npos);
}
}  // namespace
