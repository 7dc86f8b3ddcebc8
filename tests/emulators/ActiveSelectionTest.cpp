#include "plugins/FakePlugins.h"
#include "ui/MainFixture.h"

namespace {
class ActiveSelectionTest : public MainFixture {
protected:
    // One registered emulator, selected at start-up.
    void emulator(const std::string& type, int system, const std::string& folder) {
        settings("[Configuration]\r\nLogging=-1\r\nLastEmu=1\r\n[Emulators]\r\nName1=" + type + "\r\nSystem1=" +
                 std::to_string(system) + "\r\nType1=" + type + "\r\nExe1=C:\\emu\\emu.exe\r\nPlugins1=" + folder +
                 "\r\n");
    }
    int selected(int list) const { return main.lstPluginList[list].selectedIndex(); }
    std::vector<std::string> warnings() const {
        std::vector<std::string> texts;
        for (const auto& box : windows.shownBoxes())
            if (box.title == "Active Plugin Not Found") texts.push_back(box.text);
        return texts;
    }
};

TEST_F(ActiveSelectionTest, PcsxSelectsIgnoringCaseWarnsAboutMissingFilesAndRemembersPads) {
    emulator("PCSX", 6, "C:\\pcsx\\plugin");
    addPlugin("C:\\pcsx\\plugin\\gpuA.dll", PsxPlugin(2, "A GPU"));
    addPlugin("C:\\pcsx\\plugin\\gpuB.dll", PsxPlugin(2, "B GPU"));
    addPlugin("C:\\pcsx\\plugin\\padA.dll", PsxPlugin(8, "A pad", "PAD"));
    addPlugin("C:\\pcsx\\plugin\\padB.dll", PsxPlugin(8, "B pad", "PAD"));
    registry.setString("Software\\Pcsx", "gpu", "GPUB.DLL");
    registry.setString("Software\\Pcsx", "spu", "spuGone.dll");
    registry.setString("Software\\Pcsx", "pad1", "padB.dll");
    start();
    EXPECT_EQ(selected(0), 1) << "letter case ignored in PSX lists";
    EXPECT_EQ(selected(3), 1);
    EXPECT_EQ(main.pads().rows, (std::map<Pad, int>{{Pad::One, 1}})) << "no pad2 value: no row, no warning";
    EXPECT_EQ(warnings(), std::vector<std::string>{"Warning: spuGone.dll is listed as the active SPU plugin, but "
                                                   "could not be found in the current plugin directory!"});
    EXPECT_TRUE(logHas("Retrieving PSX emulator plugin configuration..."));
    EXPECT_TRUE(logHas("Reflecting detected PCSX plugin selection settings in lists..."));
    EXPECT_TRUE(logHas("PCSX  (PSX) selected in emu selector...")) << "start-up runs the selector's reaction";
    EXPECT_EQ(libraries.loads().size(), 4u) << "and scans only once";
}

TEST_F(ActiveSelectionTest, PsxevenDropsItsFolderPrefixAndEPSXeCoresRaiseNoWarning) {
    emulator("PSXeven", 6, "C:\\psxeven\\plugins");
    addPlugin("C:\\psxeven\\plugins\\gpu.dll", PsxPlugin(2, "GPU"));
    registry.setString("Software\\PSXeven\\PS7gui\\Settings", "GpuFilename", "plugins\\gpu.dll");
    registry.setString("Software\\PSXeven\\PS7gui\\Settings", "Pad2Filename", "plugins\\pad.dll");
    registry.setString("Software\\PSXeven\\PS7gui\\Settings", "SpuFilename", "plugins\\*.dll");
    start();
    EXPECT_EQ(selected(0), 0);
    EXPECT_EQ(warnings(), (std::vector<std::string>{
                              "Warning: *.dll is listed as the active SPU plugin, but could not be found in the "
                              "current plugin directory!",
                              "Warning: pad.dll is listed as the active PAD2 plugin, but could not be found in the "
                              "current plugin directory!"}))
        << "a wildcard names no file, though a search would match one";
}

TEST_F(ActiveSelectionTest, EPSXeCoreEntriesAreSelectedWithoutWarning) {
    emulator("ePSXe", 6, "C:\\epsxe\\plugins");
    files.addDirectory("C:\\epsxe\\plugins");
    registry.setString("Software\\epsxe\\config", "CdromPlugin", "W2KCDRCORE");
    registry.setString("Software\\epsxe\\config", "SoundPlugin", "SPUCORE");
    start();
    EXPECT_EQ(selected(2), 1);
    EXPECT_EQ(selected(1), 0);
    EXPECT_TRUE(warnings().empty());
}

TEST_F(ActiveSelectionTest, Project64UsesTheNewestVersionAndComparesExactly) {
    emulator("Project 64", 7, "C:\\pj64\\plugin");
    addPlugin("C:\\pj64\\plugin\\Jabo_Direct3D8.dll", N64Plugin(2, "Jabo's Direct3D8"));
    addPlugin("C:\\pj64\\plugin\\Jabo_Dsound.dll", N64Plugin(3, "Jabo's DirectSound"));
    registry.setString("Software\\N64 Emulation\\Project64 Version 1.4\\Dll", "Graphics Dll", "Jabo_Direct3D8.dll");
    registry.setString("Software\\N64 Emulation\\Project64 Version 1.5\\Dll", "Graphics Dll", "Jabo_Direct3D8.dll");
    registry.setString("Software\\N64 Emulation\\Project64 Version 1.5\\Dll", "Audio Dll", "jabo_dsound.dll");
    start();
    EXPECT_EQ(main.versionKeys().pj64, "Software\\N64 Emulation\\Project64 Version 1.5\\Dll");
    EXPECT_EQ(selected(4), 0);
    EXPECT_EQ(selected(5), -1) << "N64 lists compare exactly";
    EXPECT_TRUE(warnings().empty()) << "the file exists: file names ignore case";
    EXPECT_TRUE(logHas("Found Project 64 key at Software\\N64 Emulation\\Project64 Version 1.5\\Dll"));
    EXPECT_TRUE(logHas("Reflecting detected Project 64 plugin selection settings in lists..."));
}

TEST_F(ActiveSelectionTest, The1964KeyIsTheFirstVersionWithAVideoPlugin) {
    emulator("1964", 7, "C:\\1964\\plugin");
    registry.setString("Software\\1964emu_085\\GUI", "AudioPlugin", "audio.dll");
    registry.setString("Software\\1964emu_084\\GUI", "VideoPlugin", "video.dll");
    start();
    EXPECT_EQ(main.versionKeys().emu1964, "Software\\1964emu_084\\GUI");
    EXPECT_EQ(main.versionKeys().pj64, "");
    const std::string log = files.contents(kLog);
    int misses = 0;
    for (auto at = log.find("No 1964 key could be found..."); at != std::string::npos;
         at = log.find("No 1964 key could be found...", at + 1))
        ++misses;
    EXPECT_EQ(misses, 2) << "one line for each version tried before the hit";
}
}  // namespace
