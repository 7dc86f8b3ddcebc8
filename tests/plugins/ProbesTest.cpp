#include <gtest/gtest.h>

#include <cstring>

#include "doubles/FakeLibraries.h"
#include "doubles/FakeWindowServices.h"
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
    FakeWindowServices windows;
    libraries.add("C:\\psx\\gpu.dll", {{"PSEgetLibType", Returns(2)},
                                       {"PSEgetLibName", Returns(reinterpret_cast<CallValue>(longName.c_str()))},
                                       {"PSEgetLibVersion", Returns(0x00020105)},
                                       {"GPUtest", Returns(0)}});
    libraries.add("C:\\psx\\pad.dll", {{"PADtest", Returns(2)}, {"PADconfigure", Returns(0)}});
    libraries.add("C:\\psx\\spu.dll", {{"SPUtest", Returns(1)}});
    libraries.add("C:\\psx\\cdr.dll", {{"CDRtest", Returns(-1)}});
    libraries.add("C:\\psx\\none.dll", {});
    clsPSX probe(libraries, windows, 0);

    const LibraryHandle gpu = libraries.load("C:\\psx\\gpu.dll");
    EXPECT_EQ(probe.GetLibType(gpu), 2);
    EXPECT_EQ(probe.GetLibName(gpu), longName) << "copied whole";
    EXPECT_EQ(probe.GetLibVersion(gpu), "1.5");
    libraries.free(gpu);
    EXPECT_EQ(probe.GetLibType(0), 0);
    EXPECT_EQ(probe.GetLibName(0), "");
    EXPECT_EQ(clsPSX::VersionText(0x00010203), "2.3");

    probe.TestPlugin("C:\\psx\\gpu.dll", 1, "Pete's GPU");
    probe.TestPlugin("C:\\psx\\spu.dll", 2, "Eternal SPU");
    probe.TestPlugin("C:\\psx\\cdr.dll", 3, "Broken CDR");
    probe.TestPlugin("C:\\psx\\pad.dll", 4, "Odd pad");
    probe.TestPlugin("C:\\psx\\none.dll", 1, "Quiet GPU");
    probe.TestPlugin("C:\\psx\\missing.dll", 1, "Missing");
    const auto& boxes = windows.shownBoxes();
    ASSERT_EQ(boxes.size(), 4u) << "a test returning 2 and a missing library show nothing";
    EXPECT_EQ(boxes[0].text, "Pete's GPU reports that it should work properly.");
    EXPECT_EQ(boxes[0].title, "GPU Plugin Test");
    EXPECT_EQ(boxes[0].icon, MessageIcon::Information);
    EXPECT_EQ(boxes[1].text, "Eternal SPU needs to be configured before it will work properly.");
    EXPECT_EQ(boxes[1].icon, MessageIcon::Exclamation);
    EXPECT_EQ(boxes[2].text, "Broken CDR has returned an undefined fatal error. This plugin will not work!");
    EXPECT_EQ(boxes[2].icon, MessageIcon::Critical);
    EXPECT_EQ(boxes[3].text, "Quiet GPU does not support the test function.");
    EXPECT_EQ(boxes[3].title, "GPU Plugin Test");

    probe.StdCall("C:\\psx\\pad.dll", 4, "configure");
    EXPECT_EQ(libraries.calls().back().name, "PADconfigure");
    EXPECT_EQ(libraries.loadedCount(), 0) << "every library freed";
}

TEST(clsN64, ReadsTheInformationRecordAndCallsWithTheMainWindow) {
    FakeLibraries libraries;
    FakeWindowServices windows;
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
    clsN64 probe(libraries, windows, 0xBEEF);

    const LibraryHandle rsp = libraries.load("C:\\n64\\rsp.dll");
    probe.QueryDLL(rsp);
    EXPECT_EQ(probe.DLLType(), 1);
    EXPECT_EQ(probe.DLLName(), hundred) << "100 characters without NUL, whole";
    const LibraryHandle bare = libraries.load("C:\\n64\\bare.dll");
    probe.QueryDLL(bare);
    EXPECT_EQ(probe.DLLType(), 0);
    EXPECT_EQ(probe.DLLName(), "") << "an empty name";
    probe.QueryDLL(libraries.load("C:\\n64\\wide.dll"));
    EXPECT_EQ(probe.DLLType(), 3);
    EXPECT_EQ(probe.DLLName(), "Wide") << "cut at the first NUL";

    const LibraryHandle gfx = libraries.load("C:\\n64\\gfx.dll");
    const LibraryHandle audio = libraries.load("C:\\n64\\audio.dll");
    probe.DLLConfig(gfx);
    EXPECT_EQ(libraries.calls().back().name, "DllConfig");
    EXPECT_EQ(libraries.calls().back().arguments, std::vector<CallValue>{0xBEEF});
    const std::size_t callsBefore = libraries.calls().size();
    probe.DLLConfig(audio);
    EXPECT_EQ(libraries.calls().size(), callsBefore) << "no InitiateGFX: not configured";
    probe.DLLTest(gfx, "Glide64");
    EXPECT_TRUE(windows.shownBoxes().empty());
    probe.DLLTest(audio, "Jabo Audio");
    probe.DLLAbout(audio, "Jabo Audio");
    ASSERT_EQ(windows.shownBoxes().size(), 2u);
    EXPECT_EQ(windows.shownBoxes()[0].title, "No Test Function!");
    EXPECT_EQ(windows.shownBoxes()[0].text, "Jabo Audio does not support the Test function.");
    EXPECT_EQ(windows.shownBoxes()[1].title, "No About Function");
    EXPECT_EQ(windows.shownBoxes()[1].text, "Jabo Audio does not support the About function.");
}
}  // namespace
