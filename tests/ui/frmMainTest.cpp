#include "ui/MainFixture.h"

namespace {
using frmMainTest = MainFixture;

TEST_F(frmMainTest, FirstStartShowsDefaultsAndShutdownWritesTheWholeFile) {
    start();
    EXPECT_TRUE(splash.visible()) << "the splash stays until its timer runs";
    EXPECT_FALSE(main.visible());
    splash.tmrSplash.fire();
    EXPECT_TRUE(main.visible());
    EXPECT_TRUE(splash.closed());

    EXPECT_EQ(main.caption(), "Orvisk's Corvane v" CORVANE_VERSION_TEXT);
    EXPECT_EQ(main.ssTabMain.tabs(), (std::vector<std::string>{" PSX Plugins", "N64 Plugins", " Configuration", " About"}));
    EXPECT_EQ(main.lblPluginCount[0].caption(), "0 GPU Plugins Detected ");
    EXPECT_EQ(main.lblPluginCount[7].caption(), "0 RSP Plugins Detected ");
    EXPECT_EQ(main.lstPluginList[0].columns().size(), 4u);
    EXPECT_EQ(main.lstPluginList[4].columns().size(), 3u) << "N64 lists have no Version column";
    EXPECT_EQ(main.txtSettings.text(), "60");
    EXPECT_EQ(main.cmbEmuSelect.items(), std::vector<std::string>{"-- Tool Plugin Backups --"});
    EXPECT_EQ(main.cmbEmuSelect.listIndex(), 0);
    EXPECT_FALSE(main.cmdEditEmu.enabled());
    EXPECT_FALSE(main.cmdRemoveEmu.enabled());
    EXPECT_FALSE(main.cmbCDROM.enabled()) << "no CD-ROM drive";
    EXPECT_EQ(main.psxPluginFolder(), "C:\\Corvane\\PSXPlugins");
    EXPECT_EQ(main.ePSXeVersion(), "0.0.0");
    EXPECT_TRUE(main.tmrTimer.enabled());
    EXPECT_FALSE(files.exists(kLog)) << "logging is off by default";

    windows.queueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(main.requestClose());
    EXPECT_EQ(files.contents(kSettings).substr(0, 2), kUtf16Mark) << "UTF-16 after a byte-order mark";
    EXPECT_EQ(writtenSettings(),
              "[Configuration]\r\nSplash=0\r\nSysTray=1\r\nDelete=0\r\nCounters=1\r\nExit=1\r\nPluginUpdates=1\r\n"
              "ToolUpdates=1\r\nDistribute=0\r\nInterval=60\r\nLogging=0\r\nLastUpdate=Never\r\nTransparency=0\r\n"
              "LConfigDetails=0\r\nCDRomSelection=-1\r\n");
    EXPECT_FALSE(files.exists(std::string(kSettings) + ".new"));
}

TEST_F(frmMainTest, SettingsAndEmulatorsRoundTripAndLastEmuIsUsedOnce) {
    drives.add("C:\\", DriveType::Fixed);
    drives.add("D:\\", DriveType::CdRom);
    drives.add("E:\\", DriveType::CdRom);
    settings("[Configuration]\r\nSplash=1\r\nCounters=0\r\nExit=0\r\nPluginUpdates=0\r\nInterval=abc\r\n"
             "Logging=-1\r\nLastUpdate=12/1/2026\r\nLConfigDetails=-1\r\nCDRomSelection=1\r\nLastEmu=2\r\n"
             "Transparency=40\r\nStale=gone\r\n"
             "[Emulators]\r\nName1=ePSXe\r\nSystem1=6\r\nType1=ePSXe\r\nExe1=C:\\ePSXe\\ePSXe.exe\r\n"
             "Plugins1=C:\\ePSXe\\plugins\r\nName2=Project 64\r\nSystem2=7\r\nType2=Project 64\r\n"
             "Exe2=C:\\PJ64\\Project64.exe\r\nPlugins2=C:\\PJ64\\plugin\r\n");
    start();
    EXPECT_TRUE(main.visible()) << "no splash: shown at the end of loading";
    EXPECT_FALSE(splash.visible());
    EXPECT_EQ(main.cmbEmuSelect.items(),
              (std::vector<std::string>{"-- Tool Plugin Backups --", "ePSXe  (PSX)", "Project 64  (N64)"}));
    EXPECT_EQ(main.cmbEmuSelect.listIndex(), 2);
    EXPECT_EQ(main.n64PluginFolder(), "C:\\PJ64\\plugin");
    EXPECT_EQ(main.psxPluginFolder(), "C:\\Corvane\\PSXPlugins");
    EXPECT_EQ(main.lstEmulators.rows()[1].subItems, (std::vector<std::string>{"Project 64", "C:\\PJ64\\Project64.exe",
                                                                             "C:\\PJ64\\plugin"}));
    EXPECT_EQ(main.lstEmulators.rows()[0].icon, 6);
    EXPECT_EQ(main.currentCDROM(), "E:\\");
    EXPECT_FALSE(main.lblPluginCount[2].visible()) << "counters off";
    EXPECT_FALSE(main.tmrTimer.enabled());
    EXPECT_FALSE(main.txtSettings.enabled());
    EXPECT_FALSE(main.chkSettings[6].enabled());
    EXPECT_EQ(main.sldTransparency.value(), 40);
    EXPECT_EQ(windows.alphaOf(main.handle()), 255 - 62);

    EXPECT_EQ(main.txtSettings.text(), "abc") << "kept until the box loses focus";
    main.txtSettings.setEnabled(true);
    main.txtSettings.click();
    main.txtSettings.type("x");
    main.txtSettings.leave();
    EXPECT_EQ(main.txtSettings.text(), "abc") << "no digit left: the held text comes back";
    main.txtSettings.click();
    main.txtSettings.type("1 5min");
    main.txtSettings.leave();
    EXPECT_EQ(main.txtSettings.text(), "15");

    EXPECT_TRUE(main.requestClose()) << "no question with option 4 off";
    const std::string written = writtenSettings();
    EXPECT_NE(written.find("Splash=1\r\n"), std::string::npos);
    EXPECT_NE(written.find("Interval=15\r\nLogging=-1\r\nLastUpdate=12/1/2026\r\nTransparency=40\r\n"
                           "LConfigDetails=-1\r\nCDRomSelection=1\r\n[Emulators]\r\nName1=ePSXe\r\nSystem1=6\r\n"),
              std::string::npos)
        << written;
    EXPECT_NE(written.find("Plugins2=C:\\PJ64\\plugin\r\n"), std::string::npos);
    EXPECT_EQ(written.find("LastEmu"), std::string::npos);
    EXPECT_EQ(written.find("Stale"), std::string::npos);
    EXPECT_TRUE(logHas("Writing configuration to file..."));
    EXPECT_TRUE(logHas("****** Shutdown complete; exiting application ******"));
}

TEST_F(frmMainTest, CommandLineSwitchesAreExactAndTwoBlanksGiveAnEmptyPiece) {
    settings("[Configuration]\r\nLogging=1\r\n");
    environment.arguments = "-n64config  -LOWRES -noconfigautoload";
    start();
    EXPECT_TRUE(flags.blN64ConfigEnabled);
    EXPECT_TRUE(flags.blNoConfigAutoLoad);
    EXPECT_FALSE(flags.blLowResSwitch) << "case matters";
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Invalid command line option ",
                                                    "Invalid command line option -LOWRES"}));
    EXPECT_EQ(windows.shownBoxes()[0].title, "Invalid Command Line Option");
    EXPECT_EQ(windows.shownBoxes()[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(logHas("N64 configuration switch detected; Configuration of N64 plugins is enabled..."));
    EXPECT_TRUE(logHas("No config auto-load switch detected; CD auto-load function disabled..."));
    EXPECT_NE(files.contents(kLog).find("\r\n\r\n["), std::string::npos) << "the session starts after a blank line";
    EXPECT_TRUE(main.mnuEditEnableLogging.checked());
}

TEST_F(frmMainTest, OptionClicksDriveCountersAndTheUpdateTimer) {
    start();
    main.chkSettings[3].click();
    for (const auto& counter : main.lblPluginCount) EXPECT_FALSE(counter.visible());
    main.chkSettings[3].click();
    EXPECT_TRUE(main.lblPluginCount[5].visible());
    main.chkSettings[5].click();
    EXPECT_FALSE(main.tmrTimer.enabled());
    EXPECT_FALSE(main.txtSettings.enabled());
    EXPECT_FALSE(main.chkSettings[6].enabled());
    main.chkSettings[5].click();
    EXPECT_TRUE(main.tmrTimer.enabled());
    EXPECT_TRUE(main.chkSettings[6].enabled());
}

TEST_F(frmMainTest, UpdateTimerWaitsForTheIntervalAndForOtherWindows) {
    settings("[Configuration]\r\nLogging=-1\r\nInterval=2\r\nSplash=1\r\n");
    start();
    main.tmrTimer.fire();
    EXPECT_FALSE(logHas("Update timer interval passed; executing update procedure..."));
    main.tmrTimer.fire();
    EXPECT_TRUE(logHas("Update timer interval passed; executing update procedure..."));

    // Another window of the program open postpones the check.
    main.cmdAddEmu.click();
    main.tmrTimer.fire();
    main.tmrTimer.fire();
    EXPECT_FALSE(logHas("Update timer interval passed; executing update procedure...", 2));
    main.addEmuDialog()->cmdCancel.click();
    main.tmrTimer.fire();
    EXPECT_TRUE(logHas("Update timer interval passed; executing update procedure...", 2));

    main.txtSettings.setText("none");
    for (int i = 0; i < 5; ++i) main.tmrTimer.fire();
    EXPECT_FALSE(logHas("Update timer interval passed; executing update procedure...", 3))
        << "no number in the box: no check";
}

TEST_F(frmMainTest, QuitAsksAndRefusesWhileALaunchedProgramRuns) {
    start();
    windows.queueAnswer(MessageAnswer::No);
    EXPECT_FALSE(main.requestClose());
    EXPECT_FALSE(main.closed());
    EXPECT_FALSE(files.exists(kSettings)) << "a refused quit writes nothing";
    EXPECT_EQ(windows.shownBoxes().back().title, "Exiting Corvane");
    EXPECT_EQ(windows.shownBoxes().back().icon, MessageIcon::Question);

    flags.blExternalAppRunning = true;
    windows.queueAnswer(MessageAnswer::Yes);
    EXPECT_FALSE(main.requestClose());
    EXPECT_EQ(windows.shownBoxes().back().title, "Spawned Application Still Running");
    EXPECT_FALSE(files.exists(kSettings));

    flags.blExternalAppRunning = false;
    windows.queueAnswer(MessageAnswer::Yes);
    main.mnuFileExit.click();
    EXPECT_TRUE(main.closed());
    EXPECT_TRUE(files.exists(kSettings));
}

TEST_F(frmMainTest, ASecondInstanceSaysSoAndEndsWithoutWriting) {
    environment.otherInstance = true;
    EXPECT_FALSE(main.Splash_Load());
    ASSERT_EQ(windows.shownBoxes().size(), 1u);
    EXPECT_EQ(windows.shownBoxes()[0].title, "Multiple Instances Detected!");
    EXPECT_NE(windows.shownBoxes()[0].text.find("another instance.  Running"), std::string::npos);
    EXPECT_TRUE(flags.blDuplicateInstance);
    EXPECT_TRUE(splash.closed());
    EXPECT_FALSE(files.exists(kSettings));
}

TEST_F(frmMainTest, ActivationAppliesLowResolutionAndTransparencyOnce) {
    environment.height = 600;
    settings("[Configuration]\r\nTransparency=100\r\n");
    int resized = 0;
    main.onLowResolution = [&] { ++resized; };
    start();
    EXPECT_EQ(main.caption(), main.versionCaption() + "  (Low Resolution Mode)");
    EXPECT_EQ(resized, 1) << "the window takes the low-resolution size";
    EXPECT_EQ(windows.alphaOf(main.handle()), 100);
    main.activate();
    EXPECT_EQ(main.caption(), main.versionCaption() + "  (Low Resolution Mode)") << "applied once";
    main.sldTransparency.slide(0);
    EXPECT_EQ(windows.alphaOf(main.handle()), 255);
}

TEST_F(frmMainTest, WithoutLayeredWindowsTheTransparencyControlsAreHidden) {
    environment.os = OsVersion{false, 4, 10};
    start();
    EXPECT_FALSE(main.sldTransparency.visible());
    EXPECT_FALSE(main.lblTransparency.visible());
    EXPECT_FALSE(flags.blLowResApplied);
}

TEST_F(frmMainTest, MenusCarryTheirCaptions) {
    start();
    std::vector<std::string> bar;
    for (const auto& menu : main.menuBar().children) bar.push_back(menu.item->caption());
    EXPECT_EQ(bar, (std::vector<std::string>{"&File", "&Edit", "&View", "&Plugins", "&Tools", "&Help"}));
    const auto& file = main.menuBar().children[0].children;
    EXPECT_EQ(file.size(), 15u);
    EXPECT_EQ(file.front().children.size(), 3u) << "the import submenu";
    EXPECT_EQ(file.back().item->caption(), "E&xit");
}

TEST_F(frmMainTest, TheFirstBackgroundPictureFoundIsUsed) {
    files.addFile("C:\\Corvane\\background.gif");
    files.addFile("C:\\Corvane\\background.jpg");
    int loaded = 0;
    main.onBackgroundChanged = [&] { ++loaded; };
    start();
    EXPECT_EQ(loaded, 1) << "the window takes the picture when it is chosen";
    EXPECT_TRUE(flags.blBackgroundImage);
    EXPECT_EQ(main.backgroundPicture(), "C:\\Corvane\\background.jpg");
}

TEST_F(frmMainTest, AFailedSettingsWriteKeepsTheOldFileAndSaysSo) {
    settings("[Configuration]\r\nExit=0\r\nInterval=30\r\n");
    files.makeReadOnly(kSettings);
    start();
    EXPECT_TRUE(main.requestClose());
    EXPECT_EQ(files.contents(kSettings), "[Configuration]\r\nExit=0\r\nInterval=30\r\n");
    EXPECT_EQ(windows.shownBoxes().back().title, "Settings Not Saved");
}
}  // namespace
