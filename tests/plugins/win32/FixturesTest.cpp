// The call facility, the plug-in commands and the scan against the
// project's own plug-in libraries, loaded for real: on the 32-bit build the
// code block runs as machine code, on the 64-bit build the calls are typed.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/WholeFile.h"
#include "app/win32/BuildPaths.h"
#include "app/win32/ScratchFolder.h"
#include "app/win32/Win32Libraries.h"
#include "doubles/FakeServices.h"
#include "plugins/PluginScanner.h"
#include "plugins/clsCallFunction.h"
#include "plugins/clsN64.h"
#include "plugins/clsPSX.h"

namespace {
std::string Fixture(const std::string& name) { return WindowsPath(CORVANE_FIXTURES) + "\\" + name; }

TEST(Fixtures, TheCallFacilityCallsEveryConventionInOrderAndReportsWhatFails) {
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
    const auto failure = [&](auto attempt) {
        try {
            attempt();
        } catch (const CallFunctionError& error) {
            return error.description() + " " + std::to_string(error.number());
        }
        return std::string("no failure");
    };
    EXPECT_EQ(failure([&] { call.CallDLLFunctionByName("stdnone"); }), "Function not found -2147221504")
        << "names are exact";
    call.UnloadDLL();
    ScratchFolder scratch;
    scratch.files.appendToFile(scratch.path + "notalibrary.dll", "This is not a library at all.");
    EXPECT_EQ(failure([&] { call.LoadDLL(scratch.path + "notalibrary.dll"); }), "Load DLL failed -2147221504");
}

TEST(Fixtures, AScanOfRealFoldersFindsEachFixtureByItsTypeAndTheCommandsReachThem) {
    ScratchFolder scratch;
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

    FakeServices fakes;
    Win32Libraries libraries;
    Services services{fakes.ini,       fakes.registry,  files,           fakes.windows,    fakes.clock,
                      fakes.drives,    fakes.environment, libraries,     fakes.processes,  fakes.downloads,
                      fakes.extraction, fakes.tray,     fakes.digests};
    const bool logging = true;
    ActivityLog log(logging, files, fakes.clock, scratch.path);
    const std::vector<std::string> exclusions{"zlib.dll"};
    ProbeStore store(files, scratch.path);
    PluginScanner scanner(services, log, exclusions, store);
    const PluginCatalogue psxCatalogue = scanner.ScanPSX(psx, SelectedEmulator{});
    const PluginCatalogue n64Catalogue = scanner.ScanN64(n64);

    std::vector<std::string> listed;  // each kind's rows, in the lists' order
    for (const PluginKind kind : {PluginKind::GPU, PluginKind::SPU, PluginKind::CDR, PluginKind::PAD, PluginKind::GFX,
                                  PluginKind::SND, PluginKind::N64PAD, PluginKind::RSP}) {
        listed.emplace_back();
        for (const auto& record : (SystemOf(kind) == EmuSystem::PSX ? psxCatalogue : n64Catalogue).list(kind))
            listed.back() += record.name + ";";
    }
    EXPECT_EQ(listed, (std::vector<std::string>{"Fixture GPU;" + std::string(700, 'L') + " long-named plug-in;",
                                                "Fixture SPU;", "Fixture CDR;", "Fixture PAD;", "Fixture N64 Graphics;",
                                                "Fixture N64 Audio;", "Fixture N64 Input;",
                                                std::string(100, 'N') + ";"}));
    EXPECT_EQ(psxCatalogue.list(PluginKind::GPU)[0].version, "1.5");
    EXPECT_EQ(psxCatalogue.list(PluginKind::GPU)[0].fileName, "gpuFixture.dll");
    EXPECT_NE(n64Catalogue.list(PluginKind::GFX)[0].released, 0u) << "the file's write time";
    const std::string text = files.readFile(scratch.path + "corvane.log", kWholeFile).value_or("");
    EXPECT_NE(text.find("]: zlib.dll is in list of DLL exclusions; ignored...\r\n"), std::string::npos);
    EXPECT_NE(text.find("]: Found Fixture GPU (gpuFixture.dll) of PSX type GPU\r\n"), std::string::npos);
    EXPECT_NE(text.find("]: Found Fixture N64 Audio (n64AudioFixture.dll) of N64 type SND\r\n"), std::string::npos);
    EXPECT_TRUE(fakes.windows.shownBoxes().empty()) << "a file that is not a library is simply skipped";

    // Test, Configure and About, as the plug-in commands call them.
    files.setCurrentDirectory(scratch.path);  // the fixtures note their calls there
    clsPSX psxCalls(libraries);
    EXPECT_EQ(psxCalls.TestPlugin(Fixture("gpuFixture.dll"), 1), PsxTestVerdict::Works);
    EXPECT_EQ(psxCalls.TestPlugin(Fixture("spuFixture.dll"), 2), PsxTestVerdict::NeedsConfiguration);
    EXPECT_EQ(psxCalls.TestPlugin(Fixture("cdrFixture.dll"), 3), PsxTestVerdict::FatalError);
    EXPECT_FALSE(psxCalls.TestPlugin(Fixture("padFixture.dll"), 4)) << "2 is no verdict";
    EXPECT_EQ(psxCalls.TestPlugin(Fixture("longNameFixture.dll"), 1), PsxTestVerdict::Unsupported);
    psxCalls.StdCall(Fixture("padFixture.dll"), 4, "configure");
    psxCalls.StdCall(Fixture("padFixture.dll"), 4, "about");
    clsN64 n64Calls(libraries, 0x1234);
    EXPECT_TRUE(n64Calls.DLLTest(libraries.load(Fixture("n64RspFixture.dll")).get()));
    n64Calls.DLLConfig(libraries.load(Fixture("n64GfxFixture.dll")).get());
    const LoadedLibrary audio = libraries.load(Fixture("n64AudioFixture.dll"));
    n64Calls.DLLConfig(audio.get());
    EXPECT_FALSE(n64Calls.DLLAbout(audio.get())) << "it has no about box";
    EXPECT_EQ(files.readFile(scratch.path + "fixture-calls.txt", kWholeFile).value_or(""),
              "test\ntest\ntest\ntest\nconfigure\nabout\ntest 4660\nconfig 4660\n");
}
}  // namespace
