#include <gtest/gtest.h>

#include "updates/UpdateList.h"

namespace {
FileTime FileTimeOf(int year, int month, int day) {
    return static_cast<FileTime>(DayOf(year, month, day)) * 864000000000ull + 36000000000ull;
}

PluginRecord Installed(PluginKind kind, const std::string& name, const std::string& version, FileTime released,
                       const std::string& file) {
    return PluginRecord{kind, name, version, released, file, false};
}

TEST(UpdateList, DatesAndVersionsReadAsTheListWritesThem) {
    EXPECT_EQ(ParseListDate("2003-06-18"), DayOf(2003, 6, 18));
    EXPECT_EQ(ParseListDate("6/18/2003"), DayOf(2003, 6, 18));
    EXPECT_EQ(ParseListDate("June 18, 2003"), DayOf(2003, 6, 18));
    EXPECT_EQ(DayOf(FileTimeOf(2026, 12, 5)), DayOf(2026, 12, 5));
    for (const char* bad : {"", "2003-13-01", "2/30/2003", "Juin 18, 2003", "18.06.2003", "yesterday"})
        EXPECT_FALSE(ParseListDate(bad).has_value()) << bad;

    EXPECT_FLOAT_EQ(*ParsePsxVersion("n/a"), 0.0f);
    EXPECT_FLOAT_EQ(*ParsePsxVersion("1.17b"), 1.17f);
    EXPECT_FLOAT_EQ(*ParsePsxVersion("2.0"), 2.0f);
    for (const char* bad : {"v2.x", "1.2.3", "1.0 RC1", "", "."}) EXPECT_FALSE(ParsePsxVersion(bad).has_value()) << bad;
    EXPECT_EQ(VersionText(1.17f), "1.17");
}

TEST(UpdateList, RecordsAreLinesOfFiveFieldsAndBadOnesAreSkipped) {
    std::vector<std::string> skipped;
    const std::string text =
        "gpuPete.dll\tPete's OpenGL\t1.17b\t2003-06-18\thttp://host/files/gpuPete.zip\r\n"
        "  \"spu, old.dll\tSPU, with a comma\t1.5\t1/2/2004\thttp://host/files/spu.zip\textra\"\r\n"
        "bad.dll\tBad\tv2.x\t2004-01-01\thttp://host/bad.zip\r\n"
        "short.dll\tShort\t1.0\r\n"
        "later.dll\tLater\t1.0\tnot a date\thttp://host/later.zip\r"
        "huge.dll\tHuge\t123456789012345678901\t2004-01-01\thttp://host/huge.zip\r"
        "sum.dll\tSum\t1.0\t2004-01-01\thttp://host/sum.zip\tsha256:" + std::string(63, 'A') + "\n"
        "signed.dll\tSigned\t1.0\t2004-01-01\thttp://host/signed.zip\tsha256:" + std::string(64, 'A') + "\r"
        "<b>Warning</b>: mysql_connect()\r\n"
        "after.dll\tAfter\t1.0\t2004-01-01\thttp://host/after.zip\r\n";
    const UpdateList list = ReadUpdateList(text, EmuSystem::PSX, [&](const std::string& line) { skipped.push_back(line); });
    ASSERT_EQ(list.records.size(), 3u);
    EXPECT_EQ(list.records[0].address, "http://host/files/gpuPete.zip");
    EXPECT_EQ(list.records[1].fileName, "spu, old.dll") << "a comma stays in its field; blanks and quotes go";
    EXPECT_EQ(list.records[1].address, "http://host/files/spu.zip") << "fields after the fifth are ignored";
    EXPECT_EQ(list.records[1].sha256, "") << "no digest field";
    EXPECT_EQ(list.records[2].sha256, std::string(64, 'a'));
    EXPECT_EQ(skipped, (std::vector<std::string>{
                           "bad.dll\tBad\tv2.x\t2004-01-01\thttp://host/bad.zip", "short.dll\tShort\t1.0",
                           "later.dll\tLater\t1.0\tnot a date\thttp://host/later.zip",
                           "huge.dll\tHuge\t123456789012345678901\t2004-01-01\thttp://host/huge.zip",
                           "sum.dll\tSum\t1.0\t2004-01-01\thttp://host/sum.zip\tsha256:" + std::string(63, 'A')}))
        << "a CR alone ends a line; a version past any integer and a digest of 63 digits are bad lines";
    EXPECT_TRUE(list.warning) << "reading stops at the service's warning";

    const UpdateList n64 = ReadUpdateList("Jabo_Direct3D8.dll\tJabo\tv1.6.1 beta\t2004-05-01\thttp://h/j.zip\r\n",
                                          EmuSystem::N64, nullptr);
    ASSERT_EQ(n64.records.size(), 1u);
    EXPECT_EQ(n64.records[0].versionText, "v1.6.1 beta") << "N64 versions are text";
}

TEST(UpdateList, CandidatesNeedTheSameFileANewerVersionAndALaterDate) {
    PluginCatalogue installed{EmuSystem::PSX, "C:\\p\\", {}};
    installed.list(PluginKind::GPU) = {Installed(PluginKind::GPU, "Pete GPU", "1.9", FileTimeOf(2003, 1, 1), "gpuPete.dll"),
                                       Installed(PluginKind::GPU, "Other", "1.0", FileTimeOf(2003, 1, 1), "gpuOther.dll")};
    installed.list(PluginKind::SPU) = {Installed(PluginKind::SPU, "Eternal", "1.0", FileTimeOf(2005, 1, 1), "spuEternal.dll"),
                                       PluginRecord{PluginKind::SPU, "ePSXe SPU core", "0.0", 0, "SPUCORE", true}};
    const UpdateList list = ReadUpdateList(
        "gpuPete.dll\tPete GPU\t2.0\t2004-01-01\thttp://h/1.zip\r\n"
        "GPUPETE.DLL\tPete GPU\t3.0\t2004-01-01\thttp://h/2.zip\r\n"
        "gpuOther.dll\tOther by Tessarin\t2.0\t2004-01-01\thttp://h/3.zip\r\n"
        "spuEternal.dll\tEternal\t2.0\t2004-01-01\thttp://h/4.zip\r\n"
        "gpuOther.dll\tOther\tn/a\t2004-01-01\thttp://h/5.zip\r\n",
        EmuSystem::PSX, nullptr);
    const auto candidates = FindCandidates(installed, list);
    ASSERT_EQ(candidates.size(), 1u) << "letter case, Tessarin, an earlier date and n/a all count";
    EXPECT_EQ(candidates[0].address, "http://h/1.zip");

    PluginCatalogue n64{EmuSystem::N64, "C:\\n\\", {}};
    n64.list(PluginKind::GFX) = {Installed(PluginKind::GFX, "Jabo D3D8", "", FileTimeOf(2002, 1, 1), "Jabo_Direct3D8.dll")};
    const auto n64Candidates = FindCandidates(n64, ReadUpdateList("Jabo_Di_new.dll\tJabo\t1.6\t2004-01-01\thttp://h/a.zip\r\n"
                                                                  "Jabo_Direct3D8.dll\tJabo\t1.5\t2003-06-18\thttp://h/b.zip\r\n"
                                                                  "Glide64.dll\tGlide\t1.0\t2004-01-01\thttp://h/c.zip\r\n",
                                                                  EmuSystem::N64, nullptr));
    ASSERT_EQ(n64Candidates.size(), 1u) << "N64 names match in their first seven characters; 18 June 2003 is no date";
    EXPECT_EQ(n64Candidates[0].address, "http://h/a.zip");
}
}  // namespace
