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
    EXPECT_FALSE(main.visible()) << "the splash stays until its timer runs";
    splash.tmrSplash.fire();
    EXPECT_TRUE(main.visible() && splash.closed());
    EXPECT_EQ(main.cmbCDROM.text(), "E:\\");
    EXPECT_FALSE(main.lblPluginCount[2].visible()) << "counters off";
    EXPECT_FALSE(main.tmrTimer.enabled() || main.txtSettings.enabled());
    EXPECT_EQ(windows.alphaOf(main.handle()), 255 - 62) << "40 %";
    EXPECT_EQ(main.txtSettings.text(), "abc") << "kept until the box loses focus";

    main.option(Option::PluginUpdates).click();
    EXPECT_TRUE(main.tmrTimer.enabled() && main.txtSettings.enabled());
    for (const auto& [typed, kept] : {std::pair{"x", "abc"}, std::pair{"1 5min", "15"}}) {
        main.txtSettings.click();
        main.txtSettings.type(typed);
        main.txtSettings.leave();
        EXPECT_EQ(main.txtSettings.text(), kept) << "the digits typed, or the held text without any";
    }
    main.option(Option::Counters).click();
    EXPECT_TRUE(main.lblPluginCount[2].visible());
    main.cmbCDROM.choose(0);
    main.sldTransparency.slide(100);
    EXPECT_EQ(windows.alphaOf(main.handle()), 100);
    windows.queueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(main.requestClose());
    const std::string written = writtenSettings();
    EXPECT_NE(written.find("Counters=1\r\nExit=1\r\nPluginUpdates=1\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("Interval=15\r\nLogging=-1\r\nLastUpdate=Never\r\nTransparency=100\r\n"), std::string::npos);
    EXPECT_NE(written.find("CDRomSelection=0\r\n"), std::string::npos);
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
    EXPECT_EQ(main.lblPluginCount[0].caption() + main.lblPluginCount[7].caption(),
              "2 GPU Plugins Detected 1 RSP Plugin Detected ");
    EXPECT_TRUE(main.lstPluginList[2].emptyNotice());
    EXPECT_EQ(main.lstPluginList[0].selectedIndex(), 1) << "the active plug-in";

    main.lstPluginList[0].clickRow(0);
    EXPECT_EQ(main.lblPluginName.caption(), "another GPU");
    main.cmdApply.click();
    EXPECT_EQ(value("Software\\Pcsx", "gpu"), "gpuAnother.dll");
    main.cmbEmuSelect.choose(2);
    EXPECT_EQ(main.page(), MainPage::N64) << "the emulator's page";
    EXPECT_TRUE(main.cmdApply.enabled() && !main.mnuFileLaunchCDRom.enabled());
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
    const auto checks = [this](int ticks) {
        for (int tick = 0; tick < ticks; ++tick) main.tmrTimer.fire();
        return logCount("Update timer interval passed; executing update procedure...");
    };
    EXPECT_EQ(checks(1), 0);
    EXPECT_EQ(checks(1), 1);
    main.cmdAddEmu.click();
    EXPECT_EQ(checks(2), 1) << "another window of the program open";
    main.addEmuDialog()->cmdCancel.click();
    EXPECT_EQ(checks(1), 2);

    processes.onRun("C:\\e\\epsxe.exe", [&](const ProcessStart&) {
        EXPECT_FALSE(main.tmrTimer.enabled()) << "no check over a game";
        windows.queueAnswer(MessageAnswer::Yes);
        EXPECT_FALSE(main.requestClose()) << "no quitting while the emulator runs";
        return 0ul;
    });
    main.cmdLaunchEmu.click();
    EXPECT_TRUE(main.tmrTimer.enabled()) << "back when the emulator ended";
    main.txtSettings.type("none");
    EXPECT_EQ(checks(5), 2) << "no number in the box: no check";
}

TEST_F(frmMainTest, ASecondInstanceSaysSoAndEndsWithoutWriting) {
    environment.otherInstance = true;
    EXPECT_FALSE(main.Splash_Load());
    EXPECT_EQ(titles(), std::vector<std::string>{"Multiple Instances Detected!"});
    EXPECT_TRUE(splash.closed());
    EXPECT_FALSE(files.exists(kSettings));
}

TEST_F(frmMainTest, ActivationFitsTheWindowToTheScreenOnceAndTakesTheFirstBackgroundPictureFound) {
    environment.height = 600;
    environment.os = OsVersion{false, 4, 10};  // no layered windows
    files.addFile("C:\\Corvane\\background.gif");
    files.addFile("C:\\Corvane\\background.jpg");
    int resized = 0, loaded = 0;
    main.onLowResolution = [&] { ++resized; };
    main.onBackgroundChanged = [&] { ++loaded; };
    start();
    main.activate();
    EXPECT_EQ(main.caption(), main.versionCaption() + "  (Low Resolution Mode)") << "applied once";
    EXPECT_EQ(resized, 1) << "the window takes the low-resolution size";
    EXPECT_EQ(loaded, 1) << "the window takes the picture when it is chosen";
    EXPECT_EQ(main.backgroundPicture(), "C:\\Corvane\\background.jpg");
    EXPECT_FALSE(main.sldTransparency.visible() || main.lblTransparency.visible());
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
