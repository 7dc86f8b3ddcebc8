// Archives that try to write outside the destination, lie about their data
// or are broken: each is refused with its reason and code, never a crash.
#include <algorithm>

#include "app/Helpers.h"
#include "files/ZipFixture.h"
#include "files/ZipNames.h"

namespace {
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

class Hostile : public ZipFixture {
protected:
    static constexpr const char* kWorking = "C:\\emu\\plugins\\gpu.dll";
    Hostile() { files.addFile(kWorking, "working plug-in", 42); }
    // What each line says after the name.
    std::vector<std::string> reasons() const {
        std::vector<std::string> found;
        for (const auto& line : lines) found.push_back(line.substr(line.rfind(": ") + 2));
        return found;
    }
};

std::string Flipped(std::string bytes, std::size_t at) {
    bytes[at] = static_cast<char>(bytes[at] ^ 0xFF);
    return bytes;
}

TEST_F(Hostile, EachArchiveGivesItsCodeAndReasonsAndWritesOnlyWhatIsSound) {
    const std::string data(5000, 'a');
    const std::string program = BuildZip({{"z64.dll", "smuggled"}});  // a self-extractor's, holding a header
    std::string longName = BuildZip({{"a.dll", "a"}});
    longName[longName.find("PK\x01\x02") + 28] = '\x7F';  // the name's length runs past the directory
    std::string shortExtra = BuildZip({Changed({"big.dll", "b"}, [](TestEntry& e) { e.zip64 = true; })});
    shortExtra[shortExtra.find(std::string("\x01\x00\x18\x00", 4)) + 2] = '\x10';  // two of its three values
    std::string tooMany = BuildZip({{"a.dll", "a"}});
    // 65,535 + 1 cannot be said in 16 bits: 65,535 entries that are not there.
    tooMany[tooMany.size() - 12] = tooMany[tooMany.size() - 11] = '\xFF';
    const std::vector<TestEntry> utf8 = [] {
        std::vector<TestEntry> entries;  // overlong "..", overlong "/", a surrogate, past U+10FFFF, fine, cut short
        for (const char* name : {"\xC0\xAE\xC0\xAE/up.dll", "a\xE0\x80\xAF" "b.dll", "\xED\xA0\x80.dll",
                                 "\xF4\x90\x80\x80.dll", "ok\xC3\xA9.dll", "bad\xC3.dll"})
            entries.push_back(Changed({name, "x"}, [](TestEntry& e) { e.utf8 = true; }));
        return entries;
    }();
    const std::string disguised = "its UTF-8 name disguises a character",
                      outside = "its local header lies outside the archive or is missing",
                      broken = "a directory record is broken or runs past its end";
    const struct {
        const char* what;
        std::string zip;
        int code;
        std::vector<std::string> reasons, written;
    } cases[] = {
        {"names", BuildZip({{"../up.dll"}, {"good.dll", "fine"}, {"sub/CON.txt"}, {"C:/win/evil.dll"}, {"a\nb.dll"}}),
         1, {"it has a parent-folder component", "it names a device", "it carries a drive",
             "it contains a control character"}, {"good.dll"}},
        {"UTF-8", BuildZip(utf8), 1, {disguised, disguised, disguised, disguised},
         {"bad\xE2\x94\x9C.dll", "ok\xC3\xA9.dll"}},
        {"links", BuildZip({Changed({"link.dll", "/etc/passwd"}, [](TestEntry& e) {
                                e.versionMadeBy = 3 << 8;
                                e.externalAttributes = 0120777u << 16;
                            }),
                            Changed({"junction"}, [](TestEntry& e) { e.externalAttributes = 0x410; })}),
         1, {"it is a symbolic link", "it is a symbolic link"}, {}},
        {"local name", BuildZip({Changed({"plain.dll", "x"}, [](TestEntry& e) { e.localName = "../evil.dll"; })}), 2,
         {"its local name differs from the central one"}, {}},
        {"overlap", BuildZip({{"a.dll", "same"}, Changed({"b.dll", "same"}, [](TestEntry& e) { e.localOffset = 0; })}),
         2, {"its data overlap another entry's", "its local name differs from the central one"}, {}},
        {"far", BuildZip({Changed({"far.dll", "x"}, [](TestEntry& e) { e.localOffset = 0x7FFFFFF0; })}), 2,
         {outside}, {}},
        // Shifted past the program, the offset would wrap round to its header.
        {"wrapping", BuildZip({Changed({"z64.dll", "smuggled"}, [&](TestEntry& e) {
                                  e.zip64 = true;
                                  e.localOffset = 0 - program.size();
                              })}, program),
         2, {outside}, {}},
        {"lies", BuildZip({Changed({"short.dll", data}, [](TestEntry& e) { e.size = 100; }),
                           Changed({"long.dll", data}, [](TestEntry& e) { e.size = 6000; }),
                           Changed({"crc.dll", data}, [](TestEntry& e) { e.crc = 0x12345678; }),
                           Changed({"stored.dll", data}, [](TestEntry& e) { e.deflate = false; e.size = 10; }),
                           Changed({"gpu.dll", "new plug-in"}, [](TestEntry& e) { e.crc = 1; })}),
         2, {"it yields more than its declared size", "it yields less than its declared size",
             "its CRC does not match", "it yields more than its declared size", "its CRC does not match"}, {}},
        {"damaged", Flipped(BuildZip({{"damaged.dll", std::string(20000, 'q')}}), 60), 2,
         {"its compressed data end early"}, {}},
        {"not deflated",
         BuildZip({Changed({"cut.dll", "0123456789"}, [](TestEntry& e) { e.deflate = false; e.method = 8; })}), 2,
         {"its compressed data are damaged"}, {}},
        {"huge", BuildZip({Changed({"huge.dll", "x"}, [](TestEntry& e) { e.size = 257u << 20; })}), 1,
         {"it is larger than 256 MiB"}, {}},
        {"bomb", BuildZip({{"bomb.dll", std::string(3 << 20, '\0')}}), 2, {"it expands more than 100 to 1"}, {}},
        {"first MiB free", BuildZip({{"sparse.dll", std::string(512 << 10, '\0')}}), 0, {}, {"sparse.dll"}},
        {"BZip2", BuildZip({Changed({"b.dll", "x"}, [](TestEntry& e) { e.method = 12; })}), 81,
         {"its compression method BZip2 is not supported"}, {}},
        {"encrypted", BuildZip({Changed({"secret.dll", "x"}, [](TestEntry& e) { e.encrypted = true; })}), 81,
         {"it is encrypted"}, {}},
        {"too many", tooMany, 3, {broken}, {}},
        {"long name", longName, 3, {broken}, {}},
        {"short extra", shortExtra, 3, {broken}, {}},
        {"no zip", "this is no zip archive at all, just text", 9, {"no zip directory at its end"}, {}},
    };
    for (const auto& c : cases) {
        RemoveFolderTree(files, std::string(kFolder) + "\\");
        files.addFile(kWorking, "working plug-in", 42);
        EXPECT_EQ(extract(c.zip), c.code) << c.what;
        EXPECT_EQ(reasons(), c.reasons) << c.what;
        std::vector<std::string> written = c.written;
        written.insert(written.begin(), "gpu.dll");
        std::sort(written.begin(), written.end());
        EXPECT_EQ(everything(), written) << c.what << ": no other file, no temporary file";
        EXPECT_EQ(at("gpu.dll"), "working plug-in") << c.what;
        EXPECT_EQ(files.find("C:\\emu\\*").size(), 1u) << c.what << ": nothing beside the destination";
        EXPECT_FALSE(files.exists("C:\\win")) << c.what;
    }
}

TEST_F(Hostile, NothingIsWrittenThroughALinkOrLeftByAFailedWrite) {
    extraction.addLink(std::string(kFolder) + "\\linked");
    extraction.addLink(std::string(kFolder) + "\\target.dll");
    EXPECT_EQ(extract(BuildZip({{"linked/gpu.dll", "x"}, {"target.dll", "x"}})), 1);
    EXPECT_EQ(reasons(), (std::vector<std::string>{"a folder on its path is a link", "its target is a link"}));
    EXPECT_EQ(at("target.dll"), "");

    extraction.failNextWrite();
    EXPECT_EQ(extract(BuildZip({{"gpu.dll", "new plug-in"}})), 50);
    EXPECT_EQ(at("gpu.dll"), "working plug-in");
    EXPECT_EQ(everything(), (std::vector<std::string>{"gpu.dll", "linked", "target.dll"}));
    EXPECT_EQ(ExtractArchive(extraction, "", kFolder).code, 10) << "no archive named";
}

TEST_F(Hostile, ArchivesCutAtEveryOffsetOrWithAByteFlippedGiveACodeNeverACrash) {
    const std::string zip =
        BuildZip({{"a.dll", std::string(500, 'a')},
                  Changed({"sub/desc.dll", std::string(700, 'd')}, [](TestEntry& e) { e.dataDescriptor = true; }),
                  Changed({"stored.dll", std::string(300, 's')}, [](TestEntry& e) { e.deflate = false; })});
    for (std::size_t length = 0; length < zip.size(); ++length) EXPECT_NE(extract(zip.substr(0, length)), 0) << length;
    for (std::size_t at = 0; at < zip.size(); ++at) EXPECT_LE(extract(Flipped(zip, at)), 81) << at;
}

TEST_F(Hostile, TheRunStopsAt1GiBCountingWhatFailedEntriesYielded) {
    // The first MiB of each entry expands freely: 1 KB entries that yield
    // 1 MiB of zeros and fail their CRC count against the run's 1 GiB too.
    const std::string packedMiB = Deflate(std::string(1 << 20, '\0'));
    std::vector<TestEntry> failing;
    for (int i = 0; i < 1026; ++i)
        failing.push_back(Changed({"bad" + std::to_string(i) + ".dll"}, [&](TestEntry& e) {
            e.packedData = packedMiB;
            e.size = 1 << 20;
            e.crc = 1;
        }));
    EXPECT_EQ(extract(BuildZip(failing), true), 2) << "checked as the update checks first, for speed";
    ASSERT_EQ(lines.size(), 1026u);
    EXPECT_EQ(lines[1023], "bad1023.dll: its CRC does not match");
    EXPECT_EQ(lines[1024], "bad1024.dll: the run would write more than 1 GiB");
}
}  // namespace
