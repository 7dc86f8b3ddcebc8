// What the zip engine extracts from sound archives, as the import runs it.
#include "app/Helpers.h"
#include "files/ZipFixture.h"

namespace {
using ZipEngine = ZipFixture;

TEST_F(ZipEngine, ExtractsEveryKindOfEntryWithItsTimeOnADateThatExists) {
    const auto dated = [](const char* name, int year, int month, int day) {
        return Changed({name}, [&](TestEntry& e) { e.dosDate = (year - 1980) << 9 | month << 5 | day; });
    };
    // Days the month lacks end on its last day: the system sets no file
    // time on a date that does not exist.
    const std::vector<TestEntry> entries{
        Changed({"Stored.dll", "plain bytes"}, [](TestEntry& e) { e.deflate = false; }),
        Changed({"sub/desc.dll", std::string(3000, 'd')}, [](TestEntry& e) { e.dataDescriptor = true; }),
        Changed({"sub/deeper/z64.dll", "zip64 sized"}, [](TestEntry& e) { e.zip64 = true; }),
        Changed({"\xC3\xA9t\xC3\xA9.txt", "utf8"}, [](TestEntry& e) { e.utf8 = true; }),
        {"caf\x82.txt", "437"}, {"empty/", ""},
        dated("february.dll", 2023, 2, 30), dated("leap.dll", 2024, 2, 31), dated("april.dll", 2024, 4, 31)};
    EXPECT_EQ(extract(BuildZip(entries, std::string(4096, 'M'), true)), 0)
        << "a ZIP64 end behind a self-extractor's program, into a folder not there yet";
    const std::pair<const char*, std::string> written[] = {
        {"Stored.dll", "plain bytes"}, {"sub\\desc.dll", std::string(3000, 'd')},
        {"sub\\deeper\\z64.dll", "zip64 sized"},
        {"\xC3\xA9t\xC3\xA9.txt", "utf8"}, {"caf\xC3\xA9.txt", "437"}};
    for (const auto& [name, bytes] : written) EXPECT_EQ(at(name), bytes) << name;
    EXPECT_TRUE(files.isDirectory(std::string(kFolder) + "\\empty"));
    const auto writtenDate = [&](const std::string& name) {
        const auto date = FileTimeToDate(files.find(std::string(kFolder) + "\\" + name).at(0).lastWriteTime);
        return std::vector<int>{date->year, date->month, date->day, date->hour, date->minute, date->second};
    };
    EXPECT_EQ(writtenDate("Stored.dll"), (std::vector<int>{2024, 3, 15, 10, 30, 16}));
    EXPECT_EQ(writtenDate("february.dll"), (std::vector<int>{2023, 2, 28, 10, 30, 16}));
    EXPECT_EQ(writtenDate("leap.dll"), (std::vector<int>{2024, 2, 29, 10, 30, 16}));
    EXPECT_EQ(writtenDate("april.dll"), (std::vector<int>{2024, 4, 30, 10, 30, 16}));
}

TEST_F(ZipEngine, TestOnlyReadsEveryEntryAndWritesNothing) {
    EXPECT_EQ(extract(BuildZip({{"good.dll", "fine"}, Changed({"bad.dll", "x"}, [](TestEntry& e) { e.crc = 7; })}),
                      true),
              2);
    EXPECT_FALSE(files.exists(kFolder));
    EXPECT_EQ(lines, std::vector<std::string>{"bad.dll: its CRC does not match"});
}
}  // namespace
