// The real probe helper (corvane.exe of this build) probing fixture
// libraries over its pipes: on the 32-bit build a 32-bit helper.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/win32/BuildPaths.h"
#include "app/win32/WideText.h"
#include "plugins/win32/ProbeHelperProcess.h"

namespace {
std::string Fixture(const std::string& name) { return WindowsPath(CORVANE_FIXTURES) + "\\" + name; }

// The chatty fixture writes to standard output and error, replies among its
// lines: none of it reaches the helper's replies.
TEST(ProbeHelperTest, TheHelperOfThisBuildIdentifiesFixturesAsTheScanInsideCorvaneDoes) {
    ProbeHelperProcess helper(Widen(WindowsPath(CORVANE_EXE)));
    HelperProbe probe(helper);
    const std::vector<ProbeRequest> requests{{EmuSystem::PSX, Fixture("gpuFixture.dll")},
                                             {EmuSystem::N64, Fixture("n64AudioFixture.dll")},
                                             {EmuSystem::PSX, Fixture("n64AudioFixture.dll")},
                                             {EmuSystem::PSX, Fixture("missing.dll")},
                                             {EmuSystem::PSX, Fixture("foreignFixture.dll")},
                                             {EmuSystem::PSX, Fixture("chattyFixture.dll")},
                                             {EmuSystem::PSX, Fixture("gpuFixture.dll")}};
    std::vector<ProbeResult> results(requests.size());
    std::vector<std::size_t> order;
    probe.probe(requests, [&](std::size_t index, const ProbeResult& result) {
        order.push_back(index);
        results[index] = result;
    });
    EXPECT_EQ(order, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(results[0].status, ProbeStatus::Answered);
    EXPECT_EQ(results[0].answer.kind, PluginKind::GPU);
    EXPECT_EQ(results[0].answer.name, "Fixture GPU");
    EXPECT_EQ(results[0].answer.version, "1.5");
    EXPECT_EQ(results[1].answer.kind, PluginKind::SND);
    EXPECT_EQ(results[1].answer.name, "Fixture N64 Audio");
    EXPECT_FALSE(results[2].answer.kind) << "no PSX plug-in";
    EXPECT_EQ(results[3].status, ProbeStatus::Answered) << "a file that does not load is no plug-in, no failure";
    EXPECT_FALSE(results[3].answer.kind);
    EXPECT_EQ(results[4].status, ProbeStatus::OtherArchitecture) << "built for the other word size";
    EXPECT_EQ(results[5].status, ProbeStatus::Answered) << results[5].reason;
    EXPECT_EQ(results[5].answer.name, "Fixture Chatty GPU");
    EXPECT_EQ(results[5].answer.version, "1.1");
    EXPECT_EQ(results[6].answer.name, "Fixture GPU") << "each answer stays with its library";
    const DWORD firstHelper = helper.processId();
    EXPECT_NE(firstHelper, 0u) << "kept running for the next scan";
    probe.probe({requests[0]}, [&](std::size_t, const ProbeResult& result) { results[0] = result; });
    EXPECT_EQ(results[0].answer.name, "Fixture GPU") << "the next scan's answer from the same helper";
    EXPECT_EQ(helper.processId(), firstHelper);
}
}  // namespace
