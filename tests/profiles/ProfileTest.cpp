#include <gtest/gtest.h>

#include "doubles/FakeFileSystem.h"
#include "profiles/GameId.h"
#include "profiles/Profile.h"

namespace {
TEST(GameId, TheElevenCharactersBeforeTheLastSemicolonOfTheFirstFieldOfTheDrivesFile) {
    EXPECT_EQ(GameIdOfSystemCnf("BOOT = cdrom:\\SLUS_004.26;1\r\nTCB = 4\r\n"), "SLUS_004.26");
    EXPECT_EQ(GameIdOfSystemCnf("BOOT = cdrom:\\PSX.EXE;1\r\n"), "om:\\PSX.EXE") << "taken as they stand";
    EXPECT_EQ(GameIdOfSystemCnf("BOOT=cdrom:\\SCES_123.45;1;1\r\n"), "ES_123.45;1") << "only the last \";\" counts";
    EXPECT_EQ(GameIdOfSystemCnf("  BOOT = cdrom:\\SLES_001.23;1,TCB\r\n"), "SLES_001.23") << "a comma ends the field";
    EXPECT_EQ(GameIdOfSystemCnf("\"BOOT = cdrom:\\SLPS_011.11;1\", x"), "SLPS_011.11") << "a quoted field";
    EXPECT_EQ(GameIdOfSystemCnf("BOOT\r\ncdrom:\\SLUS_004.26;1\r\n"), "") << "only the first line counts";
    EXPECT_EQ(GameIdOfSystemCnf("X;1"), "") << "fewer than eleven characters";
    EXPECT_EQ(GameIdOfSystemCnf(""), "");

    FakeFileSystem files;
    files.addFile("C:\\system.cnf", "BOOT = cdrom:\\SLUS_004.26;1\r\n");
    files.setCurrentDirectory("C:\\");
    EXPECT_EQ(detectPSXGameID(files, ""), "") << "never the current folder's system.cnf";
    EXPECT_EQ(detectPSXGameID(files, "C:\\"), "SLUS_004.26");
    EXPECT_EQ(detectPSXGameID(files, "D:\\"), "");
}

TEST(Profile, SnapshotsAndSystemFollowTheChosenContents) {
    const N64VersionKeys keys{"Software\\N64 Emulation\\Project64 Version 1.5\\Dll", ""};
    const std::vector<N64RegistryPath> n64{{"Glide", "HKEY_CURRENT_USER\\Software\\Glide64"},
                                           {"Jabo", "HKEY_LOCAL_MACHINE\\Software\\Jabo"}};
    const auto plan = PlanSnapshots({ProfileContent::N64Plugins, ProfileContent::PCSX, ProfileContent::Project64,
                                     ProfileContent::Emu1964},
                                    n64, keys);
    ASSERT_EQ(plan.size(), 4u) << "no 1964 version was found";
    EXPECT_EQ(plan[1].key, "HKEY_LOCAL_MACHINE\\Software\\Jabo");
    EXPECT_EQ(plan[3].key, "HKEY_CURRENT_USER\\Software\\N64 Emulation\\Project64 Version 1.5\\Dll");

    EXPECT_EQ(ConfigSystemOf({ProfileContent::N64Plugins}, keys), 7) << "even with an empty path list";
    EXPECT_EQ(ConfigSystemOf({ProfileContent::ePSXe, ProfileContent::Project64}, keys), 8);
    EXPECT_EQ(ConfigSystemOf({ProfileContent::Emu1964}, keys), 0) << "no 1964 key: nothing of N64";
}

TEST(Profile, BindingKeysAreNamesOfFilesInTheProfileFolder) {
    EXPECT_EQ(BindingKey(BindMethod::None, "Racing", "", ""), "Racing");
    EXPECT_EQ(BindingKey(BindMethod::PSXDisc, "x", "SLUS_004.26", ""), "SLUS_004.26");
    EXPECT_EQ(BindingKey(BindMethod::PSXISO, "x", "", "Race.Final.bin"), "Race.Final");
    EXPECT_EQ(BindingKey(BindMethod::N64ROM, "x", "", "Mario"), "Mario") << "no dot: the whole name";
    EXPECT_TRUE(IsPlainFileName("Game (U) [!]"));
    EXPECT_TRUE(IsPlainFileName("\xC5\x81\xC3\xB3" "d\xC5\xBA"));
    for (const char* bad : {"", "om:\\PSX.EXE", "a/b", "..", "what?", "x*", "a\"b", "<x>", "a|b", "tab\there"})
        EXPECT_FALSE(IsPlainFileName(bad)) << bad;
}
}  // namespace
