#include "doubles/FakeProbeHelper.h"
#include "plugins/FakePlugins.h"
#include "ui/MainFixture.h"

namespace {
const std::string kFolder = "C:\\Corvane\\PSXPlugins\\";

// The main window scanning through a helper that misbehaves as each test
// tells it to.
class HelperProbeTest : public MainFixture {
protected:
    HelperProbeTest() {
        settings("[Configuration]\r\nLogging=-1\r\n");
        main.setPluginProbe(probe);
    }
    void library(const std::string& name, FakeProbeHelper::Behaviour behaviour, FileTime written = kDecember5) {
        files.addFile(kFolder + name, "MZ", written);
        helper.behave(kFolder + name, std::move(behaviour));
    }
    // A folder with one library that misbehaves in each way.
    void misbehavingFolder() {
        library("good.dll", FakeProbeHelper::Answer(PluginKind::GPU, "Good GPU", "1.2"));
        library("crash.dll", FakeProbeHelper::Exit(0xC0000005));
        library("hang.dll", FakeProbeHelper::Hang());
        library("quit.dll", FakeProbeHelper::Exit(7));
        // Longer than the time-out: the clock stops while the box is up.
        library("box.dll", FakeProbeHelper::Window(30, PluginKind::GPU, "Boxed GPU"));
        library("x86.dll", FakeProbeHelper::Foreign());
        library("zlib.dll", FakeProbeHelper::Exit(1));
        library("readme.dll", FakeProbeHelper::NoPlugin());
    }

