// The call facility, the probes and the scan against the project's own
// plug-in libraries, loaded for real: on the 32-bit build the code block
// runs as machine code, on the 64-bit build the calls are typed.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/win32/BuildPaths.h"
#include "app/win32/Win32Clock.h"
#include "app/win32/Win32FileSystem.h"
#include "app/win32/Win32Libraries.h"
#include "doubles/FakeDrives.h"
#include "doubles/FakeEnvironment.h"
#include "doubles/FakeDigests.h"
#include "doubles/FakeDownloads.h"
#include "doubles/FakeIniFile.h"
#include "doubles/FakeNotifyIcon.h"
#include "doubles/FakeProcesses.h"
#include "doubles/FakeRegistry.h"
#include "doubles/FakeExtractionFiles.h"
#include "doubles/FakeWindowServices.h"
#include "plugins/PluginScanner.h"
#include "plugins/clsCallFunction.h"
#include "plugins/clsN64.h"
#include "plugins/clsPSX.h"
#include "app/WholeFile.h"

namespace {
std::string Fixture(const std::string& name) { return WindowsPath(CORVANE_FIXTURES) + "\\" + name; }

// A fresh folder below the temporary folder, removed afterwards.
class Scratch {
public:
    Scratch() {
        path = files.tempFolder() + "corvane-fixtures-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(++serial) + "\\";
        files.createDirectory(path);
    }
    ~Scratch() {
        files.setCurrentDirectory(files.tempFolder());
        files.shellFileOperation(ShellOperation::Delete, path.substr(0, path.size() - 1), "",
                                 ShellFlags::kSilent | ShellFlags::kNoConfirmation | ShellFlags::kNoErrorUi, "", 0);
    }
    std::string notes() { return files.readFile(path + "fixture-calls.txt", kWholeFile).value_or(""); }

