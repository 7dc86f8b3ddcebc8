#include "plugins/FakePlugins.h"
#include "ui/MainFixture.h"

namespace {
class ApplySelectionTest : public MainFixture {
protected:
    // Emulators 1..n as given, emulator `selected` chosen at start-up.
    void emulators(const std::vector<EmulatorEntry>& entries, int selected) {
        std::string text = "[Configuration]\r\nLogging=-1\r\nLastEmu=" + std::to_string(selected) + "\r\n[Emulators]\r\n";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            text += "Name" + n + "=" + entries[i].Name + "\r\nSystem" + n + "=" + std::to_string(SystemCode(entries[i].System)) +
                    "\r\nType" + n + "=" + entries[i].Type + "\r\nExe" + n + "=" + entries[i].Exe + "\r\nPlugins" + n +
                    "=" + entries[i].Plugins + "\r\n";
        }
        settings(text);
    }
    void psxPlugins(const std::string& folder) {
        addPlugin(folder + "\\gpuA.dll", PsxPlugin(2, "A GPU"));
        addPlugin(folder + "\\gpuB.dll", PsxPlugin(2, "B GPU"));
        addPlugin(folder + "\\padA.dll", PsxPlugin(8, "A pad", "PAD"));
        addPlugin(folder + "\\padB.dll", PsxPlugin(8, "B pad", "PAD"));
        addPlugin(folder + "\\padC.dll", PsxPlugin(8, "C pad", "PAD"));
    }
    std::string value(const std::string& key, const std::string& name) {
        const auto stored = registry.queryValue(key, name);
        return stored ? stored->text : "(missing)";
    }
};

const EmulatorEntry kPcsx{"PCSX", EmuSystem::PSX, "PCSX", "C:\\pcsx\\pcsx.exe", "C:\\pcsx\\plugin"};

TEST_F(ApplySelectionTest, PcsxWritesTheChosenRowsAndEachPadItsOwnRow) {
    emulators({kPcsx}, 1);
    psxPlugins("C:\\pcsx\\plugin");
    registry.setString("Software\\Pcsx", "spu", "keep.dll");
    start();
    EXPECT_TRUE(main.cmdApply.enabled());
    main.lstPluginList[0].clickRow(1);
    main.lstPluginList[3].clickRow(0);   // pad 1: padA
    main.mnuPluginsPadSelectionPad2.click();
    EXPECT_TRUE(main.mnuPluginsPadSelectionPad2.checked());
    EXPECT_FALSE(main.mnuPluginsPadSelectionPad1.checked());
    main.lstPluginList[3].clickRow(2);   // pad 2: padC
    main.mnuPluginsPadSelectionPad1.click();
    EXPECT_EQ(main.lstPluginList[3].selectedIndex(), 0) << "pad 1's row comes back";
    main.cmdApply.click();
    EXPECT_EQ(value("Software\\Pcsx", "gpu"), "gpuB.dll");
    EXPECT_EQ(value("Software\\Pcsx", "pad1"), "padA.dll");
    EXPECT_EQ(value("Software\\Pcsx", "pad2"), "padC.dll");
    EXPECT_EQ(value("Software\\Pcsx", "spu"), "keep.dll") << "an empty list leaves its value";
    EXPECT_EQ(value("Software\\Pcsx", "cdr"), "(missing)");
    EXPECT_TRUE(logHas("Configuring PCSX plugin selections..."));
    EXPECT_TRUE(logHas("PSX pad #2 selected..."));
}

