// Archives that try to write outside the destination, lie about their data
// or are broken: each is refused with its reason and code, never a crash.
#include "files/ZipFixture.h"
#include "files/ZipNames.h"

namespace {
using Hostile = ZipFixture;

TEST(ZipNames, RefusesEveryNameWindowsWouldMisread) {
    const char* refused[] = {"/abs.dll", "\\abs.dll", "C:evil.dll", "c:/evil.dll", "\\\\server\\share\\x.dll",
                             "//server/share/x.dll", "\\\\?\\C:\\x.dll", "//./pipe/x", "../x.dll",
                             "a/../../x.dll", "a\\..\\x.dll", "a/b:stream", "a<b.dll", "a|b", "a?b", "a*b",
                             "a\"b", "tab\there", "del\x7f", "dot./x.dll", "x.dll.", "blank /x.dll", "x.dll ",
                             "CON", "con.txt", "sub/Nul.dll", "aux", "PRN.x.y", "COM1", "lpt9.dll", "COM\xC2\xB9",
                             "lpt\xC2\xB3.txt", "CONIN$", "conout$.log", "a//b.dll", ""};
    for (const char* name : refused) EXPECT_NE(RefusalOfName(name), "") << name;
    const char* accepted[] = {"gpu.dll", "dir/sub/file.dll", "dir\\file.dll", "folder/", "console.dll", "COM10.dll",
                              "lpt.dll", "auxiliary/x", ".hidden", "a.b.c", "\xC3\xA9t\xC3\xA9.txt", "COMx"};
    for (const char* name : accepted) EXPECT_EQ(RefusalOfName(name), "") << name;
}

TEST_F(Hostile, RefusedEntriesAreReportedAndSkippedWhileTheRestExtracts) {
    const int code = extract(BuildZip({{"../escape.dll", "x"},
                                       {"good.dll", "fine"},
                                       {"sub/CON.txt", "x"},
                                       {"C:/windows/evil.dll", "x"},
                                       {"two\nlines.dll", "x"}}));
    EXPECT_EQ(code, 1);
    EXPECT_EQ(at("good.dll"), "fine");
    EXPECT_EQ(lines, (std::vector<std::string>{"..\\escape.dll: it has a parent-folder component",
                                                "sub\\CON.txt: it names a device",
                                                "C:\\windows\\evil.dll: it carries a drive",
                                                "two?lines.dll: it contains a control character"}));
    EXPECT_FALSE(files.exists("C:\\emu\\escape.dll"));
    EXPECT_FALSE(files.exists("C:\\windows\\evil.dll"));
    EXPECT_EQ(everything(), (std::vector<std::string>{"C:\\emu\\plugins\\good.dll"})) << "no folder for CON";
}

TEST_F(Hostile, Utf8NamesHidingACharacterAreRefusedAndBrokenOnesReadAs437) {
    std::vector<TestEntry> entries;
    for (const char* name : {"\xC0\xAE\xC0\xAE/up.dll", "a\xE0\x80\xAF" "b.dll", "\xED\xA0\x80.dll",
                             "\xF4\x90\x80\x80.dll", "ok\xC3\xA9.dll", "bad\xC3.dll"}) {
        entries.emplace_back(name, "x");  // overlong "..", overlong "/", a surrogate, past U+10FFFF, fine, cut short
        entries.back().utf8 = true;
    }
    EXPECT_EQ(extract(BuildZip(entries)), 1);
    ASSERT_EQ(lines.size(), 4u);
    for (const auto& line : lines) EXPECT_NE(line.find(": its UTF-8 name disguises a character"), std::string::npos);
    EXPECT_EQ(everything(), (std::vector<std::string>{"C:\\emu\\plugins\\bad\xE2\x94\x9C.dll",
                                                      "C:\\emu\\plugins\\ok\xC3\xA9.dll"}));
}

TEST_F(Hostile, SymbolicLinksFromUnixOrWindowsAreRefused) {
    TestEntry unixLink{"link.dll", "/etc/passwd"};
    unixLink.versionMadeBy = 3 << 8;
    unixLink.externalAttributes = 0120777u << 16;
    TestEntry windowsLink{"junction", ""};
    windowsLink.externalAttributes = 0x410;
    EXPECT_EQ(extract(BuildZip({unixLink, windowsLink})), 1);
    EXPECT_FALSE(has("link.dll"));
    EXPECT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "link.dll: it is a symbolic link");
}

TEST_F(Hostile, NothingIsWrittenThroughALinkInsideTheDestination) {
    files.addDirectory(kFolder);
    extraction.addLink(std::string(kFolder) + "\\linked");
    extraction.addLink(std::string(kFolder) + "\\target.dll");
    EXPECT_EQ(extract(BuildZip({{"linked/gpu.dll", "x"}, {"target.dll", "x"}})), 1);
    EXPECT_EQ(lines, (std::vector<std::string>{"linked\\gpu.dll: a folder on its path is a link",
                                                "target.dll: its target is a link"}));
    EXPECT_FALSE(has("linked\\gpu.dll"));
    EXPECT_EQ(at("target.dll"), "");
}

