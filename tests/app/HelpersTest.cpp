#include "app/Helpers.h"

#include <gtest/gtest.h>

#include "app/Utf16.h"

#include "doubles/FakeClock.h"
#include "doubles/FakeFileSystem.h"
#include "doubles/FakeWindowServices.h"

namespace {
TEST(PathHelpers, QualifyParseAndSplit) {
    EXPECT_EQ(QualifyPath("C:\\Games"), "C:\\Games\\");
    EXPECT_EQ(QualifyPath("C:\\Games\\"), "C:\\Games\\");
    EXPECT_EQ(QualifyPath(""), "\\");

    EXPECT_EQ(ParseFileName("C:\\a\\b.dll"), "b.dll");
    EXPECT_EQ(ParsePath("C:\\a\\b.dll"), "C:\\a\\");
    EXPECT_EQ(ParseFileName("b.dll"), "b.dll");
    EXPECT_EQ(ParsePath("b.dll"), "");
    EXPECT_EQ(ParseFileName("C:\\a\\"), "");
    EXPECT_EQ(ParsePath("C:\\a\\"), "C:\\a\\");
}

TEST(PathHelpers, CentralFoldersLieInTheProgramFolder) {
    EXPECT_EQ(CentralFolder("C:\\Corvane", EmuSystem::PSX), "C:\\Corvane\\PSXPlugins");
    EXPECT_EQ(CentralFolder("C:\\", EmuSystem::N64), "C:\\N64Plugins");
}

TEST(StringHelpers, StripDelimitedItemKeepsTheDelimitersFirstCharacter) {
    std::string text = "a,b,c";
    EXPECT_EQ(StripDelimitedItem(text, ","), "a,");
    EXPECT_EQ(text, "b,c");
    EXPECT_EQ(StripDelimitedItem(text, ","), "b,");
    EXPECT_EQ(StripDelimitedItem(text, ","), "");
    EXPECT_EQ(text, "c");

    std::string pair = "name:=value";
    EXPECT_EQ(StripDelimitedItem(pair, ":="), "name:");
    EXPECT_EQ(pair, "=value");
    std::string none = "abc";
    EXPECT_EQ(StripDelimitedItem(none, ""), "");
    EXPECT_EQ(none, "abc");
}

TEST(StringHelpers, VersionLongUsesTheLowThreeBytes) {
    EXPECT_EQ(FormatVersionLong(0x00010600), "1.6.0");
    EXPECT_EQ(FormatVersionLong(0x00020105), "2.1.5");
    EXPECT_EQ(FormatVersionLong(0xFFFEFDFC), "254.253.252");
    EXPECT_EQ(FormatVersionLong(0), "0.0.0");
}

TEST(TextHelpers, Utf16ConversionsReplaceWhatCannotBeConvertedAndNothingMore) {
    const auto units = [](std::initializer_list<unsigned> list) {
        std::string bytes;
        for (const unsigned unit : list) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        return bytes;
    };
    const std::string replaced = "\xEF\xBF\xBD", face = "\xF0\x9F\x98\x80";
    EXPECT_EQ(Utf16ToUtf8(units({0xD83D, 0xDE00, 'A'})), face + "A");
    EXPECT_EQ(Utf16ToUtf8(units({0xD83D, 'A'})), replaced + "A") << "a lone high surrogate spares the next unit";
    EXPECT_EQ(Utf16ToUtf8(units({0xD83D, 0xD83D, 0xDE00})), replaced + face);
    EXPECT_EQ(Utf16ToUtf8(units({'A', 0xDE00, 'B', 0xD83D})), "A" + replaced + "B" + replaced);
    EXPECT_EQ(Utf8ToUtf16("\xC3\xA9" + face), units({0xE9, 0xD83D, 0xDE00}));
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF" "a\xED\xA0\x80"), units({0xFFFD, 'a', 0xFFFD})) << "overlong /, a surrogate";
    EXPECT_EQ(Utf8ToUtf16("\xE2\x82" "a\xC3"), units({0xFFFD, 0xFFFD, 'a', 0xFFFD})) << "cut short, stray byte";
}

TEST(DateHelpers, FileTimesBecomeCalendarDates) {
    constexpr FileTime kDay = 864000000000ull;
    // 1 January 1970 is 134774 days after 1 January 1601.
    const auto epoch = FileTimeToDate(134774 * kDay);
    ASSERT_TRUE(epoch.has_value());
    EXPECT_EQ(epoch->year, 1970);
    EXPECT_EQ(epoch->month, 1);
    EXPECT_EQ(epoch->day, 1);

    // 5 December 2026 14:30:15 UTC, stored as the system stores it.
    const FileTime december5 = (134774ull + 20792) * kDay + (14 * 3600 + 30 * 60 + 15) * 10000000ull;
    const auto date = FileTimeToDate(december5);
    ASSERT_TRUE(date.has_value());
    EXPECT_EQ(date->year, 2026);
    EXPECT_EQ(date->month, 12);
    EXPECT_EQ(date->day, 5);
    EXPECT_EQ(date->hour, 14);
    EXPECT_EQ(date->second, 15);

    // 29 February 2000 and the day after 28 February 1900 (no leap year).
    const auto leap = FileTimeToDate((134774ull + 11016) * kDay);
    EXPECT_EQ(leap->month, 2);
    EXPECT_EQ(leap->day, 29);
    const auto notLeap = FileTimeToDate((109207ull + 59) * kDay);
    EXPECT_EQ(notLeap->year, 1900);
    EXPECT_EQ(notLeap->month, 3);
    EXPECT_EQ(notLeap->day, 1);

    EXPECT_FALSE(FileTimeToDate(0x8000000000000000ull).has_value());

    FakeClock clock;
    EXPECT_EQ(FormatFileDate(clock, december5), "December 5, 2026");
    EXPECT_EQ(FormatFileDate(clock, 0x8000000000000000ull), "");
}

TEST(FileHelpers, FileExistsUsesTheFindFirstRules) {
    FakeFileSystem files;
    files.addFile("C:\\emu\\plugins\\gpu.dll");
    EXPECT_TRUE(FileExists(files, "C:\\emu\\plugins\\gpu.dll"));
    EXPECT_TRUE(FileExists(files, "C:\\emu\\plugins\\*.dll"));
    EXPECT_TRUE(FileExists(files, "C:\\emu\\plugins"));
    EXPECT_FALSE(FileExists(files, "C:\\emu\\plugins\\*.zip"));
    EXPECT_FALSE(FileExists(files, "C:\\emu\\other.dll"));
}

TEST(FileHelpers, ExcludedDllsIgnoreCaseAndNuls) {
    const std::vector<std::string> exclusions = {"zlib.dll", "subTsgMSCD16.dll"};
    std::string name = std::string("ZLIB.dll\0\0", 10);
    EXPECT_TRUE(IsExcludedDll(name, exclusions));
    EXPECT_EQ(name, "ZLIB.dll") << "NULs removed in place";
    std::string cd = "subtsgmscd16.DLL";
    EXPECT_TRUE(IsExcludedDll(cd, exclusions));
    std::string other = "zlib.dll.bak";
    EXPECT_FALSE(IsExcludedDll(other, exclusions));
}

TEST(FileHelpers, BrowseForFolderQualifiesAndCancelGivesBackslash) {
    FakeWindowServices windows;
    windows.queueFolder(std::string("D:\\Emus\\ePSXe\0junk", 19));
    windows.queueFolder(std::string("E:\\"));
    windows.queueFolder(std::nullopt);
    EXPECT_EQ(BrowseForFolder(windows, 0, "Select the plugin folder"), "D:\\Emus\\ePSXe\\");
    EXPECT_EQ(BrowseForFolder(windows, 0, "Select the plugin folder"), "E:\\");
    EXPECT_EQ(BrowseForFolder(windows, 0, "Select the plugin folder"), "\\");
}
}  // namespace