TEST_F(ApplySelectionTest, PsxevenPrefixesAndEPSXeWritesNoPads) {
    emulators({{"PSXeven", EmuSystem::PSX, "PSXeven", "C:\\pe\\psxeven.exe", "C:\\pe\\plugins"},
               {"ePSXe", EmuSystem::PSX, "ePSXe", "C:\\ep\\epsxe.exe", "C:\\ep\\plugins"}},
              1);
    psxPlugins("C:\\pe\\plugins");
    psxPlugins("C:\\ep\\plugins");
    start();
    main.lstPluginList[0].clickRow(0);
    main.lstPluginList[3].clickRow(1);
    main.cmdApply.click();
    EXPECT_EQ(value("Software\\PSXeven\\PS7gui\\Settings", "GpuFilename"), "plugins\\gpuA.dll");
    EXPECT_EQ(value("Software\\PSXeven\\PS7gui\\Settings", "Pad1Filename"), "plugins\\padB.dll")
        << "the row picked for the pad on screen";
    EXPECT_EQ(value("Software\\PSXeven\\PS7gui\\Settings", "Pad2Filename"), "(missing)");

    main.cmbEmuSelect.choose(2);
    EXPECT_TRUE(main.mnuFileConfigEmu.enabled());
    EXPECT_FALSE(main.mnuPluginsPadSelection.enabled());
    main.lstPluginList[0].clickRow(1);
    main.lstPluginList[3].clickRow(0);
    main.cmdApply.click();
    EXPECT_EQ(value("Software\\epsxe\\config", "VideoPlugin"), "gpuB.dll");
    EXPECT_EQ(value("Software\\epsxe\\config", "SoundPlugin"), "(missing)") << "no row chosen: left as it was";
    EXPECT_FALSE(registry.queryValue("Software\\epsxe\\config", "pad1").has_value());
}

TEST_F(ApplySelectionTest, BackupsAndUnversionedProject64WriteNothing) {
    emulators({kPcsx, {"PJ64", EmuSystem::N64, "Project 64", "C:\\pj\\Project64.exe", "C:\\pj\\plugin"}}, 0);
    psxPlugins("C:\\Corvane\\PSXPlugins");
    addPlugin("C:\\pj\\plugin\\gfx.dll", N64Plugin(2, "Graphics"));
    start();
    const std::string logBefore = files.contents(kLog);
    main.lstPluginList[0].clickRow(0);
    main.cmdApply.setEnabled(true);
    main.cmdApply.click();
    EXPECT_FALSE(registry.keyExists("Software\\Pcsx"));
    EXPECT_EQ(files.contents(kLog), logBefore) << "no line either";

    main.cmbEmuSelect.choose(2);
    EXPECT_EQ(main.ssTabMain.selectedIndex(), 1);
    main.lstPluginList[4].clickRow(0);
    main.cmdApply.click();
    EXPECT_TRUE(logHas("Configuring Project 64 plugin selections..."));
    EXPECT_FALSE(registry.keyExists("Software\\N64 Emulation")) << "no version key found: nothing written";
}

TEST_F(ApplySelectionTest, TheSelectorScansOnlyOnChangesAndTheBackupsRescanTheirFolder) {
    emulators({kPcsx, {"Spare", EmuSystem::N64, "Folder", "....", "C:\\spare"}}, 0);
    psxPlugins("C:\\pcsx\\plugin");
    start();
    EXPECT_FALSE(main.cmdApply.enabled());
    EXPECT_EQ(main.cmdApply.toolTip(), "Apply Plugin Selection to Emulator");
    main.cmbEmuSelect.choose(1);
    EXPECT_EQ(names(0), (std::vector<std::string>{"A GPU", "B GPU"}));
    EXPECT_TRUE(main.cmdApply.enabled());
    const std::size_t loads = libraries.loads().size();
    main.cmbEmuSelect.choose(1);
    EXPECT_EQ(libraries.loads().size(), loads) << "the same emulator again: no rescan";
    EXPECT_TRUE(logHas("PCSX  (PSX) selected in emu selector..."));

    main.cmbEmuSelect.choose(2);
    EXPECT_EQ(main.ssTabMain.selectedIndex(), 1);
    EXPECT_FALSE(main.cmdApply.enabled()) << "a Folder entry on the N64 page";

    main.ssTabMain.choose(0);
    main.cmbEmuSelect.choose(0);
    EXPECT_TRUE(names(0).empty()) << "the program's own PSX folder, empty here";
    EXPECT_FALSE(main.cmdApply.enabled());
    EXPECT_TRUE(main.lstPluginList[0].emptyNotice());
}