TEST_F(Hostile, LocalNameOverlapsAndDataOutsideTheArchiveAreFormatErrors) {
    TestEntry renamed{"plain.dll", "x"};
    renamed.localName = "../evil.dll";
    EXPECT_EQ(extract(BuildZip({renamed})), 2);
    EXPECT_EQ(lines.back(), "plain.dll: its local name differs from the central one");

    TestEntry first{"a.dll", "same"}, second{"b.dll", "same"};
    second.localOffset = 0;  // points at a.dll's header and data
    lines.clear();
    unzip.ZipFile("");
    EXPECT_EQ(extract(BuildZip({first, second})), 2);
    EXPECT_FALSE(has("a.dll") || has("b.dll"));
    EXPECT_EQ(lines.size(), 2u);

    TestEntry beyond{"far.dll", "x"};
    beyond.localOffset = 0x7FFFFFF0;
    lines.clear();
    EXPECT_EQ(extract(BuildZip({beyond})), 2);
    EXPECT_EQ(lines.back(), "far.dll: its local header lies outside the archive or is missing");
}

TEST_F(Hostile, Zip64OffsetsThatWrapPastTheTopPointNowhere) {
    // Behind a self-extractor's program that holds a header of its own, an
    // offset that would wrap round to it once shifted past the program.
    const std::string program = BuildZip({{"z64.dll", "smuggled"}});
    TestEntry wrapping{"z64.dll", "smuggled"};
    wrapping.zip64 = true;
    wrapping.localOffset = 0 - static_cast<std::uint64_t>(program.size());
    EXPECT_EQ(extract(BuildZip({wrapping}, program)), 2);
    EXPECT_EQ(lines, std::vector<std::string>{"z64.dll: its local header lies outside the archive or is missing"});
    EXPECT_FALSE(has("z64.dll"));
}

TEST_F(Hostile, DeclaredSizesAndCrcAreNeverTrusted) {
    const std::string data(5000, 'a');
    TestEntry shortSize{"short.dll", data}, longSize{"long.dll", data}, badCrc{"crc.dll", data},
        storedLie{"stored.dll", data};
    shortSize.size = 100;
    longSize.size = 6000;
    badCrc.crc = 0x12345678;
    storedLie.deflate = false;
    storedLie.size = 10;
    EXPECT_EQ(extract(BuildZip({shortSize, longSize, badCrc, storedLie})), 2);
    EXPECT_EQ(lines, (std::vector<std::string>{"short.dll: it yields more than its declared size",
                                                "long.dll: it yields less than its declared size",
                                                "crc.dll: its CRC does not match",
                                                "stored.dll: it yields more than its declared size"}));
    EXPECT_TRUE(everything().empty()) << "no file and no temporary file left";
}

TEST_F(Hostile, AnExistingPluginSurvivesABadEntryAndAFailedWrite) {
    files.addFile(std::string(kFolder) + "\\gpu.dll", "working plug-in", 42);
    TestEntry broken{"gpu.dll", "new plug-in"};
    broken.crc = 1;
    EXPECT_EQ(extract(BuildZip({broken})), 2);
    EXPECT_EQ(at("gpu.dll"), "working plug-in");

    unzip.ZipFile("");
    extraction.failNextWrite();
    EXPECT_EQ(extract(BuildZip({{"gpu.dll", "new plug-in"}})), 50);
    EXPECT_EQ(at("gpu.dll"), "working plug-in");
    EXPECT_EQ(everything().size(), 1u);
}

TEST_F(Hostile, CutAndDamagedStreamsAreRejected) {
    const std::string data(20000, 'q');
    TestEntry damaged{"damaged.dll", data};
    std::string zip = BuildZip({damaged});
    zip[40] = static_cast<char>(zip[40] ^ 0xFF);  // inside the deflate stream
    EXPECT_GE(extract(zip), 2);
    EXPECT_FALSE(has("damaged.dll"));

    TestEntry cut{"cut.dll", "0123456789abcdef0123456789"};
    cut.deflate = false;
    cut.method = 8;  // stored bytes declared as deflated
    lines.clear();
    unzip.ZipFile("");
    EXPECT_EQ(extract(BuildZip({cut})), 2);
    EXPECT_FALSE(has("cut.dll"));
}

