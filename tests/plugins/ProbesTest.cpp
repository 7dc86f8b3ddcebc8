// The call facility and the probes over fake libraries: what the real
// fixture libraries cannot show (tests/plugins/win32/FixturesTest.cpp loads
// those).
#include <gtest/gtest.h>

#include "doubles/ServicesFixture.h"
#include "plugins/FakePlugins.h"
#include "plugins/PluginCommands.h"
#include "plugins/clsCallFunction.h"
#include "plugins/clsN64.h"
#include "plugins/clsPSX.h"

namespace {
// A library that does not load and a missing export: FixturesTest.cpp.
TEST(clsCallFunction, RaisesItsErrorsWithoutALibraryOrACOMObject) {
    FakeLibraries libraries;
    libraries.add("C:\\p\\calls.dll", {{"Sum", Returns(5)}});
    const auto raised = [](auto action) -> std::string {
        try {
            action();
        } catch (const CallFunctionError& error) {
            return std::to_string(error.number()) + " " + error.source() + ": " + error.description();
        }
        return "no error";
    };
    clsCallFunction call(libraries);
    EXPECT_EQ(raised([&] { call.CallDLLFunctionByName("Sum"); }),
              "-2147221504 clsCallFunction.CallDLLFunctionByName: No Dll loaded");
    call.LoadDLL("C:\\p\\calls.dll");
    call.CallType(CallConvention::ComDirect);
    EXPECT_EQ(raised([&] { call.CallFunction(); }), "-2147221504 clsCallFunction.CallFunction: Cannot call Null COM object");
    call.UnloadDLL();
    EXPECT_EQ(libraries.loadedCount(), 0);
}

TEST(Probes, NoLibraryNoAnswerAndAnN64RecordIsCutAtItsFirstNul) {
    FakeLibraries libraries;
    clsPSX psx(libraries);
    EXPECT_EQ(psx.GetLibType(0), 0);
    EXPECT_EQ(psx.GetLibName(0), "");
    EXPECT_FALSE(psx.TestPlugin("C:\\psx\\missing.dll", 1));

    // A plug-in of another record layout writes 1 KB, and its name is
    // followed by leftovers after the NUL.
    libraries.add("C:\\n64\\wide.dll", {{"GetDllInfo", [](const std::vector<CallValue>& arguments) {
                                               auto* record = reinterpret_cast<unsigned char*>(arguments.at(0));
                                               std::memset(record, 'x', 1024);
                                               record[2] = 3;
                                               record[3] = 0;
                                               std::memcpy(record + 4, "Wide\0junk", 9);
                                               return CallValue{0};
                                           }}});
    libraries.add("C:\\n64\\bare.dll", {});
    clsN64 n64(libraries, 0xBEEF);
    n64.QueryDLL(libraries.load("C:\\n64\\wide.dll").get());
    EXPECT_EQ(n64.DLLType(), 3);
    EXPECT_EQ(n64.DLLName(), "Wide");
    n64.QueryDLL(libraries.load("C:\\n64\\bare.dll").get());
    EXPECT_EQ(n64.DLLType(), 0);
    EXPECT_EQ(n64.DLLName(), "") << "nothing left of the last library";
}

using PluginCommandsTest = ServicesFixture;

TEST_F(PluginCommandsTest, TellWhatThePluginSaidOfItselfOrThatNoneIsSelected) {
    libraries.add("C:\\psx\\gpu.dll", {{"GPUtest", Returns(0)}});
    libraries.add("C:\\psx\\spu.dll", {{"SPUtest", Returns(1)}});
    libraries.add("C:\\psx\\cdr.dll", {{"CDRtest", Returns(-1)}});
    libraries.add("C:\\psx\\none.dll", {});
    libraries.add("C:\\n64\\audio.dll", {});
    libraries.add("C:\\n64\\gfx.dll", {{"DllTest", Returns(0)}, {"DllAbout", Returns(0)}});
    files.addDirectory("C:\\n64");
    const bool logging = false;
    ActivityLog log(logging, files, clock, "C:\\Corvane");
    PluginCommands commands(services, log);
    const auto said = [](const std::optional<Notice>& notice) {
        if (!notice) return std::string("-");
        return notice->title + ": " + notice->text + " (" + std::to_string(static_cast<int>(notice->icon)) + ")";
    };
    const auto test = [&](const char* path, PluginKind kind, const char* name) {
        return said(commands.Test({name, path, kind}, 0xBEEF));
    };
    EXPECT_EQ(test("C:\\psx\\gpu.dll", PluginKind::GPU, "Pete's GPU"),
              "GPU Plugin Test: Pete's GPU reports that it should work properly. (4)");
    EXPECT_EQ(test("C:\\psx\\spu.dll", PluginKind::SPU, "Eternal SPU"),
              "SPU Plugin Test: Eternal SPU needs to be configured before it will work properly. (3)");
    EXPECT_EQ(test("C:\\psx\\cdr.dll", PluginKind::CDR, "Broken CDR"),
              "CDR Plugin Test: Broken CDR has returned an undefined fatal error. This plugin will not work! (1)");
    EXPECT_EQ(test("C:\\psx\\none.dll", PluginKind::GPU, "Quiet GPU"),
              "GPU Plugin Test: Quiet GPU does not support the test function. (3)");
    EXPECT_EQ(test("C:\\n64\\gfx.dll", PluginKind::GFX, "Glide64"), "-");
    EXPECT_EQ(libraries.calls().back().arguments, std::vector<CallValue>{0xBEEF}) << "with the main window";
    EXPECT_EQ(test("C:\\n64\\audio.dll", PluginKind::SND, "Jabo Audio"),
              "No Test Function!: Jabo Audio does not support the Test function. (3)");
    EXPECT_EQ(said(commands.About({"Jabo Audio", "C:\\n64\\audio.dll", PluginKind::SND}, 0)),
              "No About Function: Jabo Audio does not support the About function. (3)");
    EXPECT_EQ(said(commands.Configure({}, 0, true)), "Select a Plugin: You'll need to select a plugin first. (3)");
    EXPECT_EQ(files.currentDirectory(), "C:\\n64\\") << "the plug-in's folder, for its companion files";
    EXPECT_EQ(libraries.loadedCount(), 0);
}
}  // namespace
