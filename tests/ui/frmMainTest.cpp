// The main window bound to the session: what its controls show and what the
// user's clicks reach. What the session does is tested in tests/session.
#include "doubles/FakeProbeHelper.h"
#include "plugins/FakePlugins.h"
#include "ui/MainFixture.h"

namespace {
using frmMainTest = MainFixture;

TEST_F(frmMainTest, TheSplashHandsOverAndTheControlsShowTheSettingsTheyWrite) {
    drives.add("D:\\", DriveType::CdRom);
    drives.add("E:\\", DriveType::CdRom);
    settings("[Configuration]\r\nCounters=0\r\nPluginUpdates=0\r\nInterval=abc\r\nCDRomSelection=1\r\n"
             "Transparency=40\r\nLogging=-1\r\n");
    start();
    EXPECT_TRUE(splash.visible()) << "the splash stays until its timer runs";
    EXPECT_FALSE(main.visible());
    splash.tmrSplash.fire();
    EXPECT_TRUE(main.visible());
    EXPECT_TRUE(splash.closed());
    EXPECT_FALSE(main.cmdEditEmu.enabled());
    EXPECT_EQ(main.cmbCDROM.text(), "E:\\");
    EXPECT_TRUE(main.mnuEditEnableLogging.checked());
    EXPECT_FALSE(main.lblPluginCount[2].visible()) << "counters off";
    EXPECT_FALSE(main.tmrTimer.enabled());
    EXPECT_FALSE(main.txtSettings.enabled());
    EXPECT_FALSE(main.chkSettings[6].enabled());
    EXPECT_EQ(main.sldTransparency.value(), 40);
    EXPECT_EQ(windows.alphaOf(main.handle()), 255 - 62);

    EXPECT_EQ(main.txtSettings.text(), "abc") << "kept until the box loses focus";
    main.chkSettings[5].click();
    EXPECT_TRUE(main.tmrTimer.enabled());
    EXPECT_TRUE(main.chkSettings[6].enabled());
    main.txtSettings.click();
    main.txtSettings.type("x");
    main.txtSettings.leave();
    EXPECT_EQ(main.txtSettings.text(), "abc") << "no digit left: the held text comes back";
    main.txtSettings.click();
    main.txtSettings.type("1 5min");
    main.txtSettings.leave();
    EXPECT_EQ(main.txtSettings.text(), "15");
    main.chkSettings[3].click();
    for (const auto& counter : main.lblPluginCount) EXPECT_TRUE(counter.visible());
    main.cmbCDROM.choose(0);
    main.sldTransparency.slide(100);
    EXPECT_EQ(windows.alphaOf(main.handle()), 100);

    windows.queueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(main.requestClose());
    const std::string written = writtenSettings();
    EXPECT_NE(written.find("Counters=1\r\nExit=1\r\nPluginUpdates=1\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("Interval=15\r\nLogging=-1\r\nLastUpdate=Never\r\nTransparency=100\r\n"), std::string::npos);
    EXPECT_NE(written.find("CDRomSelection=0\r\n"), std::string::npos);
    EXPECT_TRUE(logHas("****** Shutdown complete; exiting application ******"));
}

TEST_F(frmMainTest, TheListsShowTheCatalogueAndTheRowChosenDrivesTheCommands) {
    emulators({{"PCSX", EmuSystem::PSX, "PCSX", "C:\\pcsx\\pcsx.exe", "C:\\pcsx\\plugin"},
               {"PJ", EmuSystem::N64, "Project 64", "C:\\pj\\pj.exe", "C:\\pj\\plugin"}},
              1);
    addPlugin("C:\\pcsx\\plugin\\gpuPete.dll", PsxPlugin(2, "Pete's OpenGL Driver"));
    addPlugin("C:\\pcsx\\plugin\\gpuAnother.dll", PsxPlugin(2, "another GPU"));
    addPlugin("C:\\Corvane\\N64Plugins\\rsp.dll", N64Plugin(1, "RSP emulation Plugin"));
    registry.setString("Software\\Pcsx", "gpu", "gpuPete.dll");
    start();
    EXPECT_EQ(names(0), (std::vector<std::string>{"another GPU", "Pete's OpenGL Driver"}));
    EXPECT_EQ(main.lstPluginList[0].rows()[1].subItems,
              (std::vector<std::string>{"1.3", "December 5, 2026", "gpuPete.dll"}));
    EXPECT_EQ(main.lstPluginList[7].rows()[0].subItems, (std::vector<std::string>{"December 5, 2026", "rsp.dll"}));
    EXPECT_EQ(main.lstPluginList[7].rows()[0].icon, 5);
    EXPECT_EQ(main.lblPluginCount[0].caption(), "2 GPU Plugins Detected ");
    EXPECT_EQ(main.lblPluginCount[7].caption(), "1 RSP Plugin Detected ");
    EXPECT_TRUE(main.lstPluginList[2].emptyNotice());
    EXPECT_EQ(main.lstPluginList[0].selectedIndex(), 1) << "the active plug-in";
    EXPECT_TRUE(main.cmdApply.enabled());

    main.lstPluginList[0].clickRow(0);
    EXPECT_EQ(main.lblPluginName.caption(), "another GPU");
    main.cmdApply.click();
    EXPECT_EQ(value("Software\\Pcsx", "gpu"), "gpuAnother.dll");

    main.cmbEmuSelect.choose(2);
    EXPECT_EQ(main.page(), MainPage::N64) << "the emulator's page";
    EXPECT_TRUE(main.cmdApply.enabled());
    EXPECT_FALSE(main.mnuFileLaunchCDRom.enabled());
    EXPECT_EQ(names(4), std::vector<std::string>{}) << "its folder is empty";
}

TEST_F(frmMainTest, TheSkippedMenuListsTheQuarantineAndChecksOneAgain) {
    settings("[Configuration]\r\nLogging=-1\r\n");
    addPlugin("C:\\Corvane\\PSXPlugins\\gpuA.dll", PsxPlugin(2, "A GPU"));
    start();
    StoredProbe failed = *main.session().probeStore().findPath("C:\\Corvane\\PSXPlugins\\gpuA.dll");
    failed.status = ProbeStatus::Failed;
    failed.reason = "crashed";
    failed.failedOn = clock.now();
    main.session().probeStore().record(failed);
    main.mnuViewRefresh.click();
    EXPECT_EQ(main.lblStatus.caption(), "1 plugin was skipped: they stopped the plugin check (Plugins > Skipped Plugins)");
    MenuNode& skipped = main.menuOf(main.mnuPluginsSkipped);
    skipped.onOpen();
    ASSERT_EQ(skipped.children.size(), 1u);
    EXPECT_EQ(skipped.children[0].item->caption(), "Check gpuA.dll again (crashed on December 5, 2026)");
    skipped.children[0].item->click();
    EXPECT_EQ(names(0), std::vector<std::string>{"A GPU"});
    skipped.onOpen();
    EXPECT_EQ(skipped.children[0].item->caption(), "(none)");
    EXPECT_FALSE(skipped.children[0].item->enabled());
}

TEST_F(frmMainTest, TheUpdateTimerWaitsForTheIntervalForOtherWindowsAndForALaunchedProgram) {
    emulators({{"ePSXe", EmuSystem::PSX, "ePSXe", "C:\\e\\epsxe.exe", "C:\\e\\plugins"}}, 1,
              "Interval=2\r\nSplash=1\r\n");
    files.addFile("C:\\e\\epsxe.exe", "MZ");
    start();
    const std::string check = "Update timer interval passed; executing update procedure...";
    main.tmrTimer.fire();
    EXPECT_FALSE(logHas(check));
    main.tmrTimer.fire();
    EXPECT_TRUE(logHas(check));

    // Another window of the program open postpones the check.
    main.cmdAddEmu.click();
    main.tmrTimer.fire();
    main.tmrTimer.fire();
    EXPECT_FALSE(logHas(check, 2));
    main.addEmuDialog()->cmdCancel.click();
    main.tmrTimer.fire();
    EXPECT_TRUE(logHas(check, 2));

    // No check over a game, and no quitting either.
    processes.onRun("C:\\e\\epsxe.exe", [&](const ProcessStart&) {
        EXPECT_FALSE(main.tmrTimer.enabled());
        windows.queueAnswer(MessageAnswer::Yes);
        EXPECT_FALSE(main.requestClose()) << "no quitting while the emulator runs";
        return 0ul;
    });
    main.cmdLaunchEmu.click();
    EXPECT_TRUE(main.tmrTimer.enabled()) << "back when the emulator ended";
    windows.queueAnswer(MessageAnswer::No);
    EXPECT_FALSE(main.requestClose());
    EXPECT_FALSE(files.exists(kSettings + std::string(".new"))) << "a refused quit writes nothing";

    main.txtSettings.type("none");
    for (int i = 0; i < 5; ++i) main.tmrTimer.fire();
    EXPECT_FALSE(logHas(check, 3)) << "no number in the box: no check";
}

TEST_F(frmMainTest, ASecondInstanceSaysSoAndEndsWithoutWriting) {
    environment.otherInstance = true;
    EXPECT_FALSE(main.Splash_Load());
    ASSERT_EQ(windows.shownBoxes().size(), 1u);
    EXPECT_EQ(windows.shownBoxes()[0].title, "Multiple Instances Detected!");
    EXPECT_NE(windows.shownBoxes()[0].text.find("another instance.  Running"), std::string::npos);
    EXPECT_TRUE(splash.closed());
    EXPECT_FALSE(files.exists(kSettings));
}

TEST_F(frmMainTest, ActivationAppliesLowResolutionOnceAndTheFirstBackgroundPictureFound) {
    environment.height = 600;
    files.addFile("C:\\Corvane\\background.gif");
    files.addFile("C:\\Corvane\\background.jpg");
    int resized = 0, loaded = 0;
    main.onLowResolution = [&] { ++resized; };
    main.onBackgroundChanged = [&] { ++loaded; };
    start();
    EXPECT_EQ(main.caption(), main.versionCaption() + "  (Low Resolution Mode)");
    EXPECT_EQ(resized, 1) << "the window takes the low-resolution size";
    main.activate();
    EXPECT_EQ(main.caption(), main.versionCaption() + "  (Low Resolution Mode)") << "applied once";
    EXPECT_EQ(loaded, 1) << "the window takes the picture when it is chosen";
    EXPECT_EQ(main.backgroundPicture(), "C:\\Corvane\\background.jpg");
}

TEST_F(frmMainTest, WithoutLayeredWindowsTheTransparencyControlsAreHidden) {
    environment.os = OsVersion{false, 4, 10};
    start();
    EXPECT_FALSE(main.sldTransparency.visible());
    EXPECT_FALSE(main.lblTransparency.visible());
    EXPECT_FALSE(flags.blLowResApplied);
}
TEST_F(frmMainTest, ClosingWhileALibrarysBoxHoldsTheScanEndsItAndTheProgram) {
    settings("[Configuration]\r\nLogging=-1\r\nSplash=1\r\n");
    files.addFile("C:\\Corvane\\PSXPlugins\\box.dll", "MZ", kDecember5);
    files.addFile("C:\\Corvane\\N64Plugins\\later.dll", "MZ", kDecember5);
    FakeProbeHelper helper;
    helper.behave("C:\\Corvane\\PSXPlugins\\box.dll", FakeProbeHelper::Window(1000000, PluginKind::GPU, "Boxed"));
    HelperProbe probe(helper);
    main.session().setProbe(probe);
    helper.onPause = [&] {
        if (helper.showsWindow() && !main.closed()) main.requestClose();  // the user answers the quit question Yes
    };
    ASSERT_TRUE(main.Splash_Load());
    EXPECT_TRUE(main.closed());
    EXPECT_NE(writtenSettings().find("[Configuration]"), std::string::npos) << "the settings written as ever";
    EXPECT_FALSE(main.sysTray().inTray()) << "start-up went no further";
    EXPECT_EQ(helper.probed().size(), 1u) << "the N64 folder was not scanned";
    EXPECT_TRUE(logHas("****** Shutdown complete; exiting application ******"));
}
}  // namespace