TEST_F(ApplySelectionTest, ACoreRowLeavesNoPluginSelected) {
    emulators({{"ePSXe", EmuSystem::PSX, "ePSXe", "C:\\ep\\epsxe.exe", "C:\\ep\\plugins"}}, 1);
    psxPlugins("C:\\ep\\plugins");
    start();
    main.lstPluginList[0].clickRow(0);
    EXPECT_TRUE(main.mnuContextTest.enabled());
    EXPECT_EQ(main.lblPluginName.caption(), "A GPU");
    main.lstPluginList[1].clickRow(0);
    EXPECT_EQ(main.lblPluginName.caption(), "ePSXe SPU core 0.0.0") << "a core row still shows its name";
    EXPECT_FALSE(main.mnuContextTest.enabled());
    EXPECT_FALSE(main.mnuEditDelete.enabled());
    main.cmdTest.click();
    EXPECT_EQ(windows.shownBoxes().back().title, "Select a Plugin");
}
TEST_F(ApplySelectionTest, PadRowsComeOnlyFromTheEmulatorBeingApplied) {
    emulators({kPcsx, {"PSXeven", EmuSystem::PSX, "PSXeven", "C:\\pe\\psxeven.exe", "C:\\pcsx\\plugin"}}, 1);
    psxPlugins("C:\\pcsx\\plugin");
    registry.setString("Software\\Pcsx", "pad2", "padC.dll");
    registry.setString("Software\\PSXeven\\PS7gui\\Settings", "Pad1Filename", "plugins\\padA.dll");
    start();
    EXPECT_EQ(main.pads().rows, (std::map<Pad, int>{{Pad::Two, 2}}));
    main.cmbEmuSelect.choose(2);
    EXPECT_EQ(main.pads().rows, (std::map<Pad, int>{{Pad::One, 0}})) << "PCSX's pad 2 row is gone";
    main.cmdApply.click();
    EXPECT_EQ(value("Software\\PSXeven\\PS7gui\\Settings", "Pad1Filename"), "plugins\\padA.dll");
    EXPECT_EQ(value("Software\\PSXeven\\PS7gui\\Settings", "Pad2Filename"), "(missing)")
        << "a pad the user never chose stays as it was";
}

TEST_F(ApplySelectionTest, TheHighlightedRowIsThePluginActedOnAndARescanEndsIt) {
    emulators({kPcsx, {"Other", EmuSystem::PSX, "PCSX", "C:\\o\\pcsx.exe", "C:\\o\\plugin"}}, 1);
    psxPlugins("C:\\pcsx\\plugin");
    addPlugin("C:\\o\\plugin\\gpuO.dll", PsxPlugin(2, "O GPU"));
    start();
    main.lstPluginList[0].clickRow(1);
    EXPECT_EQ(main.selectedPlugin().path, "C:\\pcsx\\plugin\\gpuB.dll");
    main.lstPluginList[0].clickRow(0);  // the arrow key moves the highlight up
    main.cmdTest.click();
    EXPECT_EQ(libraries.loads().back(), "C:\\pcsx\\plugin\\gpuA.dll");
    EXPECT_EQ(main.lblPluginName.caption(), "A GPU");

    main.lstPluginList[0].clickRow(-1);  // a click on empty space
    EXPECT_FALSE(main.mnuContextTest.enabled());
    main.cmdTest.click();
    EXPECT_EQ(windows.shownBoxes().back().title, "Select a Plugin");

    main.lstPluginList[0].clickRow(1);
    main.cmbEmuSelect.choose(2);
    EXPECT_TRUE(main.selectedPlugin().path.empty()) << "the list was rescanned";
    EXPECT_FALSE(main.mnuEditDelete.enabled());
    const std::size_t boxes = windows.shownBoxes().size();
    main.cmdAbout.click();
    ASSERT_EQ(windows.shownBoxes().size(), boxes + 1);
    EXPECT_EQ(windows.shownBoxes().back().title, "Select a Plugin");
}
}  // namespace
