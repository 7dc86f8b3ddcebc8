#include "session/SessionFixture.h"

namespace {
using PluginScannerTest = SessionFixture;

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

    EXPECT_EQ(names(PluginKind::GPU), (std::vector<std::string>{"another GPU", "Pete's OpenGL Driver"}))
        << "sorted by name";
    EXPECT_EQ(names(PluginKind::SPU), std::vector<std::string>{"Eternal SPU"});
    EXPECT_TRUE(names(PluginKind::CDR).empty()) << "raw type 3 is no type";
    EXPECT_EQ(names(PluginKind::RSP), std::vector<std::string>{"RSP emulation Plugin"});
    EXPECT_EQ(names(PluginKind::SND), std::vector<std::string>{"Jabo's DirectSound"});
    EXPECT_FALSE(flags.blLoadingPlugins);
    EXPECT_EQ(libraries.loadedCount(), 0) << "every library freed";

    EXPECT_TRUE(logHas("Changing working directory to C:\\Corvane\\PSXPlugins"));
    EXPECT_TRUE(logHas("Searching C:\\Corvane\\PSXPlugins\\ for PSX plugins..."));
    EXPECT_TRUE(logHas("Found Pete's OpenGL Driver (gpuPete.dll) of PSX type GPU"));
    EXPECT_TRUE(logHas("zlib.dll is in list of DLL exclusions; ignored..."));
    for (const auto& path : libraries.loads()) EXPECT_EQ(path.find("zlib"), std::string::npos) << "not even loaded";
}

TEST_F(PluginScannerTest, EPSXeCoresAreListedOnlyForTheExactTypeNameAndChosenAsItsSettingsSay) {
    registry.setString("Software\\epsxe\\config", "Version", "160");
    registry.setString("Software\\epsxe\\config", "CdromPlugin", "W2KCDRCORE");
    registry.setString("Software\\epsxe\\config", "SoundPlugin", "SPUCORE");
    emulators({{"ePSXe", EmuSystem::PSX, "ePSXe", "C:\\ePSXe\\ePSXe.exe", "C:\\ePSXe\\plugins"},
               {"old", EmuSystem::PSX, "epsxe", "C:\\old\\epsxe.exe", "C:\\old\\plugins"}},
              1);
    files.addDirectory("C:\\ePSXe\\plugins");
    start();
    EXPECT_EQ(names(PluginKind::SPU), std::vector<std::string>{"ePSXe SPU core 0.0.160"});
    EXPECT_EQ(names(PluginKind::CDR),
              (std::vector<std::string>{"ePSXe CDR ASPI core 0.0.160", "ePSXe CDR WNT/W2K core 0.0.160"}));
    EXPECT_EQ(session.lists().chosenRow(PluginKind::CDR), 1) << "the second CDR core";
    EXPECT_EQ(session.lists().chosenRow(PluginKind::SPU), 0);
    EXPECT_TRUE(user.boxes.empty()) << "cores are no files: no active plug-in is missing";
    EXPECT_TRUE(logHas("Emulator type is ePSXe; detecting ePSXe SPU and CDR cores..."));
    EXPECT_TRUE(logHas("Found ePSXe SPU core 0.0.160 (SPUCORE)"));
    EXPECT_TRUE(logHas("No plugins were found..."));

    session.selectEmulator(2, EmuSystem::PSX);
    EXPECT_TRUE(names(PluginKind::SPU).empty()) << "type epsxe in lower case has no core entries";
}
}  // namespace
