// A PSX scan through a fake probe helper, without the main window: what the
// reply channel may carry besides the replies.
#include <gtest/gtest.h>

#include <algorithm>

#include "doubles/FakeProbeHelper.h"
#include "doubles/FakeServices.h"
#include "plugins/PluginScanner.h"

namespace {
const std::string kFolder = "C:\\Corvane\\PSXPlugins\\";
constexpr FileTime kWritten = 134774ull * 864000000000ull;

// The scanner with its log, store and a helper probe over a fake helper.
struct Scan : FakeServices {
    Scan() {
        files.addDirectory(kFolder);
        scanner.setProbe(probe);
    }
    void library(const std::string& name, FakeProbeHelper::Behaviour behaviour, FileTime written = kWritten) {
        files.addFile(kFolder + name, "MZ", written);
        helper.behave(kFolder + name, std::move(behaviour));
    }
    // The names the scan listed as GPU plug-ins.
    std::vector<std::string> run() {
        const PluginCatalogue catalogue = scanner.ScanPSX(kFolder, SelectedEmulator{});
        std::vector<std::string> names;
        for (const PluginRecord& record : catalogue.list(PluginKind::GPU)) names.push_back(record.name);
        return names;
    }
    bool logHas(const std::string& line) const {
        return files.contents("C:\\Corvane\\corvane.log").find("]: " + line + "\r\n") != std::string::npos;
    }

    bool logging = true;
    ActivityLog log{logging, files, clock, "C:\\Corvane"};
    std::vector<std::string> exclusions;
    ProbeStore store{files, "C:\\Corvane"};
    FakeProbeHelper helper;
    HelperProbe probe{helper};
    PluginScanner scanner{services, log, exclusions, store};
};

// Bytes on the reply channel that no request asked for, as a plug-in that
// writes to the helper's output would put there: the library they came with
// fails, and every other answer stays with its own library.
TEST(ProbeScanTest, BytesNoRequestAskedForFailTheirLibraryAloneAndNoAnswerMoves) {
    const std::string noise[] = {
        "GPU plug-in loaded\r\n",
        EncodeMessage({"answer", "0", "Impostor", "9.9"}),       // a reply without its request's number
        EncodeMessage({"answer", "77", "0", "Impostor", "9.9"}),  // the reply to another request
        "99999999999:",                                           // a length past any message
    };
    for (const std::string& written : noise) {
        for (const std::string noisy : {"b.dll", "c.dll"}) {
            Scan scan;
            std::vector<std::string> expected;
            for (const std::string name : {"a.dll", "b.dll", "c.dll"}) {
                const auto answer = FakeProbeHelper::Answer(PluginKind::GPU, "GPU " + name, "1.1");
                scan.library(name, name == noisy ? FakeProbeHelper::Writes(written, answer) : answer);
                if (name != noisy) expected.push_back("GPU " + name);
            }
            EXPECT_EQ(scan.run(), expected) << written << " from " << noisy;
            EXPECT_TRUE(scan.logHas(noisy + " stopped the plug-in check (gave a damaged answer); quarantined..."))
                << written << " from " << noisy;
        }
    }
}

// A window nobody answers holds the check twelve times the time-out at most,
// and a scan waiting on one can be abandoned (Corvane is closing).
TEST(ProbeScanTest, AWindowNobodyAnswersEndsTheHelperInTimeAndAScanWaitingOnOneCanBeAbandoned) {
    Scan scan;
    scan.library("box.dll", FakeProbeHelper::Window(100000, PluginKind::GPU, "Boxed GPU"));
    scan.library("good.dll", FakeProbeHelper::Answer(PluginKind::GPU, "Good GPU"));
    EXPECT_EQ(scan.run(), std::vector<std::string>{"Good GPU"});
    EXPECT_TRUE(scan.logHas("box.dll stopped the plug-in check (no answer in 120 s); quarantined..."));
    EXPECT_EQ(scan.helper.starts(), 2) << "the helper that showed the window was ended";

    // Changed, the library is checked again; a window message asks for
    // another scan while its window is up, and then Corvane is closed.
    scan.library("box.dll", FakeProbeHelper::Window(100000, PluginKind::GPU, "Boxed GPU"), kWritten + 1);
    scan.library("later.dll", FakeProbeHelper::Answer(PluginKind::GPU, "Later GPU"));
    bool closing = false;
    std::vector<std::string> meanwhile;
    scan.helper.onPause = [&] {
        if (!scan.helper.showsWindow() || closing) return;
        meanwhile = scan.run();
        closing = true;
    };
    scan.probe.abandoned = [&] { return closing; };
    EXPECT_EQ(scan.run(), std::vector<std::string>{"Good GPU"});
    EXPECT_EQ(meanwhile, std::vector<std::string>{"Good GPU"}) << "the scan asked for meanwhile probes nothing";
    EXPECT_EQ(std::count(scan.helper.probed().begin(), scan.helper.probed().end(), kFolder + "box.dll"), 2);
    EXPECT_EQ(std::count(scan.helper.probed().begin(), scan.helper.probed().end(), kFolder + "later.dll"), 0);
    EXPECT_FALSE(scan.helper.running()) << "ended, and the window with it";
    EXPECT_TRUE(scan.logHas("The plug-in check was abandoned; 2 libraries were not checked..."));
    EXPECT_FALSE(scan.store.find(FileIdentity{kFolder + "box.dll", 2, kWritten + 1})) << "not quarantined";
}
}  // namespace

// A store someone else's tool cut short is said in the log; the scan checks
// every library again and writes a whole store.
TEST(ProbeScanTest, ADamagedStoreIsLoggedAndRebuilt) {
    Scan scan;
    scan.files.addFile("C:\\Corvane\\plugincheck.dat", "Corvane plug-in check, cut short");
    scan.library("a.dll", FakeProbeHelper::Answer(PluginKind::GPU, "GPU a"));
    EXPECT_EQ(scan.run(), std::vector<std::string>{"GPU a"});
    EXPECT_TRUE(scan.logHas("Plugin check store C:\\Corvane\\plugincheck.dat could not be read; every plugin is "
                            "checked again"));
    EXPECT_TRUE(ProbeStore(scan.files, "C:\\Corvane").load()) << "rebuilt";
}
