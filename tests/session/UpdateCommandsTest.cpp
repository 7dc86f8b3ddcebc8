// Plug-in updates through the session: the check, the questions, and the
// installation where the lists were scanned from.
#include "files/TestZip.h"
#include "session/SessionFixture.h"
#include "session/UpdateCommands.h"

namespace {
const char* const kList = "http://updates.example/zip.php?id=1";
const char* const kN64List = "http://updates.example/zip.php?id=3";
const char* const kPeteLine = "gpuPete.dll\tPete GPU\t2.0\t2030-01-01\thttp://h/pete.zip";

class UpdateCommandsTest : public SessionFixture {
protected:
    // Two PCSX emulators and a Project 64 one; the first PCSX shown.
    void emulators(bool distribute) {
        SessionFixture::emulators({{"A", EmuSystem::PSX, "PCSX", "C:\\a\\pcsx.exe", "C:\\a\\plugin"},
                                   {"B", EmuSystem::PSX, "PCSX", "C:\\b\\pcsx.exe", "C:\\b\\plugin"},
                                   {"N", EmuSystem::N64, "Project 64", "C:\\n\\pj.exe", "C:\\n\\plugin"}},
                                  1, distribute ? "Distribute=1\r\n" : "");
        serviceAt("http://updates.example");
        files.addFile("C:\\a\\plugin\\gpuPete.dll", "old", 0);
        libraries.add("C:\\a\\plugin\\gpuPete.dll", PsxPlugin(2, "Pete GPU"));  // version 1.3
        files.addDirectory("C:\\b\\plugin");
        addPlugin("C:\\n\\plugin\\Jabo_Direct3D8.dll", N64Plugin(2, "Jabo D3D8"));
        downloads.serve(kList, std::string(kPeteLine) + "\r\n");
        downloads.serve(kN64List, "");
    }
    UpdateCommands& updates() { return session.updates(); }
    // A check, and the questions about what it found.
    void checkAndQuery() {
        ASSERT_TRUE(updates().check(false));
        updates().query();
    }
};

TEST_F(UpdateCommandsTest, TheCheckMarksWhatIsOfferedAndAsksAboutEach) {
    emulators(false);
    // A list of every plug-in there is runs past a megabyte.
    std::string others;
    while (others.size() < (2u << 20)) others += "other.dll\tOther\t1.0\t2004-01-01\thttp://h/other.zip\r\n";
    downloads.serve(kN64List, others + "Jabo_Di_new.dll\tJabo\t1.6 beta\t2031-02-01\thttp://h/jabo.zip\r\n");
    start();
    session.selectEmulator(3, EmuSystem::PSX);
    ASSERT_TRUE(updates().check(false));
    EXPECT_EQ(session.lists().updatable(EmuSystem::PSX), std::vector<std::string>{"gpuPete.dll"}) << "shown in blue";
    EXPECT_EQ(session.lists().updatable(EmuSystem::N64), std::vector<std::string>{"Jabo_Direct3D8.dll"});
    EXPECT_EQ(user.progressed.back(), "Updates found for 2 plugin(s)...");
    user.answers = {false, false};
    updates().query();
    ASSERT_EQ(user.boxes.size(), 2u);
    EXPECT_EQ(user.boxes[0].text, "An update has been found for Pete GPU. Do you want to update it with:\r\n"
                                  "Pete GPU version 2 (gpuPete.dll) released 1/1/2030?");
    EXPECT_EQ(user.boxes[1].text, "A potential update has been found for Jabo D3D8. Do you want to update it "
                                  "with:\r\nJabo version 1.6 beta (Jabo_Di_new.dll) released 2/1/2031?");
    EXPECT_EQ(updates().waiting().count(), 0u);
    EXPECT_EQ(files.contents("C:\\a\\plugin\\gpuPete.dll"), "old");
}

TEST_F(UpdateCommandsTest, FailuresAndWarningsEndTheCheckWithTheirMessagesOnlyWhenAskedFor) {
    settings("[Configuration]\r\nLogging=-1\r\n");
    start();
    EXPECT_FALSE(updates().check(false));
    EXPECT_EQ(user.last().title, "No Update Service");
    EXPECT_EQ(user.last().text, "No plugin update service is set. Enter its address on the Configuration page.");
    EXPECT_EQ(user.last().icon, MessageIcon::Information);
    EXPECT_FALSE(updates().check(true));
    EXPECT_TRUE(logHas("Automatic update check skipped: no plugin update service is set"));
    EXPECT_TRUE(downloads.asked().empty());

    session.settings().serviceAddress = "http://updates.example";
    std::size_t boxes = user.boxes.size();
    EXPECT_FALSE(updates().check(true));
    EXPECT_EQ(user.boxes.size(), boxes) << "an automatic check shows no box";
    EXPECT_TRUE(logHas("Could Not Download Update List: Corvane encountered an error while attempting to download "
                       "the list of plugins from the server."));
    EXPECT_FALSE(updates().check(false));
    EXPECT_EQ(user.last().title, "Could Not Download Update List");
    EXPECT_NE(user.last().text.find("\r\nEither the server is down"), std::string::npos);
    downloads.serve(kList, "<b>Warning</b>: broken\r\n");
    EXPECT_FALSE(updates().check(false));
    EXPECT_EQ(user.last().title, "Could Not Download Update List") << "the N64 list's";
    EXPECT_EQ(user.last().text.find("Either"), std::string::npos);
    boxes = user.boxes.size();
    downloads.serve(kN64List, "x.dll\tX\t1\t2004-01-01\thttp://h/x.zip\r\n<b>Warning</b>:\r\n");
    EXPECT_FALSE(updates().check(false)) << "a warning in the N64 list ends the whole check";
    EXPECT_EQ(user.boxes.size(), boxes);
    downloads.serve(kN64List, "");
    downloads.serve(kList, "bad line\r\n");
    EXPECT_TRUE(updates().check(true));
    EXPECT_EQ(user.progressed.back(), "No updates were found...");
    EXPECT_TRUE(logHas("Update list entry skipped: bad line"));
}

TEST_F(UpdateCommandsTest, ACutHostileUnreplaceableOrCancelledUpdateChangesNoPluginFolder) {
    emulators(true);
    const std::string whole = BuildZip({TestEntry("gpuPete.dll", std::string(5000, 'n'))});
    downloads.serve("http://h/pete.zip", whole.substr(0, whole.size() / 2));
    start();
    checkAndQuery();
    EXPECT_EQ(user.last().title, "Could Not Download Plugin Updates");
    EXPECT_EQ(files.contents("C:\\a\\plugin\\gpuPete.dll"), "old");
    EXPECT_FALSE(files.exists("C:\\TEMP\\ocvxpupdate.zip"));

    downloads.serve("http://h/pete.zip", BuildZip({TestEntry("gpuPete.dll", "new"), TestEntry("..\\evil.dll", "x")}));
    checkAndQuery();
    EXPECT_EQ(user.last().title, "Could Not Download Plugin Updates");
    EXPECT_FALSE(files.exists("C:\\a\\evil.dll"));

    downloads.serve("http://h/pete.zip", BuildZip({TestEntry("gpuPete.dll", "new"), TestEntry("spuPete.dll", "spu")}));
    files.addFile("C:\\a\\plugin\\spuPete.dll", "old spu");
    files.makeReadOnly("C:\\a\\plugin\\spuPete.dll");
    checkAndQuery();
    EXPECT_EQ(user.last().title, "Could Not Install Plugin Update");
    EXPECT_EQ(user.last().text, "Corvane could not replace the files of Pete GPU in C:\\a\\plugin\\.");
    EXPECT_EQ(files.contents("C:\\a\\plugin\\gpuPete.dll"), "old") << "what was moved is put back";
    EXPECT_EQ(files.contents("C:\\a\\plugin\\spuPete.dll"), "old spu");
    EXPECT_TRUE(files.find("C:\\Corvane\\Backups\\*-*").empty()) << "nothing to undo";

    const std::size_t boxes = user.boxes.size();
    ASSERT_TRUE(updates().check(false));
    downloads.whileDownloading = [this] { updates().cancel(); };
    updates().query();
    EXPECT_EQ(user.boxes.size(), boxes + 1) << "the question alone";
    EXPECT_EQ(user.progressed.back(), "Idle 0/2");
    EXPECT_TRUE(logHas("Plugin update cancelled"));
    EXPECT_EQ(files.contents("C:\\a\\plugin\\gpuPete.dll"), "old");
}

TEST_F(UpdateCommandsTest, NothingLeftOverIsInstalledAndWhatWasInstalledBeforeAFailureIsListed) {
    emulators(true);
    files.addFile("C:\\a\\plugin\\gpuPete.dll.corvane-old", "held by an emulator");
    files.addFile("C:\\b\\plugin\\gpuPete.dll.corvane-old", "held by an emulator");
    files.addFile("C:\\a\\plugin\\~corvane-update\\evil.dll", "left by a run that ended early");
    downloads.serve(kN64List, "Jabo_Di_new.dll\tJabo\t1.6\t2031-02-01\thttp://h/gone.zip\r\n");
    downloads.serve("http://h/pete.zip", BuildZip({TestEntry("gpuPete.dll", "new plug-in")}));
    start();
    EXPECT_FALSE(files.exists("C:\\a\\plugin\\gpuPete.dll.corvane-old")) << "the scan's folder";
    session.selectEmulator(3, EmuSystem::PSX);
    checkAndQuery();
    EXPECT_EQ(files.contents("C:\\b\\plugin\\gpuPete.dll"), "new plug-in");
    EXPECT_FALSE(files.exists("C:\\b\\plugin\\gpuPete.dll.corvane-old")) << "every folder written to";
    EXPECT_FALSE(files.exists("C:\\a\\plugin\\evil.dll"));
    EXPECT_FALSE(files.exists("C:\\a\\plugin\\~corvane-update"));
    EXPECT_EQ(user.last().title, "Could Not Download Plugin Updates") << "the N64 update";
    EXPECT_TRUE(logHas("Refreshing current plugin set...")) << "the PSX update is listed";
}

TEST_F(UpdateCommandsTest, AnAcceptedUpdateIsInstalledInEveryEmulatorOfTheSystemOnlyWhenItsDigestMatches) {
    emulators(true);
    const std::string archive = BuildZip({TestEntry("gpuPete.dll", "new plug-in")});
    downloads.serve("http://h/pete.zip", archive);
    const std::string digest = *digests.sha256(archive);
    start();
    downloads.serve(kList, std::string(kPeteLine) + "\tsha256:" + std::string(64, '0') + "\r\n");
    checkAndQuery();
    EXPECT_EQ(user.last().title, "Could Not Download Plugin Updates");
    EXPECT_EQ(user.last().text, "Corvane encountered an error while attempting to download the plugin updates.\r\n"
                                "The checksum of pete.zip (gpuPete.dll) did not match the update list.");
    EXPECT_EQ(files.contents("C:\\a\\plugin\\gpuPete.dll"), "old");
    EXPECT_FALSE(files.exists("C:\\Corvane\\Backups")) << "nothing written";

    downloads.serve(kList, std::string(kPeteLine) + "\tsha256:" + digest + "\r\n");
    checkAndQuery();
    EXPECT_EQ(files.contents("C:\\a\\plugin\\gpuPete.dll"), "new plug-in");
    EXPECT_EQ(files.contents("C:\\b\\plugin\\gpuPete.dll"), "new plug-in") << "distributed";
    EXPECT_FALSE(files.exists("C:\\n\\plugin\\gpuPete.dll")) << "never an N64 emulator's folder";
    EXPECT_FALSE(files.exists("C:\\TEMP\\ocvxpupdate.zip")) << "the download goes";
    EXPECT_FALSE(files.exists("C:\\a\\plugin\\~corvane-update")) << "no staging left";
    EXPECT_EQ(user.progressed.back(), "Plugins updated... 2/2");
    EXPECT_TRUE(logHas("Refreshing current plugin set..."));
    EXPECT_FALSE(logHas("Plugin update http://h/pete.zip not verified: the update list gives no checksum"));
    downloads.serve(kList, std::string(kPeteLine) + "\r\n");
    checkAndQuery();
    EXPECT_TRUE(logHas("Plugin update http://h/pete.zip not verified: the update list gives no checksum"));
}

TEST_F(UpdateCommandsTest, TheLastUpdateIsUndoneByteForByteAndFiveAreKept) {
    emulators(false);
    downloads.serve("http://h/pete.zip",
                    BuildZip({TestEntry("gpuPete.dll", "new plug-in"), TestEntry("gpuPete.cfg", "added")}));
    start();
    for (int run = 0; run < 6; ++run) {
        files.addFile("C:\\a\\plugin\\gpuPete.dll", "old " + std::to_string(run), 0);
        files.deleteFile("C:\\a\\plugin\\gpuPete.cfg");
        session.refresh({EmuSystem::PSX});
        checkAndQuery();
    }
    EXPECT_EQ(files.find("C:\\Corvane\\Backups\\*").size(), 5u) << "the last five";
    EXPECT_FALSE(files.exists("C:\\b\\plugin\\gpuPete.dll")) << "not distributed";

    user.answers = {false};
    updates().undoLast();
    EXPECT_EQ(user.last().text, "Undo the last plugin update?\r\n\r\nThese files are put back as they were before "
                                "it:\r\nC:\\a\\plugin\\gpuPete.dll\r\n\r\nThese files, which it added, are "
                                "removed:\r\nC:\\a\\plugin\\gpuPete.cfg");
    EXPECT_EQ(files.contents("C:\\a\\plugin\\gpuPete.dll"), "new plug-in") << "No";
    updates().undoLast();
    EXPECT_EQ(files.contents("C:\\a\\plugin\\gpuPete.dll"), "old 5");
    EXPECT_FALSE(files.exists("C:\\a\\plugin\\gpuPete.cfg"));
    EXPECT_EQ(files.find("C:\\Corvane\\Backups\\*").size(), 4u);
    EXPECT_TRUE(logHas("Refreshing current plugin set...", 13)) << "six runs, six refreshes, the undo";
    updates().undoLast();
    EXPECT_EQ(files.contents("C:\\a\\plugin\\gpuPete.dll"), "old 4") << "the one before";
}
}  // namespace
