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

TEST(DateHelpers, FileTimesBecomeCalendarDatesThroughLeapYears) {
    // A file time counts days from 1 January 1601: 29 February 2000, and
    // the day after 28 February 1900 (no leap year).
    constexpr FileTime kDay = 864000000000ull;
    const auto leap = FileTimeToDate((134774ull + 11016) * kDay);
    EXPECT_EQ((std::vector<int>{leap->year, leap->month, leap->day}), (std::vector<int>{2000, 2, 29}));
    const auto notLeap = FileTimeToDate((109207ull + 59) * kDay);
    EXPECT_EQ((std::vector<int>{notLeap->year, notLeap->month, notLeap->day}), (std::vector<int>{1900, 3, 1}));
    EXPECT_FALSE(FileTimeToDate(0x8000000000000000ull).has_value());
    FakeClock clock;
    EXPECT_EQ(FormatFileDate(clock, 0x8000000000000000ull), "") << "the plug-in lists show 5 December 2026 as such";
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