TEST_F(Hostile, ArchivesCutAtEveryOffsetGiveACodeNeverACrash) {
    TestEntry encrypted{"enc.dll", std::string(300, 'e')};
    encrypted.password = "pw";
    TestEntry described{"sub/desc.dll", std::string(700, 'd')};
    described.dataDescriptor = true;
    const std::string zip = BuildZip({{"a.dll", std::string(500, 'a')}, described, encrypted});
    unzip.PasswordRequest = [](std::string& password, bool&) { password = "pw"; };
    for (std::size_t length = 0; length < zip.size(); ++length) {
        files.addFile(kArchive, zip.substr(0, length));
        unzip.ZipFile(kArchive);
        unzip.Directory();
        const int listed = unzip.ReturnCode();
        EXPECT_NE(listed, 0) << length;
        unzip.Unzip();
        EXPECT_NE(unzip.ReturnCode(), 0) << length;
    }
    for (std::size_t at = 0; at < zip.size(); ++at) {  // one byte flipped anywhere
        std::string flipped = zip;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x55);
        files.addFile(kArchive, flipped);
        unzip.ZipFile(kArchive);
        unzip.Directory();
        unzip.Unzip();
        EXPECT_LE(unzip.ReturnCode(), 82) << at;
    }
}

TEST_F(Hostile, CapsOnSizeExpansionRunAndEntryCount) {
    TestEntry huge{"huge.dll", "x"};
    huge.size = 257u * 1024 * 1024;
    EXPECT_EQ(extract(BuildZip({huge})), 1);
    EXPECT_EQ(lines.back(), "huge.dll: it is larger than 256 MiB");

    const std::string zeros(3 * 1024 * 1024, '\0');  // deflates far past 100:1
    lines.clear();
    unzip.ZipFile("");
    EXPECT_EQ(extract(BuildZip({{"bomb.dll", zeros}})), 2);
    EXPECT_EQ(lines.back(), "bomb.dll: it expands more than 100 to 1");
    EXPECT_FALSE(has("bomb.dll"));

    const std::string small(512 * 1024, '\0');  // the first MiB may expand freely
    unzip.ZipFile("");
    EXPECT_EQ(extract(BuildZip({{"sparse.dll", small}})), 0);

    // The first MiB of each entry expands freely: 1 KB entries that yield
    // 1 MiB of zeros and fail their CRC count against the run's 1 GiB too.
    const std::string packedMiB = Deflate(std::string(1024 * 1024, '\0'));
    std::vector<TestEntry> failing;
    for (int i = 0; i < 1026; ++i) {
        failing.emplace_back("bad" + std::to_string(i) + ".dll");
        failing.back().packedData = packedMiB;
        failing.back().size = 1024 * 1024;
        failing.back().crc = 1;
    }
    lines.clear();
    unzip.ZipFile("");
    unzip.TestZip(true);  // checked as the update checks first, for speed
    EXPECT_EQ(extract(BuildZip(failing)), 2);
    ASSERT_EQ(lines.size(), 1026u);
    EXPECT_EQ(lines[1023], "bad1023.dll: its CRC does not match");
    EXPECT_EQ(lines[1024], "bad1024.dll: the run would write more than 1 GiB");
    unzip.TestZip(false);

    std::string tooMany = BuildZip({{"a.dll", "a"}});
    tooMany[tooMany.size() - 12] = '\xFF';  // the end record's entry count: 65,535 + 1 cannot be said in
    tooMany[tooMany.size() - 11] = '\xFF';  // 16 bits, so 65,535 entries that are not there break the directory
    unzip.ZipFile("");
    EXPECT_EQ(extract(tooMany), 3);
}

TEST_F(Hostile, FieldsRunningPastTheirRecordBreakTheDirectory) {
    std::string longName = BuildZip({{"a.dll", "a"}});
    const std::size_t central = longName.find("PK\x01\x02");
    longName[central + 28] = '\x7F';  // the name's length runs past the directory
    EXPECT_EQ(extract(longName), 3);
    EXPECT_EQ(lines.back(), std::string(kArchive) + ": a directory record is broken or runs past its end");

    TestEntry big{"big.dll", "b"};
    big.zip64 = true;
    std::string shortExtra = BuildZip({big});
    const std::size_t extra = shortExtra.find(std::string("\x01\x00\x18\x00", 4));
    shortExtra[extra + 2] = '\x10';  // two of the three 64-bit values the record needs
    unzip.ZipFile("");
    EXPECT_EQ(extract(shortExtra), 3);
    EXPECT_FALSE(has("big.dll"));
}

TEST_F(Hostile, NotAnArchiveMissingArchiveAndEmptyPathGiveTheirCodes) {
    EXPECT_EQ(extract("this is no zip archive at all, just text"), 9);
    unzip.ZipFile("C:\\missing.zip");
    unzip.Directory();
    EXPECT_EQ(unzip.ReturnCode(), 9);
    unzip.ZipFile("");
    EXPECT_FALSE(unzip.Unzip()) << "an empty ZipFile does nothing";
    EXPECT_EQ(unzip.ReturnCode(), 10);
}
}  // namespace