    Win32FileSystem files;
    std::string path;
    static inline int serial = 0;
};

TEST(CallFacility, CallsStdcallAndCdeclWithTheArgumentsInOrder) {
    Win32Libraries libraries;
    clsCallFunction call(libraries);
    call.LoadDLL(Fixture("callsFixture.dll"));
    const auto run = [&](CallConvention type, const char* name, std::vector<CallValue> arguments) {
        call.CallType(type);
        call.ClearParameters();
        for (CallValue argument : arguments) call.AddParameter(argument);
        return call.CallDLLFunctionByName(name);
    };
    // Many calls in a row: an unbalanced stack would not survive them.
    for (int round = 0; round < 200; ++round) {
        ASSERT_EQ(run(CallConvention::StdCall, "StdNone", {}), 77);
        ASSERT_EQ(run(CallConvention::StdCall, "StdOne", {41}), 42);
        ASSERT_EQ(run(CallConvention::StdCall, "StdFour", {1, 2, 3, 4}), 1234);
        ASSERT_EQ(run(CallConvention::StdCall, "StdEight", {1, 2, 3, 4, 5, 6, 7, 8}), 12345678);
        ASSERT_EQ(run(CallConvention::Cdecl, "CdeclNone", {}), 78);
        ASSERT_EQ(run(CallConvention::Cdecl, "CdeclTwo", {4, 2}), 42);
        ASSERT_EQ(run(CallConvention::Cdecl, "CdeclFive", {1, 2, 3, 4, 5}), 12345);
        ASSERT_EQ(run(CallConvention::Cdecl, "Negative", {5}), -5);
    }

    CallValue object = 7;
    call.ObjectPointer(reinterpret_cast<CallValue>(&object));
    EXPECT_EQ(run(CallConvention::ComHResult, "MethodStatus", {3}), 703);
    EXPECT_EQ(call.HResult(), 1);
    EXPECT_EQ(run(CallConvention::ComDirect, "MethodDirect", {4, 2}), 742);
    call.UnloadDLL();
}

TEST(CallFacility, ReportsLibrariesThatDoNotLoadAndMissingExports) {
    Scratch scratch;
    scratch.files.appendToFile(scratch.path + "notalibrary.dll", "This is not a library at all.");
    Win32Libraries libraries;
    clsCallFunction call(libraries);
    try {
        call.LoadDLL(scratch.path + "notalibrary.dll");
        ADD_FAILURE() << "a text file loaded";
    } catch (const CallFunctionError& error) {
        EXPECT_EQ(error.description(), "Load DLL failed");
        EXPECT_EQ(error.number(), -2147221504);
    }
    call.LoadDLL(Fixture("callsFixture.dll"));
    try {
        call.CallDLLFunctionByName("stdnone");
        ADD_FAILURE() << "names are exact";
    } catch (const CallFunctionError& error) {
        EXPECT_EQ(error.description(), "Function not found");
    }
}

TEST(Probes, AskFixturePluginsForTypeNameVersionAndVerdict) {
    Scratch scratch;
    scratch.files.setCurrentDirectory(scratch.path);
    Win32Libraries libraries;
    clsPSX psx(libraries);
    {
        const LoadedLibrary gpu = libraries.load(Fixture("gpuFixture.dll"));
        ASSERT_TRUE(gpu);
        EXPECT_EQ(psx.GetLibType(gpu.get()), 2);
        EXPECT_EQ(psx.GetLibName(gpu.get()), "Fixture GPU");
        EXPECT_EQ(psx.GetLibVersion(gpu.get()), "1.5");
        EXPECT_EQ(psx.GetLibName(libraries.load(Fixture("longNameFixture.dll")).get()),
                  std::string(700, 'L') + " long-named plug-in");
    }
    EXPECT_EQ(psx.TestPlugin(Fixture("gpuFixture.dll"), 1), PsxTestVerdict::Works);
    EXPECT_EQ(psx.TestPlugin(Fixture("spuFixture.dll"), 2), PsxTestVerdict::NeedsConfiguration);
    EXPECT_EQ(psx.TestPlugin(Fixture("cdrFixture.dll"), 3), PsxTestVerdict::FatalError);
    EXPECT_FALSE(psx.TestPlugin(Fixture("padFixture.dll"), 4)) << "2 is no verdict";
    EXPECT_EQ(psx.TestPlugin(Fixture("longNameFixture.dll"), 1), PsxTestVerdict::Unsupported);
    psx.StdCall(Fixture("padFixture.dll"), 4, "configure");
    psx.StdCall(Fixture("padFixture.dll"), 4, "about");
    EXPECT_EQ(scratch.notes(), "test\ntest\ntest\ntest\nconfigure\nabout\n");

    clsN64 n64(libraries, 0x1234);
    const LoadedLibrary rsp = libraries.load(Fixture("n64RspFixture.dll"));
    n64.QueryDLL(rsp.get());
    EXPECT_EQ(n64.DLLType(), 1);
    EXPECT_EQ(n64.DLLName(), std::string(100, 'N'));
    EXPECT_TRUE(n64.DLLTest(rsp.get()));
    n64.QueryDLL(libraries.load(Fixture("n64NoInfoFixture.dll")).get());
    EXPECT_EQ(n64.DLLType(), 0);
    const LoadedLibrary gfx = libraries.load(Fixture("n64GfxFixture.dll"));
    const LoadedLibrary audio = libraries.load(Fixture("n64AudioFixture.dll"));
    n64.DLLConfig(gfx.get());
    n64.DLLConfig(audio.get());
    EXPECT_FALSE(n64.DLLAbout(audio.get()));
    EXPECT_EQ(scratch.notes(), "test\ntest\ntest\ntest\nconfigure\nabout\ntest 4660\nconfig 4660\n");
}

TEST(Scan, ListsTheFixturesOfRealFoldersByType) {
    Scratch scratch;
    Win32FileSystem& files = scratch.files;
    const std::string psx = scratch.path + "PSXPlugins", n64 = scratch.path + "N64Plugins";
    files.createDirectory(psx);
    files.createDirectory(n64);
    for (const char* name : {"gpuFixture.dll", "spuFixture.dll", "cdrFixture.dll", "padFixture.dll",
                             "type3Fixture.dll", "longNameFixture.dll"})
        files.copyFile(Fixture(name), psx + "\\" + name, false);
    files.copyFile(Fixture("gpuFixture.dll"), psx + "\\zlib.dll", false);
    files.appendToFile(psx + "\\notalibrary.dll", "text");
    for (const char* name : {"n64GfxFixture.dll", "n64AudioFixture.dll", "n64InputFixture.dll", "n64RspFixture.dll",
                             "n64NoInfoFixture.dll"})
        files.copyFile(Fixture(name), n64 + "\\" + name, false);

    FakeFileSystem fakeFiles;
    FakeIniFile ini(fakeFiles);
    FakeRegistry registry;
    FakeWindowServices windows;
    Win32Clock clock;
    FakeDrives drives;
    FakeEnvironment environment;
    Win32Libraries libraries;
    FakeProcesses processes;
    FakeDownloads downloads{fakeFiles};
    FakeExtractionFiles extraction{fakeFiles};
    FakeNotifyIcon tray;
    FakeDigests digests;
    Services services{ini,       registry,  files,      windows, clock,  drives, environment,
                      libraries, processes, downloads, extraction, tray, digests};
    const bool logging = true;
    ActivityLog log(logging, files, clock, scratch.path);
    const std::vector<std::string> exclusions{"zlib.dll"};
    ProbeStore store(files, scratch.path);
    PluginScanner scanner(services, log, exclusions, store);
    const PluginCatalogue psxCatalogue = scanner.ScanPSX(psx, SelectedEmulator{});
    const PluginCatalogue n64Catalogue = scanner.ScanN64(n64);

    const auto names = [&](PluginKind kind) {
        std::vector<std::string> result;
        const PluginCatalogue& catalogue = SystemOf(kind) == EmuSystem::PSX ? psxCatalogue : n64Catalogue;
        for (const auto& record : catalogue.list(kind)) result.push_back(record.name);
        return result;
    };
    EXPECT_EQ(names(PluginKind::GPU),
              (std::vector<std::string>{"Fixture GPU", std::string(700, 'L') + " long-named plug-in"}));
    EXPECT_EQ(psxCatalogue.list(PluginKind::GPU)[0].version, "1.5");
    EXPECT_EQ(psxCatalogue.list(PluginKind::GPU)[0].fileName, "gpuFixture.dll");
    EXPECT_EQ(names(PluginKind::SPU), std::vector<std::string>{"Fixture SPU"});
    EXPECT_EQ(names(PluginKind::CDR), std::vector<std::string>{"Fixture CDR"});
    EXPECT_EQ(names(PluginKind::PAD), std::vector<std::string>{"Fixture PAD"});
    EXPECT_EQ(names(PluginKind::GFX), std::vector<std::string>{"Fixture N64 Graphics"});
    EXPECT_EQ(names(PluginKind::SND), std::vector<std::string>{"Fixture N64 Audio"});
    EXPECT_EQ(names(PluginKind::N64PAD), std::vector<std::string>{"Fixture N64 Input"});
    EXPECT_EQ(names(PluginKind::RSP), std::vector<std::string>{std::string(100, 'N')});
    EXPECT_NE(n64Catalogue.list(PluginKind::GFX)[0].released, 0u) << "the file's write time";
    const std::string text = files.readFile(scratch.path + "corvane.log", kWholeFile).value_or("");
    EXPECT_NE(text.find("]: zlib.dll is in list of DLL exclusions; ignored...\r\n"), std::string::npos);
    EXPECT_NE(text.find("]: Found Fixture GPU (gpuFixture.dll) of PSX type GPU\r\n"), std::string::npos);
    EXPECT_NE(text.find("]: Found Fixture N64 Audio (n64AudioFixture.dll) of N64 type SND\r\n"), std::string::npos);
    EXPECT_TRUE(windows.shownBoxes().empty()) << "a file that is not a library is simply skipped";
}
}  // namespace