    FakeProbeHelper helper;
    HelperProbe probe{helper};
};

TEST_F(HelperProbeTest, EachMisbehaviourIsQuarantinedWithItsReasonAndTheScanGoesOn) {
    misbehavingFolder();
    // Scanned after the PSX folder, by the helper that folder's scan left running.
    files.addFile("C:\\Corvane\\N64Plugins\\jabo.dll", "MZ", kDecember5);
    helper.behave("C:\\Corvane\\N64Plugins\\jabo.dll", FakeProbeHelper::Answer(PluginKind::SND, "Jabo's Sound"));
    std::vector<std::string> waitingStatus;
    helper.onPause = [&] {
        if (helper.showsWindow()) waitingStatus.push_back(main.lblStatus.caption());
    };
    start();

    EXPECT_EQ(names(0), (std::vector<std::string>{"Boxed GPU", "Good GPU"}));
    EXPECT_EQ(names(5), std::vector<std::string>{"Jabo's Sound"});
    EXPECT_TRUE(logHas("crash.dll stopped the plug-in check (crashed); quarantined..."));
    EXPECT_TRUE(logHas("hang.dll stopped the plug-in check (no answer in 10 s); quarantined..."));
    EXPECT_TRUE(logHas("quit.dll stopped the plug-in check (ended the process with code 7); quarantined..."));
    EXPECT_TRUE(logHas("x86.dll is built for another processor architecture; ignored..."));
    EXPECT_TRUE(logHas("zlib.dll is in list of DLL exclusions; ignored..."));
    EXPECT_TRUE(logHas("Found Boxed GPU (box.dll) of PSX type GPU"));
    EXPECT_EQ(main.lblStatus.caption(),
              "3 plugins were skipped: they stopped the plugin check (Plugins > Skipped Plugins)");
    ASSERT_FALSE(waitingStatus.empty());
    EXPECT_EQ(waitingStatus.front(), "box.dll is waiting for your answer...");
    EXPECT_EQ(helper.starts(), 4) << "one helper, started afresh after each of the three failures";
    EXPECT_EQ(std::count(helper.probed().begin(), helper.probed().end(), kFolder + "zlib.dll"), 0);
    EXPECT_EQ(libraries.loads().size(), 0u) << "nothing loaded in Corvane's own process";
}

TEST_F(HelperProbeTest, ARescanLoadsNoUnchangedLibraryButChecksAChangedOneAgain) {
    misbehavingFolder();
    start();
    const std::size_t probedAtStart = helper.probed().size();
    const std::string logAtStart = files.contents(kLog);

    main.RefreshCurrentPluginSet(true);
    EXPECT_EQ(helper.probed().size(), probedAtStart) << "every answer came from the store";
    EXPECT_EQ(names(0), (std::vector<std::string>{"Boxed GPU", "Good GPU"}));
    EXPECT_TRUE(logHas("crash.dll is quarantined (crashed on December 5, 2026); ignored..."));
    EXPECT_TRUE(logHas("hang.dll is quarantined (no answer in 10 s on December 5, 2026); ignored..."));
    EXPECT_TRUE(logHas("Found Good GPU (good.dll) of PSX type GPU", 2));
    EXPECT_TRUE(logHas("x86.dll is built for another processor architecture; ignored...", 2));
    EXPECT_EQ(main.lblStatus.caption(),
              "3 plugins were skipped: they stopped the plugin check (Plugins > Skipped Plugins)");

    library("crash.dll", FakeProbeHelper::Answer(PluginKind::SPU, "Mended SPU"), kDecember5 + 1);
    main.RefreshCurrentPluginSet(true);
    ASSERT_EQ(helper.probed().size(), probedAtStart + 1);
    EXPECT_EQ(helper.probed().back(), kFolder + "crash.dll");
    EXPECT_EQ(names(1), std::vector<std::string>{"Mended SPU"});
}

TEST_F(HelperProbeTest, TheSkippedMenuChecksOneAgainAndCommandsAskBeforeRunningIt) {
    library("crash.dll", FakeProbeHelper::Exit(0xC0000005));
    library("hang.dll", FakeProbeHelper::Hang());
    start();
    main.mnuPluginsSkipped_Open();
    const MenuNode& menu = main.skippedMenu();
    ASSERT_EQ(menu.children.size(), 2u);
    EXPECT_EQ(menu.children[0].item->caption(), "Check crash.dll again (crashed on December 5, 2026)");

    helper.behave(kFolder + "crash.dll", FakeProbeHelper::Answer(PluginKind::SPU, "Flaky SPU"));
    menu.children[0].item->click();
    EXPECT_EQ(names(1), std::vector<std::string>{"Flaky SPU"});
    EXPECT_EQ(main.lblStatus.caption(),
              "1 plugin was skipped: they stopped the plugin check (Plugins > Skipped Plugins)");
    main.mnuPluginsSkipped_Open();
    EXPECT_EQ(main.skippedMenu().children.size(), 1u);

    main.lstPluginList[1].clickRow(0);
    windows.queueAnswer(MessageAnswer::No);
    main.cmdTest.click();
    ASSERT_FALSE(windows.shownBoxes().empty());
    EXPECT_EQ(windows.shownBoxes().back().text,
              "crash.dll crashed Corvane's plug-in check on December 5, 2026. Run it anyway?");
    EXPECT_EQ(windows.shownBoxes().back().icon, MessageIcon::Exclamation);
    EXPECT_EQ(windows.shownBoxes().back().buttons, MessageButtons::YesNo);
    EXPECT_TRUE(libraries.loads().empty()) << "No: the plug-in is not run";
    windows.queueAnswer(MessageAnswer::Yes);
    main.mnuPluginsAbout.click();
    EXPECT_EQ(libraries.loads(), std::vector<std::string>{kFolder + "crash.dll"});
}
TEST_F(HelperProbeTest, WithoutAHelperTheFallbackProbesAndNothingIsQuarantined) {
    helper.failStarts();
    InProcessProbe inProcess(libraries, windows);
    HelperProbe withFallback(helper, HelperProbe::kDefaultTimeout, &inProcess);
    main.setPluginProbe(withFallback);
    addPlugin(kFolder + "spu.dll", PsxPlugin(4, "Eternal SPU", "SPU"));
    start();
    EXPECT_EQ(names(1), std::vector<std::string>{"Eternal SPU"});
    EXPECT_EQ(main.lblStatus.caption(), "");
    EXPECT_EQ(libraries.loadedCount(), 0);
}
}  // namespace
