#include "app/Helpers.h"

#include <gtest/gtest.h>

#include "app/Utf16.h"
#include "doubles/FakeClock.h"
#include "doubles/FakeWindowServices.h"

namespace {
TEST(Helpers, PathsAreQualifiedSplitAndBrowsedTo) {
    // Path, qualified, folder part, file part.
    const char* const paths[][4] = {{"C:\\Games", "C:\\Games\\", "C:\\", "Games"},
                                    {"C:\\a\\b.dll", "C:\\a\\b.dll\\", "C:\\a\\", "b.dll"},
                                    {"C:\\a\\", "C:\\a\\", "C:\\a\\", ""},
                                    {"b.dll", "b.dll\\", "", "b.dll"},
                                    {"", "\\", "", ""}};
    for (const auto& [path, qualified, folder, file] : paths) {
        EXPECT_EQ(QualifyPath(path), qualified);
        EXPECT_EQ(ParsePath(path), folder) << path;
        EXPECT_EQ(ParseFileName(path), file) << path;
    }
    FakeWindowServices windows;
    windows.queueFolder(std::string("D:\\Emus\\ePSXe\0junk", 19));
    windows.queueFolder(std::string("E:\\"));
    windows.queueFolder(std::nullopt);
    for (const char* chosen : {"D:\\Emus\\ePSXe\\", "E:\\", "\\"})
        EXPECT_EQ(BrowseForFolder(windows, 0, "Select the plugin folder"), chosen) << "cancel gives a backslash";
}

TEST(Helpers, VersionLongUsesTheLowThreeBytes) {
    EXPECT_EQ(FormatVersionLong(0x00010600), "1.6.0");
    EXPECT_EQ(FormatVersionLong(0xFFFEFDFC), "254.253.252");
    EXPECT_EQ(FormatVersionLong(0), "0.0.0");
}

TEST(Helpers, Utf16ConversionsReplaceWhatCannotBeConvertedAndNothingMore) {
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

TEST(Helpers, FileTimesBecomeCalendarDatesThroughLeapYears) {
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

TEST(Helpers, ExcludedDllsIgnoreCaseAndNuls) {
    const std::vector<std::string> exclusions = {"zlib.dll", "subTsgMSCD16.dll"};
    std::string name = std::string("ZLIB.dll\0\0", 10), cd = "subtsgmscd16.DLL", other = "zlib.dll.bak";
    EXPECT_TRUE(IsExcludedDll(name, exclusions));
    EXPECT_EQ(name, "ZLIB.dll") << "NULs removed in place";
    EXPECT_TRUE(IsExcludedDll(cd, exclusions));
    EXPECT_FALSE(IsExcludedDll(other, exclusions));
}
}  // namespace
