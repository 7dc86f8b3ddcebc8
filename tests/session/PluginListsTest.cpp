// The plug-in lists of the session: the active plug-ins read from each
// emulator type's settings, the rows chosen, the pads, Apply, the commands'
// target and the libraries in quarantine.
#include "session/SessionFixture.h"

namespace {
const EmulatorEntry kPcsx{"PCSX", EmuSystem::PSX, "PCSX", "C:\\pcsx\\pcsx.exe", "C:\\pcsx\\plugin"};
const EmulatorEntry kEven{"PSXeven", EmuSystem::PSX, "PSXeven", "C:\\pe\\psxeven.exe", "C:\\pe\\plugins"};
const EmulatorEntry kEpsxe{"ePSXe", EmuSystem::PSX, "ePSXe", "C:\\ep\\epsxe.exe", "C:\\ep\\plugins"};
const EmulatorEntry kPj64{"PJ64", EmuSystem::N64, "Project 64", "C:\\pj\\Project64.exe", "C:\\pj\\plugin"};

class PluginListsTest : public SessionFixture {
protected:
    void psxPlugins(const std::string& folder) {
        addPlugin(folder + "\\gpuA.dll", PsxPlugin(2, "A GPU"));
        addPlugin(folder + "\\gpuB.dll", PsxPlugin(2, "B GPU"));
        addPlugin(folder + "\\padA.dll", PsxPlugin(8, "A pad", "PAD"));
        addPlugin(folder + "\\padB.dll", PsxPlugin(8, "B pad", "PAD"));
        addPlugin(folder + "\\padC.dll", PsxPlugin(8, "C pad", "PAD"));
    }
    std::vector<std::string> warnings() const {
        std::vector<std::string> texts;
        for (const auto& box : user.boxes)
            if (box.title == "Active Plugin Not Found") texts.push_back(box.text);
        return texts;
    }
    int chosen(PluginKind kind) const { return session.lists().chosenRow(kind); }
};

TEST_F(PluginListsTest, EachTypesActivePluginsAreReadAndTheMissingOnesNamed) {
    emulators({kPcsx, kEven}, 1);
    psxPlugins("C:\\pcsx\\plugin");
    registry.setString("Software\\Pcsx", "gpu", "GPUB.DLL");
    registry.setString("Software\\Pcsx", "spu", "spuGone.dll");
    registry.setString("Software\\Pcsx", "pad1", "padB.dll");
    start();
    EXPECT_EQ(chosen(PluginKind::GPU), 1) << "letter case ignored in PSX lists";
    EXPECT_EQ(session.lists().padRows(), (std::map<Pad, int>{{Pad::One, 1}})) << "no pad2 value: no row, no warning";
    EXPECT_EQ(warnings(), std::vector<std::string>{"Warning: spuGone.dll is listed as the active SPU plugin, but "
                                                   "could not be found in the current plugin directory!"});
    EXPECT_EQ(libraries.loads().size(), 5u) << "start-up scans once";

    user.boxes.clear();
    psxPlugins("C:\\pe\\plugins");
    registry.setString("Software\\PSXeven\\PS7gui\\Settings", "GpuFilename", "plugins\\gpuA.dll");
    registry.setString("Software\\PSXeven\\PS7gui\\Settings", "Pad2Filename", "plugins\\pad.dll");
    registry.setString("Software\\PSXeven\\PS7gui\\Settings", "SpuFilename", "plugins\\*.dll");
    session.selectEmulator(2, EmuSystem::PSX);
    EXPECT_EQ(chosen(PluginKind::GPU), 0) << "the folder prefix dropped";
    EXPECT_EQ(warnings(), (std::vector<std::string>{
                              "Warning: *.dll is listed as the active SPU plugin, but could not be found in the "
                              "current plugin directory!",
                              "Warning: pad.dll is listed as the active PAD2 plugin, but could not be found in the "
                              "current plugin directory!"}))
        << "a wildcard names no file, though a search would match one";
}

TEST_F(PluginListsTest, N64KeysAreTheNewestVersionsAndTheirListsCompareExactly) {
    emulators({kPj64}, 1);
    addPlugin("C:\\pj\\plugin\\Jabo_Direct3D8.dll", N64Plugin(2, "Jabo's Direct3D8"));
    addPlugin("C:\\pj\\plugin\\Jabo_Dsound.dll", N64Plugin(3, "Jabo's DirectSound"));
    registry.setString("Software\\N64 Emulation\\Project64 Version 1.4\\Dll", "Graphics Dll", "Jabo_Direct3D8.dll");
    registry.setString("Software\\N64 Emulation\\Project64 Version 1.5\\Dll", "Graphics Dll", "Jabo_Direct3D8.dll");
    registry.setString("Software\\N64 Emulation\\Project64 Version 1.5\\Dll", "Audio Dll", "jabo_dsound.dll");
    registry.setString("Software\\1964emu_085\\GUI", "AudioPlugin", "audio.dll");
    registry.setString("Software\\1964emu_084\\GUI", "VideoPlugin", "video.dll");
    start();
    EXPECT_EQ(session.versionKeys().pj64, "Software\\N64 Emulation\\Project64 Version 1.5\\Dll");
    EXPECT_EQ(session.versionKeys().emu1964, "Software\\1964emu_084\\GUI") << "the first with a video plug-in";
    EXPECT_EQ(logCount("No 1964 key could be found..."), 2) << "one line for each version tried before the hit";
    EXPECT_EQ(chosen(PluginKind::GFX), 0);
    EXPECT_EQ(chosen(PluginKind::SND), -1) << "N64 lists compare exactly";
    EXPECT_TRUE(warnings().empty()) << "the file exists: file names ignore case";
}

TEST_F(PluginListsTest, ApplyWritesTheChosenRowsAndEachPadOnlyItsOwnEmulatorsRow) {
    emulators({kPcsx, {"PSXeven", EmuSystem::PSX, "PSXeven", "C:\\pe\\psxeven.exe", "C:\\pcsx\\plugin"}, kEpsxe}, 1);
    psxPlugins("C:\\pcsx\\plugin");
    registry.setString("Software\\Pcsx", "spu", "keep.dll");
    registry.setString("Software\\PSXeven\\PS7gui\\Settings", "Pad1Filename", "plugins\\padA.dll");
    start();
    session.choosePlugin(PluginKind::GPU, 1);
    session.choosePlugin(PluginKind::PAD, 0);  // pad 1: padA
    session.showPad(Pad::Two);
    EXPECT_EQ(chosen(PluginKind::PAD), -1);
    session.choosePlugin(PluginKind::PAD, 2);  // pad 2: padC
    session.showPad(Pad::One);
    EXPECT_EQ(chosen(PluginKind::PAD), 0) << "pad 1's row comes back";
    session.apply();
    EXPECT_EQ(value("Software\\Pcsx", "gpu"), "gpuB.dll");
    EXPECT_EQ(value("Software\\Pcsx", "pad1"), "padA.dll");
    EXPECT_EQ(value("Software\\Pcsx", "pad2"), "padC.dll");
    EXPECT_EQ(value("Software\\Pcsx", "spu"), "keep.dll") << "an empty list leaves its value";
    EXPECT_EQ(value("Software\\Pcsx", "cdr"), "(missing)");

    // PSXeven over the same folder.
    session.selectEmulator(2, EmuSystem::PSX);
    EXPECT_EQ(session.lists().padRows(), (std::map<Pad, int>{{Pad::One, 0}})) << "PCSX's pad 2 row is gone";
    session.choosePlugin(PluginKind::GPU, 1);
    session.apply();
    EXPECT_EQ(value("Software\\PSXeven\\PS7gui\\Settings", "GpuFilename"), "plugins\\gpuB.dll");
    EXPECT_EQ(value("Software\\PSXeven\\PS7gui\\Settings", "Pad1Filename"), "plugins\\padA.dll");
    EXPECT_EQ(value("Software\\PSXeven\\PS7gui\\Settings", "Pad2Filename"), "(missing)")
        << "a pad the user never chose stays as it was";

    psxPlugins("C:\\ep\\plugins");
    session.selectEmulator(3, EmuSystem::PSX);
    session.choosePlugin(PluginKind::GPU, 1);
    session.choosePlugin(PluginKind::PAD, 0);
    session.apply();
    EXPECT_EQ(value("Software\\epsxe\\config", "VideoPlugin"), "gpuB.dll");
    EXPECT_EQ(value("Software\\epsxe\\config", "SoundPlugin"), "(missing)") << "no row chosen: left as it was";
    EXPECT_FALSE(registry.queryValue("Software\\epsxe\\config", "pad1").has_value());
}

TEST_F(PluginListsTest, BackupsAndAnUnversionedProject64WriteNothing) {
    emulators({kPcsx, kPj64}, 0);
    psxPlugins("C:\\Corvane\\PSXPlugins");
    addPlugin("C:\\pj\\plugin\\gfx.dll", N64Plugin(2, "Graphics"));
    start();
    const std::string logBefore = files.contents(kLog);
    session.choosePlugin(PluginKind::GPU, 0);
    session.apply();
    EXPECT_FALSE(registry.keyExists("Software\\Pcsx"));
    EXPECT_EQ(files.contents(kLog), logBefore) << "no line either";

    session.selectEmulator(2, EmuSystem::PSX);
    session.choosePlugin(PluginKind::GFX, 0);
    session.apply();
    EXPECT_TRUE(logHas("Configuring Project 64 plugin selections..."));
    EXPECT_FALSE(registry.keyExists("Software\\N64 Emulation")) << "no version key found: nothing written";
}

TEST_F(PluginListsTest, TheChosenRowIsTheCommandsTargetUntilARescanAndTheSelectorScansTheSystemAskedFor) {
    emulators({kPcsx, kEpsxe, {"Spare", EmuSystem::N64, "Folder", "....", "C:\\spare"}}, 1);
    psxPlugins("C:\\pcsx\\plugin");
    psxPlugins("C:\\ep\\plugins");
    start();
    session.choosePlugin(PluginKind::GPU, 1);
    EXPECT_EQ(session.lists().commandTarget().path, "C:\\pcsx\\plugin\\gpuB.dll");
    session.choosePlugin(PluginKind::GPU, 0);  // the arrow key moves the highlight up
    session.test(0);
    EXPECT_EQ(libraries.loads().back(), "C:\\pcsx\\plugin\\gpuA.dll");

    session.choosePlugin(PluginKind::GPU, -1);  // a click on empty space
    session.about(0);
    EXPECT_EQ(user.last().title, "Select a Plugin");

    session.choosePlugin(PluginKind::GPU, 1);
    session.selectEmulator(2, EmuSystem::PSX);
    EXPECT_TRUE(session.lists().commandTarget().path.empty()) << "the list was rescanned";
    session.choosePlugin(PluginKind::SPU, 0);
    EXPECT_TRUE(session.lists().commandTarget().path.empty()) << "an ePSXe core is no file";
    EXPECT_FALSE(session.configure(0));
    EXPECT_EQ(user.last().title, "Select a Plugin");

    session.selectEmulator(3, EmuSystem::PSX);
    EXPECT_EQ(session.pluginFolder(EmuSystem::N64), "C:\\spare");
    session.selectEmulator(0, EmuSystem::PSX);
    EXPECT_TRUE(names(PluginKind::GPU).empty()) << "the program's own PSX folder, empty here";
    EXPECT_EQ(session.pluginFolder(EmuSystem::N64), "C:\\spare") << "only the system asked for";
}

TEST_F(PluginListsTest, ALibraryThatStoppedTheCheckRunsOnlyWhenTheUserAgreesAndIsCheckedAgainOnRequest) {
    emulators({kPcsx}, 1);
    psxPlugins("C:\\pcsx\\plugin");
    start();
    StoredProbe failed = *session.probeStore().findPath("C:\\pcsx\\plugin\\gpuA.dll");
    failed.status = ProbeStatus::Failed;
    failed.reason = "crashed";
    session.probeStore().record(failed);
    session.refresh({EmuSystem::PSX});
    EXPECT_EQ(names(PluginKind::GPU), std::vector<std::string>{"B GPU"}) << "quarantined";
    session.retry("C:\\pcsx\\plugin\\gpuA.dll");
    EXPECT_TRUE(logHas("Checking gpuA.dll again..."));
    session.choosePlugin(PluginKind::GPU, 0);
    const std::size_t loads = libraries.loads().size();
    user.answers = {false};
    session.test(0);
    EXPECT_NE(user.last().text.find("gpuA.dll crashed Corvane's plug-in check on "), std::string::npos);
    EXPECT_EQ(libraries.loads().size(), loads) << "No: not run";
    session.test(0);
    EXPECT_EQ(libraries.loads().size(), loads + 1);
}
}  // namespace
