#include <gtest/gtest.h>

#include <cstring>

#include "doubles/FakeLibraries.h"
#include "doubles/ServicesFixture.h"
#include "plugins/PluginCommands.h"
#include "plugins/clsCallFunction.h"
#include "plugins/clsN64.h"
#include "plugins/clsPSX.h"

namespace {
FakeLibraries::Export Returns(CallValue value) {
    return [value](const std::vector<CallValue>&) { return value; };
}

// An N64 information function filling the record with a type and name.
FakeLibraries::Export DllInfo(std::int16_t type, const std::string& name) {
    return [type, name](const std::vector<CallValue>& arguments) {
        auto* record = reinterpret_cast<unsigned char*>(arguments.at(0));
        record[2] = static_cast<unsigned char>(type);
        std::memcpy(record + 4, name.data(), std::min<std::size_t>(name.size(), 100));
        return CallValue{0};
    };
}

TEST(clsCallFunction, RaisesItsFourErrors) {
    FakeLibraries libraries;
    libraries.add("C:\\p\\calls.dll", {{"Sum", Returns(5)}});
    const auto expectError = [](auto action, const std::string& source, const std::string& description) {
        try {
            action();
            ADD_FAILURE() << "no error: " << description;
        } catch (const CallFunctionError& error) {
            EXPECT_EQ(error.number(), -2147221504);
            EXPECT_EQ(error.source(), source);
            EXPECT_EQ(error.description(), description);
        }
    };
    clsCallFunction call(libraries);
    expectError([&] { call.LoadDLL("C:\\p\\missing.dll"); }, "clsCallFunction.LoadDLL", "Load DLL failed");
    expectError([&] { call.CallDLLFunctionByName("Sum"); }, "clsCallFunction.CallDLLFunctionByName", "No Dll loaded");
    call.LoadDLL("C:\\p\\calls.dll");
    expectError([&] { call.CallDLLFunctionByName("sum"); }, "clsCallFunction.CallDLLFunctionByName",
                "Function not found");
    EXPECT_EQ(call.CallDLLFunctionByName("Sum"), 5);
    call.CallType(CallConvention::ComDirect);
    expectError([&] { call.CallFunction(); }, "clsCallFunction.CallFunction", "Cannot call Null COM object");
    call.UnloadDLL();
    EXPECT_EQ(libraries.loadedCount(), 0);
}

// E_FAIL, as the 32-bit status it is.
constexpr CallValue kFailed = static_cast<std::int32_t>(0x80004005u);

TEST(clsCallFunction, PassesParametersInOrderAndTheStatusOfObjectCalls) {
    FakeLibraries libraries;
    libraries.add("C:\\p\\calls.dll", {{"Method", [](const std::vector<CallValue>& a) {
                                            *reinterpret_cast<CallValue*>(a.back()) = a[1] * 10 + a[2];
                                            return CallValue{kFailed};
                                        }}});
    clsCallFunction call(libraries);
    call.LoadDLL("C:\\p\\calls.dll");
    call.CallType(CallConvention::ComHResult);
    call.ObjectPointer(0x1234);
    call.AddParameter(4);
    call.AddParameter(2);
    EXPECT_EQ(call.CallDLLFunctionByName("Method"), 42);
    EXPECT_EQ(call.HResult(), kFailed);
    EXPECT_EQ(libraries.calls().back().arguments.front(), 0x1234) << "the object comes first";
}

TEST(clsPSX, ReportsTypeNameAndVersionAndRunsTheTest) {
    static const std::string longName(600, 'n');
    FakeLibraries libraries;
    libraries.add("C:\\psx\\gpu.dll", {{"PSEgetLibType", Returns(2)},
                                       {"PSEgetLibName", Returns(reinterpret_cast<CallValue>(longName.c_str()))},
                                       {"PSEgetLibVersion", Returns(0x00020105)},
                                       {"GPUtest", Returns(0)}});
    libraries.add("C:\\psx\\pad.dll", {{"PADtest", Returns(2)}, {"PADconfigure", Returns(0)}});
    libraries.add("C:\\psx\\none.dll", {});
    clsPSX probe(libraries);
    {
        const LoadedLibrary gpu = libraries.load("C:\\psx\\gpu.dll");
        EXPECT_EQ(probe.GetLibType(gpu.get()), 2);
        EXPECT_EQ(probe.GetLibName(gpu.get()), longName) << "copied whole";
        EXPECT_EQ(probe.GetLibVersion(gpu.get()), "1.5");
    }
    EXPECT_EQ(probe.GetLibType(0), 0);
    EXPECT_EQ(probe.GetLibName(0), "");
    EXPECT_EQ(clsPSX::VersionText(0x00010203), "2.3");
    EXPECT_EQ(probe.TestPlugin("C:\\psx\\gpu.dll", 1), PsxTestVerdict::Works);
    EXPECT_EQ(probe.TestPlugin("C:\\psx\\none.dll", 1), PsxTestVerdict::Unsupported);
    EXPECT_FALSE(probe.TestPlugin("C:\\psx\\pad.dll", 4)) << "2 is no verdict";
    EXPECT_FALSE(probe.TestPlugin("C:\\psx\\missing.dll", 1));
    probe.StdCall("C:\\psx\\pad.dll", 4, "configure");
    EXPECT_EQ(libraries.calls().back().name, "PADconfigure");
    EXPECT_EQ(libraries.loadedCount(), 0) << "every library freed";
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

TEST(clsN64, ReadsTheInformationRecordAndCallsWithTheMainWindow) {
    FakeLibraries libraries;
    const std::string hundred(100, 'R');
    libraries.add("C:\\n64\\rsp.dll", {{"GetDllInfo", DllInfo(1, hundred)}});
    libraries.add("C:\\n64\\gfx.dll", {{"GetDllInfo", DllInfo(2, "Glide64")},
                                       {"InitiateGFX", Returns(1)},
                                       {"DllConfig", Returns(0)},
                                       {"DllTest", Returns(0)}});
    libraries.add("C:\\n64\\audio.dll", {{"GetDllInfo", DllInfo(3, "Jabo Audio")}, {"DllConfig", Returns(0)}});
    libraries.add("C:\\n64\\bare.dll", {});
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
    clsN64 probe(libraries, 0xBEEF);

    const LoadedLibrary rsp = libraries.load("C:\\n64\\rsp.dll");
    probe.QueryDLL(rsp.get());
    EXPECT_EQ(probe.DLLType(), 1);
    EXPECT_EQ(probe.DLLName(), hundred) << "100 characters without NUL, whole";
    probe.QueryDLL(libraries.load("C:\\n64\\bare.dll").get());
    EXPECT_EQ(probe.DLLType(), 0);
    EXPECT_EQ(probe.DLLName(), "") << "an empty name";
    probe.QueryDLL(libraries.load("C:\\n64\\wide.dll").get());
    EXPECT_EQ(probe.DLLType(), 3);
    EXPECT_EQ(probe.DLLName(), "Wide") << "cut at the first NUL";

    const LoadedLibrary gfx = libraries.load("C:\\n64\\gfx.dll");
    const LoadedLibrary audio = libraries.load("C:\\n64\\audio.dll");
    probe.DLLConfig(gfx.get());
    EXPECT_EQ(libraries.calls().back().name, "DllConfig");
    EXPECT_EQ(libraries.calls().back().arguments, std::vector<CallValue>{0xBEEF});
    const std::size_t callsBefore = libraries.calls().size();
    probe.DLLConfig(audio.get());
    EXPECT_EQ(libraries.calls().size(), callsBefore) << "no InitiateGFX: not configured";
    EXPECT_TRUE(probe.DLLTest(gfx.get()));
    EXPECT_FALSE(probe.DLLTest(audio.get()));
    EXPECT_FALSE(probe.DLLAbout(audio.get()));
}
}  // namespace
