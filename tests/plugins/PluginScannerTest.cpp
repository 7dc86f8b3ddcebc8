#include "plugins/FakePlugins.h"
#include "ui/MainFixture.h"

namespace {
using PluginScannerTest = MainFixture;

TEST_F(PluginScannerTest, ListsEachPluginUnderItsTypeAndLogsWhatItFound) {
    settings("[Configuration]\r\nLogging=-1\r\n");
    addPlugin("C:\\Corvane\\PSXPlugins\\gpuPete.dll", PsxPlugin(2, "Pete's OpenGL Driver"));
    addPlugin("C:\\Corvane\\PSXPlugins\\gpuAnother.dll", PsxPlugin(2, "another GPU"));
    addPlugin("C:\\Corvane\\PSXPlugins\\spuEternal.dll", PsxPlugin(4, "Eternal SPU", "SPU"));
    addPlugin("C:\\Corvane\\PSXPlugins\\odd.dll", PsxPlugin(3, "Two types at once"));
    addPlugin("C:\\Corvane\\PSXPlugins\\zlib.dll", PsxPlugin(2, "Not a plug-in"));
    files.addFile("C:\\Corvane\\PSXPlugins\\broken.dll", "not a library");
    files.addDirectory("C:\\Corvane\\PSXPlugins\\folder.dll");
    addPlugin("C:\\Corvane\\N64Plugins\\rsp.dll", N64Plugin(1, "RSP emulation Plugin"));
    addPlugin("C:\\Corvane\\N64Plugins\\jabo.dll", N64Plugin(3, "Jabo's DirectSound"));
    addPlugin("C:\\Corvane\\N64Plugins\\none.dll", {});
    start();

    EXPECT_EQ(names(0), (std::vector<std::string>{"another GPU", "Pete's OpenGL Driver"})) << "sorted by name";
    EXPECT_EQ(main.lstPluginList[0].rows()[1].subItems,
              (std::vector<std::string>{"1.3", "December 5, 2026", "gpuPete.dll"}));
    EXPECT_EQ(main.lstPluginList[0].rows()[1].icon, 1);
    EXPECT_EQ(names(1), std::vector<std::string>{"Eternal SPU"});
    EXPECT_TRUE(names(2).empty()) << "raw type 3 is no type";
    EXPECT_EQ(names(7), std::vector<std::string>{"RSP emulation Plugin"});
    EXPECT_EQ(main.lstPluginList[7].rows()[0].subItems, (std::vector<std::string>{"December 5, 2026", "rsp.dll"}));
    EXPECT_EQ(main.lstPluginList[7].rows()[0].icon, 5);
    EXPECT_EQ(names(5), std::vector<std::string>{"Jabo's DirectSound"});

    EXPECT_EQ(main.lblPluginCount[0].caption(), "2 GPU Plugins Detected ");
    EXPECT_EQ(main.lblPluginCount[1].caption(), "1 SPU Plugin Detected ");
    EXPECT_EQ(main.lblPluginCount[6].caption(), "0 PAD Plugins Detected ");
    EXPECT_TRUE(main.lstPluginList[2].emptyNotice());
    EXPECT_FALSE(main.lstPluginList[0].emptyNotice());
    EXPECT_FALSE(flags.blLoadingPlugins);
    EXPECT_EQ(libraries.loadedCount(), 0) << "every library freed";

    EXPECT_TRUE(logHas("Loading initial plugins..."));
    EXPECT_TRUE(logHas("Changing working directory to C:\\Corvane\\PSXPlugins"));
    EXPECT_TRUE(logHas("Searching C:\\Corvane\\PSXPlugins\\ for PSX plugins..."));
    EXPECT_TRUE(logHas("Found Pete's OpenGL Driver (gpuPete.dll) of PSX type GPU"));
    EXPECT_TRUE(logHas("zlib.dll is in list of DLL exclusions; ignored..."));
    EXPECT_TRUE(logHas("Found RSP emulation Plugin (rsp.dll) of N64 type RSP"));
    EXPECT_TRUE(logHas("Initial plugin enumeration complete..."));
    for (const auto& path : libraries.loads()) EXPECT_EQ(path.find("zlib"), std::string::npos) << "not even loaded";
}

TEST_F(PluginScannerTest, EPSXeCoresAreListedOnlyForTheExactTypeName) {
    registry.setString("Software\\epsxe\\config", "Version", "160");
    settings("[Configuration]\r\nLogging=-1\r\nLastEmu=1\r\n[Emulators]\r\nName1=ePSXe\r\nSystem1=6\r\nType1=ePSXe\r\n"
             "Exe1=C:\\ePSXe\\ePSXe.exe\r\nPlugins1=C:\\ePSXe\\plugins\r\nName2=old\r\nSystem2=6\r\nType2=epsxe\r\n"
             "Exe2=C:\\old\\epsxe.exe\r\nPlugins2=C:\\old\\plugins\r\n");
    files.addDirectory("C:\\ePSXe\\plugins");
    start();
    EXPECT_EQ(names(1), std::vector<std::string>{"ePSXe SPU core 0.0.160"});
    EXPECT_EQ(names(2), (std::vector<std::string>{"ePSXe CDR ASPI core 0.0.160", "ePSXe CDR WNT/W2K core 0.0.160"}));
    EXPECT_EQ(main.lstPluginList[2].rows()[1].subItems, (std::vector<std::string>{"0.0", "", "W2KCDRCORE"}));
    EXPECT_TRUE(logHas("Emulator type is ePSXe; detecting ePSXe SPU and CDR cores..."));
    EXPECT_TRUE(logHas("Found ePSXe SPU core 0.0.160 (SPUCORE)"));
    EXPECT_TRUE(logHas("No plugins were found..."));

    main.cmbEmuSelect.setListIndex(2);
    main.RefreshCurrentPluginSet(true);
    EXPECT_TRUE(names(1).empty()) << "type epsxe in lower case has no core entries";
}

TEST_F(PluginScannerTest, PluginCommandsNeedASelectionAndReachTheSelectedPlugin) {
    settings("[Configuration]\r\nLogging=-1\r\n");
    addPlugin("C:\\Corvane\\PSXPlugins\\spu.dll", PsxPlugin(4, "Eternal SPU", "SPU"));
    addPlugin("C:\\Corvane\\N64Plugins\\jabo.dll", N64Plugin(3, "Jabo's DirectSound"));
    start();
    const std::string logBefore = files.contents(kLog);
    main.cmdTest.click();
    main.mnuPluginsAbout.click();
    ASSERT_EQ(windows.shownBoxes().size(), 2u);
    EXPECT_EQ(windows.shownBoxes()[0].title, "Select a Plugin");
    EXPECT_EQ(windows.shownBoxes()[0].text, "You'll need to select a plugin first.");
    EXPECT_EQ(files.contents(kLog), logBefore) << "no log line";

    main.lstPluginList[1].clickRow(0);
    main.cmdTest.click();
    EXPECT_EQ(windows.shownBoxes().back().text, "Eternal SPU reports that it should work properly.");
    EXPECT_EQ(windows.shownBoxes().back().title, "SPU Plugin Test");
    EXPECT_TRUE(logHas("Calling test in plugin spu.dll"));
    main.cmdConfig.click();
    EXPECT_TRUE(logHas("Calling configuration in plugin spu.dll"));
    EXPECT_EQ(libraries.calls().back().name, "SPUconfigure");

    main.lstPluginList[5].clickRow(0);
    main.lstPluginList[5].rightClick();
    ASSERT_EQ(main.shownPopup(), &main.pluginContextMenu());
    EXPECT_EQ(main.pluginContextMenu().children[1].item->caption(), "Test");
    main.mnuContextTest.click();
    EXPECT_EQ(windows.shownBoxes().back().title, "No Test Function!");
    EXPECT_EQ(windows.shownBoxes().back().text, "Jabo's DirectSound does not support the Test function.");
    const std::size_t shown = windows.shownBoxes().size();
    main.cmdConfig.click();
    EXPECT_EQ(windows.shownBoxes().size(), shown) << "N64 configuration needs -n64config";
    EXPECT_EQ(files.currentDirectory(), "C:\\Corvane\\N64Plugins\\");
    EXPECT_EQ(libraries.loadedCount(), 0);
}
}  // namespace
