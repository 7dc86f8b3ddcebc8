#include "doubles/FakeProbeHelper.h"
#include "plugins/FakePlugins.h"
#include "session/SessionFixture.h"

namespace {
const std::string kFolder = "C:\\Corvane\\PSXPlugins\\";

// The session scanning through a helper that misbehaves as each test
// tells it to.
class HelperProbeTest : public SessionFixture {
protected:
    HelperProbeTest() {
        settings("[Configuration]\r\nLogging=-1\r\n");
        session.setProbe(probe);
    }
    std::string status() const { return user.statuses.empty() ? "" : user.statuses.back(); }
    void library(const std::string& name, FakeProbeHelper::Behaviour behaviour, FileTime written = kDecember5) {
        files.addFile(kFolder + name, "MZ", written);
        helper.behave(kFolder + name, std::move(behaviour));
    }

    FakeProbeHelper helper;
    HelperProbe probe{helper};
};

TEST_F(HelperProbeTest, EachMisbehaviourIsQuarantinedWithItsReasonAndTheScanGoesOn) {
    library("good.dll", FakeProbeHelper::Answer(PluginKind::GPU, "Good GPU", "1.2"));
    library("crash.dll", FakeProbeHelper::Exit(0xC0000005));
    library("hang.dll", FakeProbeHelper::Hang());
    library("quit.dll", FakeProbeHelper::Exit(7));
    // Longer than the time-out: the clock stops while the box is up.
    library("box.dll", FakeProbeHelper::Window(30, PluginKind::GPU, "Boxed GPU"));
    library("x86.dll", FakeProbeHelper::Foreign());
    library("zlib.dll", FakeProbeHelper::Exit(1));
    library("readme.dll", FakeProbeHelper::NoPlugin());
    // Scanned after the PSX folder, by the helper that folder's scan left running.
    files.addFile("C:\\Corvane\\N64Plugins\\jabo.dll", "MZ", kDecember5);
    helper.behave("C:\\Corvane\\N64Plugins\\jabo.dll", FakeProbeHelper::Answer(PluginKind::SND, "Jabo's Sound"));
    std::vector<std::string> waitingStatus;
    helper.onPause = [&] {
        if (helper.showsWindow()) waitingStatus.push_back(status());
    };
    start();

    EXPECT_EQ(names(PluginKind::GPU), (std::vector<std::string>{"Boxed GPU", "Good GPU"}));
    EXPECT_EQ(names(PluginKind::SND), std::vector<std::string>{"Jabo's Sound"});
    EXPECT_TRUE(logHas("crash.dll stopped the plug-in check (crashed); quarantined..."));
    EXPECT_TRUE(logHas("hang.dll stopped the plug-in check (no answer in 10 s); quarantined..."));
    EXPECT_TRUE(logHas("quit.dll stopped the plug-in check (ended the process with code 7); quarantined..."));
    EXPECT_TRUE(logHas("x86.dll is built for another processor architecture; ignored..."));
    EXPECT_EQ(status(),
              "3 plugins were skipped: they stopped the plugin check (Plugins > Skipped Plugins)");
    ASSERT_FALSE(waitingStatus.empty());
    EXPECT_EQ(waitingStatus.front(), "box.dll is waiting for your answer...");
    EXPECT_EQ(helper.starts(), 4) << "one helper, started afresh after each of the three failures";
    EXPECT_EQ(std::count(helper.probed().begin(), helper.probed().end(), kFolder + "zlib.dll"), 0);
    EXPECT_EQ(libraries.loads().size(), 0u) << "nothing loaded in Corvane's own process";
}

TEST_F(HelperProbeTest, WithoutAHelperTheFallbackProbesAndNothingIsQuarantined) {
    helper.failStarts();
    InProcessProbe inProcess(libraries);
    HelperProbe withFallback(helper, HelperProbe::kDefaultTimeout, &inProcess);
    session.setProbe(withFallback);
    addPlugin(kFolder + "spu.dll", PsxPlugin(4, "Eternal SPU", "SPU"));
    start();
    EXPECT_EQ(names(PluginKind::SPU), std::vector<std::string>{"Eternal SPU"});
    EXPECT_EQ(status(), "");
    EXPECT_EQ(libraries.loadedCount(), 0);
}
}  // namespace
