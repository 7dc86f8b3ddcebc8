// A PSX scan through a fake probe helper, without the main window: what the
// reply channel may carry besides the replies.
#include <gtest/gtest.h>

#include "doubles/FakeProbeHelper.h"
#include "doubles/FakeServices.h"
#include "plugins/PluginScanner.h"

namespace {
const std::string kFolder = "C:\\Corvane\\PSXPlugins\\";
constexpr FileTime kWritten = 134774ull * 864000000000ull;

// The scanner with its log, store and a helper probe over a fake helper.
struct Scan : FakeServices {
    Scan() {
        flags.blLoggingEnabled = true;
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

    AppFlags flags;
    ActivityLog log{flags, files, clock, windows, "C:\\Corvane"};
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
}  // namespace
