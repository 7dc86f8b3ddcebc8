// The session's start-up, its settings record and shutdown, and the
// emulators: what settings.ini, the log and the user see.
#include "session/SessionFixture.h"

namespace {
using SessionTest = SessionFixture;

const EmulatorEntry kEpsxe{"ePSXe", EmuSystem::PSX, "ePSXe", "C:\\ePSXe\\ePSXe.exe", "C:\\ePSXe\\plugins"};
const EmulatorEntry kPj64{"Project 64", EmuSystem::N64, "Project 64", "C:\\PJ64\\Project64.exe", "C:\\PJ64\\plugin"};

TEST_F(SessionTest, AFirstStartUsesTheDefaultsAndShutdownWritesTheWholeFileInUtf16) {
    start();
    EXPECT_EQ(session.pluginFolder(EmuSystem::PSX), "C:\\Corvane\\PSXPlugins");
    EXPECT_TRUE(files.isDirectory("C:\\Corvane\\PSXPlugins")) << "the own folders exist from the first start";
    EXPECT_TRUE(files.isDirectory("C:\\Corvane\\N64Plugins"));
    EXPECT_EQ(session.ePSXeVersion(), "0.0.0");
    EXPECT_FALSE(files.exists(kLog)) << "logging is off by default";
    EXPECT_EQ(user.progressed, (std::vector<std::string>{"Checking emulator setup...", "Applying DLL exclusions...",
                                                        "Scanning PSX plugins...", "Scanning N64 plugins..."}));
    session.writeSettings();
    EXPECT_EQ(files.contents(kSettings).substr(0, 2), kUtf16Mark) << "UTF-16 after a byte-order mark";
    EXPECT_EQ(writtenSettings(),
              "[Configuration]\r\nSplash=0\r\nSysTray=1\r\nDelete=0\r\nCounters=1\r\nExit=1\r\nPluginUpdates=1\r\n"
              "ToolUpdates=1\r\nDistribute=0\r\nInterval=60\r\nLogging=0\r\nLastUpdate=Never\r\nTransparency=0\r\n"
              "LConfigDetails=0\r\nCDRomSelection=-1\r\n");
}

TEST_F(SessionTest, SettingsAndEmulatorsRoundTripAndLastEmuIsUsedOnce) {
    drives.add("C:\\", DriveType::Fixed);
    drives.add("D:\\", DriveType::CdRom);
    drives.add("E:\\", DriveType::CdRom);
    emulators({kEpsxe, kPj64}, 2,
              "Splash=1\r\nCounters=0\r\nInterval=abc\r\nLastUpdate=12/1/2026\r\nLConfigDetails=-1\r\n"
              "CDRomSelection=1\r\nTransparency=40\r\nStale=gone\r\n");
    files.addFile(kSettings, TextOfFile(files.contents(kSettings)) +
                                 "[Help]\r\nWebSite=https://club.example/\r\n[Updates]\r\nServiceAddress=http://club.example\r\n");
    start();
    EXPECT_EQ(session.pluginFolder(EmuSystem::N64), "C:\\PJ64\\plugin") << "emulator 2 chosen";
    EXPECT_EQ(session.pluginFolder(EmuSystem::PSX), "C:\\Corvane\\PSXPlugins");
    EXPECT_EQ(session.currentCDROM(), "E:\\");
    EXPECT_EQ(session.serviceAddress(), "http://club.example/");
    session.writeSettings();
    const std::string written = writtenSettings();
    EXPECT_NE(written.find("Splash=1\r\nSysTray=1\r\nDelete=0\r\nCounters=0\r\n"), std::string::npos);
    EXPECT_NE(written.find("Interval=abc\r\nLogging=-1\r\nLastUpdate=12/1/2026\r\nTransparency=40\r\n"
                           "LConfigDetails=-1\r\nCDRomSelection=1\r\n[Emulators]\r\nName1=ePSXe\r\nSystem1=6\r\n"),
              std::string::npos)
        << written;
    EXPECT_NE(written.find("Plugins2=C:\\PJ64\\plugin\r\n[Updates]\r\nServiceAddress=http://club.example\r\n"
                           "[Help]\r\nWebSite=https://club.example/\r\n"),
              std::string::npos)
        << "the addresses' sections come back after the emulators";
    EXPECT_EQ(written.find("LastEmu"), std::string::npos);
    EXPECT_EQ(written.find("Stale"), std::string::npos);
    EXPECT_TRUE(logHas("Writing configuration to file..."));
}

TEST_F(SessionTest, OutOfRangeChoicesFallBackAndAFailedWriteKeepsTheOldFile) {
    emulators({kEpsxe}, 7, "CDRomSelection=3\r\n");
    const std::string before = files.contents(kSettings);
    files.makeReadOnly(kSettings);
    start();
    EXPECT_EQ(session.selected(), 0) << "no emulator 7";
    EXPECT_EQ(session.currentCDROM(), "");
    session.writeSettings();
    EXPECT_EQ(files.contents(kSettings), before);
    EXPECT_EQ(user.last().title, "Settings Not Saved");
}

TEST_F(SessionTest, SwitchesAreExactTheLogSwitchesWithMarkersAndAnUnwritableLogIsToldOnce) {
    settings("[Configuration]\r\nLogging=1\r\n");
    start("-n64config  -LOWRES -noconfigautoload");
    EXPECT_TRUE(flags.blN64ConfigEnabled);
    EXPECT_TRUE(flags.blNoConfigAutoLoad);
    EXPECT_FALSE(flags.blLowResSwitch) << "case matters";
    ASSERT_EQ(user.boxes.size(), 2u);
    EXPECT_EQ(user.boxes[0].text, "Invalid command line option ");
    EXPECT_EQ(user.boxes[1].text, "Invalid command line option -LOWRES");
    EXPECT_EQ(user.boxes[0].title, "Invalid Command Line Option");
    EXPECT_TRUE(logHas("N64 configuration switch detected; Configuration of N64 plugins is enabled..."));
    EXPECT_TRUE(logHas("No config auto-load switch detected; CD auto-load function disabled..."));
    EXPECT_NE(files.contents(kLog).find("\r\n\r\n["), std::string::npos) << "the session starts after a blank line";

    EXPECT_FALSE(session.toggleLogging());
    session.log().logMsg("not written");
    EXPECT_FALSE(logHas("not written"));
    EXPECT_TRUE(session.toggleLogging());
    EXPECT_TRUE(logHas("****** Logging Enabled ******"));
    files.makeReadOnly(kLog);
    session.log().logMsg("one");
    session.log().logMsg("two");
    EXPECT_EQ(user.titles().back(), "Activity Log");
    EXPECT_EQ(user.boxes.size(), 3u) << "told once";
}

TEST_F(SessionTest, RemovingAnEmulatorRenumbersTheScannedOnesSoTheNextChoiceScansAgain) {
    const EmulatorEntry second{"Other", EmuSystem::PSX, "PCSX", "C:\\o\\pcsx.exe", "C:\\o\\plugin"};
    addPlugin("C:\\o\\plugin\\gpuO.dll", PsxPlugin(2, "O GPU"));
    emulators({kEpsxe, second, kPj64}, 2);
    start();
    EXPECT_EQ(session.current(EmuSystem::PSX), 2);
    session.removeEmulator(1);
    EXPECT_EQ(session.selected(), 1) << "the shown entry moved up";
    EXPECT_EQ(session.current(EmuSystem::PSX), 1);
    const std::size_t loads = libraries.loads().size();
    session.selectEmulator(1, EmuSystem::PSX);
    EXPECT_EQ(libraries.loads().size(), loads) << "still the folder on screen";

    session.removeEmulator(1);
    EXPECT_EQ(session.pluginFolder(EmuSystem::PSX), "C:\\Corvane\\PSXPlugins") << "rescanned on its removal";
}
}  // namespace
