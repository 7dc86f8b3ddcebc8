// clsUnzip over the engine: listing, options, events and codes, against
// archives built by the tests.
#include <cstddef>

#include "app/Helpers.h"
#include "files/ZipCrypto.h"
#include "files/ZipFixture.h"
#include "files/modUnzip.h"

namespace {
using Unzip = ZipFixture;

TEST_F(Unzip, ListsEntriesWithFolderSizesDateMethodAndCrc) {
    TestEntry stored{"dir/sub/file.dll", std::string(1000, 'x')};
    stored.deflate = false;
    TestEntry encrypted{"secret.dll", "abc"};
    encrypted.password = "pw";
    // Behind a self-extractor's program.
    store(BuildZip({{"readme.txt", std::string(1000, 'r')}, stored, {"dir/", ""}, encrypted}, std::string(4096, 'M')));
    unzip.ZipFile(kArchive);
    unzip.Directory();
    ASSERT_EQ(unzip.FileCount(), 3) << "folder entries are not listed";
    EXPECT_EQ(unzip.filename(1), "readme.txt");
    EXPECT_EQ(unzip.FileDirectory(1), "");
    EXPECT_EQ(unzip.FileSize(1), 1000u);
    EXPECT_EQ(unzip.FilePackedSize(1), Deflate(std::string(1000, 'r')).size());
    EXPECT_EQ(unzip.FileCompressionRatio(1), 99);
    EXPECT_EQ(unzip.FileCompressionMethod(1), "Defl:N");
    EXPECT_EQ(unzip.FileCRC(1), Crc32(std::string(1000, 'r')));
    const DateTime date = unzip.FileDate(1);
    EXPECT_EQ((std::vector<int>{date.year, date.month, date.day, date.hour, date.minute, date.second}),
              (std::vector<int>{2024, 3, 15, 10, 30, 0}));
    EXPECT_EQ(unzip.filename(2), "file.dll");
    EXPECT_EQ(unzip.FileDirectory(2), "dir\\sub");
    EXPECT_EQ(unzip.FileCompressionMethod(2), "Stored");
    EXPECT_EQ(unzip.FileCompressionRatio(2), 0);
    EXPECT_TRUE(unzip.FileEncrypted(3));
    EXPECT_FALSE(unzip.FileEncrypted(1));
    EXPECT_TRUE(unzip.FileSelected(2));
    EXPECT_THROW(unzip.filename(0), std::out_of_range);
    EXPECT_THROW(unzip.FileSize(4), std::out_of_range);

    unzip.Directory();
    EXPECT_EQ(unzip.FileCount(), 6) << "listing again appends";
    unzip.ZipFile(kArchive);
    EXPECT_EQ(unzip.FileCount(), 0) << "setting ZipFile empties the list";
}

TEST_F(Unzip, ExtractsStoredDeflatedDescribedZip64AndUtf8EntriesWithTheirTimes) {
    TestEntry stored{"Stored.dll", "plain bytes"};
    stored.deflate = false;
    TestEntry described{"sub/desc.dll", std::string(3000, 'd')};
    described.dataDescriptor = true;
    TestEntry big{"sub/deeper/z64.dll", "zip64 sized"};
    big.zip64 = true;
    TestEntry unicode{"\xC3\xA9t\xC3\xA9.txt", "utf8"};
    unicode.utf8 = true;
    // Days the month lacks end on its last day: the system sets no file
    // time on a date that does not exist.
    TestEntry february{"february.dll"}, leapYear{"leap.dll"}, april{"april.dll"};
    february.dosDate = (2023 - 1980) << 9 | 2 << 5 | 30;
    leapYear.dosDate = (2024 - 1980) << 9 | 2 << 5 | 31;
    april.dosDate = (2024 - 1980) << 9 | 4 << 5 | 31;
    EXPECT_EQ(extract(BuildZip({stored, described, big, unicode, {"caf\x82.txt", "437"}, february, leapYear, april},
                               std::string(4096, 'M'), true)),
              0) << "a ZIP64 end behind a self-extractor's program, into a folder not there yet";
    EXPECT_TRUE(unzip.Unzip());
    EXPECT_EQ(at("Stored.dll"), "plain bytes");
    EXPECT_EQ(at("sub\\desc.dll"), std::string(3000, 'd'));
    EXPECT_EQ(at("sub\\deeper\\z64.dll"), "zip64 sized");
    EXPECT_EQ(at("\xC3\xA9t\xC3\xA9.txt"), "utf8");
    EXPECT_EQ(at("caf\xC3\xA9.txt"), "437");
    const auto writtenDate = [&](const std::string& name) {
        const auto found = files.find(std::string(kFolder) + "\\" + name);
        const auto date = found.size() == 1 ? FileTimeToDate(found[0].lastWriteTime) : std::nullopt;
        return date ? std::vector<int>{date->year, date->month, date->day, date->hour, date->minute, date->second}
                    : std::vector<int>{};
    };
    EXPECT_EQ(writtenDate("Stored.dll"), (std::vector<int>{2024, 3, 15, 10, 30, 16}));
    EXPECT_EQ(writtenDate("february.dll"), (std::vector<int>{2023, 2, 28, 10, 30, 16}));
    EXPECT_EQ(writtenDate("leap.dll"), (std::vector<int>{2024, 2, 29, 10, 30, 16}));
    EXPECT_EQ(writtenDate("april.dll"), (std::vector<int>{2024, 4, 30, 10, 30, 16}));
}

TEST_F(Unzip, SelectionDecidesWhatIsExtracted) {
    store(BuildZip({{"dir/a.dll", "a"}, {"b.dll", "b"}, {"c.dll", "c"}}));
    unzip.ZipFile(kArchive);
    unzip.UnzipFolder(kFolder);
    unzip.Directory();
    unzip.FileSelected(1, false);
    unzip.FileSelected(2, false);
    unzip.FileSelected(3, false);
    EXPECT_TRUE(unzip.Unzip());
    EXPECT_TRUE(everything().empty()) << "listed, none selected: nothing";
    unzip.FileSelected(1, true);
    EXPECT_TRUE(unzip.Unzip());
    EXPECT_EQ(everything(), (std::vector<std::string>{"C:\\emu\\plugins\\dir", "C:\\emu\\plugins\\dir\\a.dll"}));

    unzip.ZipFile(kArchive);  // nothing listed: every entry
    EXPECT_TRUE(unzip.Unzip());
    EXPECT_EQ(at("c.dll"), "c");
}

TEST_F(Unzip, IncludeNamesFollowTheCaseOption) {
    store(BuildZip({{"Dir/A.dll", "a"}}));
    unzip.ZipFile(kArchive);
    unzip.UnzipFolder(kFolder);
    unzip.Directory();
    unzip.AddEntry({"other.dll", "dir", 1, 1, 0, {}, 0, "Stored", false, true});  // a name not in the archive
    unzip.FileSelected(1, false);
    EXPECT_FALSE(unzip.Unzip());
    EXPECT_EQ(unzip.ReturnCode(), 11);
    unzip.FileSelected(1, true);
    unzip.FileSelected(2, false);
    unzip.CaseSensitiveFileNames(false);
    EXPECT_TRUE(unzip.Unzip());
}

TEST_F(Unzip, FolderNamesSpacesAndLineEndOptions) {
    TestEntry text{"docs/read me.txt", "one\ntwo\r\nthree\n"};
    text.internalAttributes = 1;
    TestEntry binary{"bin/data.bin", "a\nb"};
    unzip.UseFolderNames(false);
    unzip.SpaceToUnderScore(true);
    unzip.ConvertCRToCRLF(true);
    EXPECT_EQ(extract(BuildZip({text, binary, {"empty/", ""}})), 0);
    EXPECT_EQ(at("read_me.txt"), "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(at("data.bin"), "a\nb") << "only text entries are converted";
    EXPECT_FALSE(has("docs") || has("empty"));
}

TEST_F(Unzip, TestOnlyChecksWithoutWriting) {
    TestEntry bad{"bad.dll", "x"};
    bad.crc = 7;
    unzip.TestZip(true);
    EXPECT_EQ(extract(BuildZip({{"good.dll", "fine"}, bad})), 2);
    EXPECT_FALSE(files.exists(kFolder));
    EXPECT_EQ(lines, std::vector<std::string>{"bad.dll: its CRC does not match"});
}

TEST_F(Unzip, ExistingFilesFollowOverwriteNewerAndPromptAnswers) {
    const std::string target = std::string(kFolder) + "\\gpu.dll";
    const std::string zip = BuildZip({{"gpu.dll", "new"}, {"spu.dll", "new"}, {"cdr.dll", "new"}});
    const auto reset = [&] {
        for (const char* name : {"gpu.dll", "spu.dll", "cdr.dll"}) files.addFile(std::string(kFolder) + "\\" + name, "old");
        unzip.ZipFile("");
    };
    reset();
    unzip.OverwriteExisting(false);
    EXPECT_EQ(extract(zip), 0);
    EXPECT_EQ(at("gpu.dll"), "old") << "no overwrite, no prompt: kept";

    std::vector<std::string> asked;
    unzip.PromptToOverwrite(true);
    reset();
    EXPECT_EQ(extract(zip), 0);
    EXPECT_EQ(at("gpu.dll"), "old") << "nobody listening: 100 keeps the file";

    std::vector<std::int32_t> answers{102, 100, 100};
    unzip.OverwritePrompt = [&](const std::string& file, std::int32_t& response) {
        EXPECT_EQ(response, 100);
        asked.push_back(file);
        response = answers[asked.size() - 1];
    };
    reset();
    extract(zip);
    EXPECT_EQ(asked, (std::vector<std::string>{target, std::string(kFolder) + "\\spu.dll",
                                               std::string(kFolder) + "\\cdr.dll"}));
    EXPECT_EQ(at("gpu.dll") + at("spu.dll") + at("cdr.dll"), "newoldold");

    for (const auto& [answer, expected] : {std::pair{103, "newnewnew"}, std::pair{104, "oldoldold"}}) {
        asked.clear();
        answers = {answer};
        reset();
        extract(zip);
        EXPECT_EQ(asked.size(), 1u) << "all / none ask once";
        EXPECT_EQ(at("gpu.dll") + at("spu.dll") + at("cdr.dll"), expected);
    }

    unzip.PromptToOverwrite(false);
    unzip.OverwriteExisting(true);
    unzip.ExtractOnlyNewer(true);
    reset();
    files.addFile(target, "newer on disk", 160000000000000000ull);  // in 2108
    extract(zip);
    EXPECT_EQ(at("gpu.dll"), "newer on disk");
    EXPECT_EQ(at("spu.dll"), "new") << "older file on disk";
}

TEST_F(Unzip, PasswordsAreAskedUntilRefusedAndTheCrcCatchesAWrongOne) {
    TestEntry first{"one.dll", std::string(400, '1')}, second{"two.dll", std::string(400, '2')};
    first.password = second.password = "secret";
    second.dataDescriptor = true;
    const std::string zip = BuildZip({first, second});
    int asked = 0;
    unzip.PasswordRequest = [&](std::string& password, bool&) {
        ++asked;
        password = "  secret  ";
    };
    EXPECT_EQ(extract(zip), 0);
    EXPECT_EQ(asked, 1) << "the password is kept for the next entry";
    EXPECT_EQ(at("two.dll"), std::string(400, '2'));

    asked = 0;
    unzip.PasswordRequest = [&](std::string&, bool& cancel) {
        ++asked;
        cancel = true;
    };
    unzip.ZipFile("");
    files.deleteFile(std::string(kFolder) + "\\one.dll");
    files.deleteFile(std::string(kFolder) + "\\two.dll");
    EXPECT_EQ(extract(zip), 82);
    EXPECT_EQ(asked, 1) << "after a refusal no further prompt in the run";
    EXPECT_FALSE(has("one.dll"));

    unzip.PasswordRequest = [&](std::string& password, bool&) { password = "wrong"; };
    unzip.ZipFile("");
    EXPECT_EQ(extract(BuildZip({first, {"plain.dll", "p"}})), 1) << "a wrong password, another entry done";

    TestEntry longPassword{"long.dll", "l"};
    longPassword.password = std::string(254, 'p');
    unzip.PasswordRequest = [&](std::string& password, bool&) { password = std::string(300, 'p'); };
    unzip.ZipFile("");
    EXPECT_EQ(extract(BuildZip({longPassword})), 0) << "the password is cut to 254 bytes";
    EXPECT_EQ(at("long.dll"), "l");
}

TEST_F(Unzip, WrongPasswordPassingTheHeaderCheckIsCaughtByTheCrc) {
    TestEntry entry{"one.dll", std::string(400, '1')};
    entry.password = "right";
    const std::string zip = BuildZip({entry});
    // Find a wrong password whose header check byte matches by chance.
    std::string wrong;
    for (int i = 0; wrong.empty(); ++i) {
        TraditionalCipher cipher("w" + std::to_string(i));
        std::string header = zip.substr(30 + 7, 12);
        cipher.decrypt(reinterpret_cast<unsigned char*>(header.data()), header.size());
        if (static_cast<unsigned char>(header[11]) == Crc32(entry.data) >> 24) wrong = "w" + std::to_string(i);
    }
    unzip.PasswordRequest = [&](std::string& password, bool&) { password = wrong; };
    EXPECT_EQ(extract(zip), 82);
    EXPECT_FALSE(has("one.dll"));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "one.dll: the password is wrong or its data are damaged");
}

TEST_F(Unzip, CancelStopsTheRunAndHandlersThatThrowAreContained) {
    const std::string zip = BuildZip({{"a.dll", "a"}, {"b.dll", "b"}});
    std::vector<std::string> seen;
    unzip.Cancel = [&](const std::string& name, bool& cancel) {
        EXPECT_FALSE(cancel);
        seen.push_back(name);
        cancel = name == "b.dll";
    };
    EXPECT_EQ(extract(zip), 80);
    EXPECT_EQ(seen, (std::vector<std::string>{"a.dll", "b.dll"}));
    EXPECT_TRUE(has("a.dll"));
    EXPECT_FALSE(has("b.dll"));

    unzip.Cancel = [](const std::string&, bool&) { throw std::runtime_error("handler failed"); };
    unzip.Progress = [](std::int32_t, const std::string&) { throw std::runtime_error("handler failed"); };
    unzip.ZipFile("");
    EXPECT_EQ(extract(BuildZip({{"../x", "x"}, {"c.dll", "c"}})), 1);
    EXPECT_TRUE(has("c.dll"));
}

TEST_F(Unzip, UnsupportedMethodsAreNamed) {
    TestEntry bzip{"b.dll", "x"};
    bzip.method = 12;
    EXPECT_EQ(extract(BuildZip({bzip})), 81);
    EXPECT_EQ(lines.back(), "b.dll: its compression method BZip2 is not supported");
}
}  // namespace
