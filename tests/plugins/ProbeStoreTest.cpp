#include <gtest/gtest.h>

#include "doubles/FakeFileSystem.h"
#include "plugins/ProbeStore.h"

namespace {
const char* const kStoreFile = "C:\\Corvane\\plugincheck.dat";
const char* const kJournal = "C:\\Corvane\\plugincheck.journal";

StoredProbe Entry(const std::string& path, ProbeStatus status, const std::string& reason = "") {
    StoredProbe entry;
    entry.file = FileIdentity{path, 4096, 134774ull * 864000000000ull};
    entry.status = status;
    entry.reason = reason;
    entry.failedOn = DateTime{2026, 12, 5};
    if (status == ProbeStatus::Answered) entry.answer = ProbeAnswer{PluginKind::SND, "Audio \xe2\x99\xaa", ""};
    return entry;
}

class ProbeStoreTest : public ::testing::Test {
protected:
    ProbeStoreTest() { files.addDirectory("C:\\Corvane"); }
    // A store as the next run of the program reads it.
    ProbeStore reopened() {
        ProbeStore store(files, "C:\\Corvane");
        store.load();
        return store;
    }
    FakeFileSystem files;
};

TEST_F(ProbeStoreTest, EntriesComeBackFromTheSavedFileAndFromTheJournalOfARunThatEndedEarly) {
    {
        ProbeStore store = reopened();
        store.record(Entry("C:\\P\\audio.dll", ProbeStatus::Answered));
        store.record(Entry("C:\\P\\crash.dll", ProbeStatus::Failed, "crashed"));
        store.save();
        EXPECT_FALSE(files.exists(kJournal)) << "the saved file holds everything";
        store.record(Entry("C:\\P\\x86.dll", ProbeStatus::OtherArchitecture));
        store.record(Entry("C:\\P\\hang.dll", ProbeStatus::Failed, "no answer in 10 s"));
        store.record(Entry("C:\\P\\late.dll", ProbeStatus::Answered));
        // No save: the program ends here.
    }
    ProbeStore store = reopened();
    const StoredProbe* audio = store.find(Entry("C:\\p\\AUDIO.dll", ProbeStatus::Answered).file);
    ASSERT_TRUE(audio) << "paths compare without letter case";
    EXPECT_EQ(audio->answer.kind, PluginKind::SND);
    EXPECT_EQ(audio->answer.name, "Audio \xe2\x99\xaa");
    ASSERT_TRUE(store.find(Entry("C:\\P\\x86.dll", ProbeStatus::Answered).file));
    EXPECT_EQ(store.findPath("C:\\P\\x86.dll")->status, ProbeStatus::OtherArchitecture);
    EXPECT_TRUE(store.findPath("C:\\P\\late.dll")) << "every result reaches the journal at once";
    ASSERT_EQ(store.quarantined().size(), 2u);
    EXPECT_EQ(store.quarantined()[0].reason, "crashed");
    EXPECT_EQ(store.quarantined()[0].failedOn.day, 5);
    EXPECT_EQ(store.quarantined()[1].reason, "no answer in 10 s");

    for (std::uint64_t FileIdentity::*field : {&FileIdentity::size, &FileIdentity::written}) {
        FileIdentity changed = Entry("C:\\P\\audio.dll", ProbeStatus::Answered).file;
        ++(changed.*field);
        EXPECT_FALSE(store.find(changed)) << "a changed file is another file";
    }

    store.retry("C:\\P\\crash.dll");
    EXPECT_EQ(store.quarantined().size(), 1u);
    EXPECT_EQ(reopened().quarantined().size(), 1u) << "the retry is stored too";
    EXPECT_TRUE(reopened().findPath("C:\\P\\crash.dll")->everFailed());
}

TEST_F(ProbeStoreTest, DamagedForeignOrNewerFilesAreIgnoredAndRebuilt) {
    {
        ProbeStore store = reopened();
        store.record(Entry("C:\\P\\audio.dll", ProbeStatus::Answered));
        store.record(Entry("C:\\P\\crash.dll", ProbeStatus::Failed, "crashed"));
        store.save();
    }
    const std::string good = files.contents(kStoreFile);
    const auto replaced = [&good](const std::string& from, const std::string& to) {
        return std::string(good).replace(good.find(from), from.size(), to);
    };
    // Cut, foreign, empty, of a newer version, of another folder, with an
    // unknown kind or status, with more after its end.
    const std::string variants[] = {good.substr(0, good.size() - 6), good.substr(0, good.rfind("3:end")),
                                    std::string(300, '\x7f'), "", replaced("1:1", "1:2"),
                                    replaced("C:\\Corvane", "D:\\Corvane"), replaced("1:5", "1:9"),
                                    replaced("6:failed", "6:ruined"), good + "5:extra\n",
                                    good + std::string(64 << 20, '\n')};
    for (const std::string& bytes : variants) {
        files.addFile(kStoreFile, bytes);
        ProbeStore store(files, "C:\\Corvane");
        EXPECT_FALSE(store.load()) << "told, so the scan can log it";
        EXPECT_FALSE(store.findPath("C:\\P\\audio.dll")) << bytes.substr(0, 60);
        EXPECT_TRUE(store.quarantined().empty());
        store.record(Entry("C:\\P\\new.dll", ProbeStatus::Answered));
        store.save();
        EXPECT_TRUE(reopened().findPath("C:\\P\\new.dll")) << "rebuilt";
    }
    files.addFile(kStoreFile, good);
    files.addFile(kJournal, "garbage");
    EXPECT_TRUE(ProbeStore(files, "C:\\Corvane").load());
    EXPECT_TRUE(reopened().findPath("C:\\P\\audio.dll")) << "a damaged journal leaves the store alone";
}
}  // namespace
