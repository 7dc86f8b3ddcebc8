#include <gtest/gtest.h>

#include "app/Utf16.h"
#include "doubles/FakeFileSystem.h"
#include "doubles/FakeIniFile.h"
#include "doubles/FakeRegTool.h"
#include "doubles/FakeRegistry.h"
#include "profiles/N64RegistryPaths.h"
#include "profiles/ProfileFiles.h"

namespace {
const char* const kProfile = "C:\\Corvane\\Configurations\\Racing.cfg";
const std::string kPcsx = "HKEY_CURRENT_USER\\Software\\Pcsx";

class ProfileFilesTest : public ::testing::Test {
protected:
    ProfileFilesTest() {
        files.addDirectory("C:\\Corvane\\Configurations");
        files.addDirectory("C:\\TEMP");
        InstallFakeRegTool(processes, registry, files);
    }
    ProcessOutcome run(const ProcessStart& start) { return processes.run(start, nullptr); }
    ProfileProblem load(const std::string& path) { return profiles.Import(path, allowed, leftOut); }
    std::string profileText() const { return TextOfFile(files.contents(kProfile)); }

    FakeFileSystem files;
    FakeIniFile ini{files};
    FakeRegistry registry;
    FakeProcesses processes;
    RegTool reg{[this](const ProcessStart& start) { return run(start); }, processes.systemFolder()};
    ProfileFiles profiles{files, ini, registry, reg, "C:\\TEMP\\"};
    const ProfileKeys allowed = AllowedProfileKeys({{"Jabo", "HKEY_LOCAL_MACHINE\\Software\\Jabo"}});
    std::vector<std::string> leftOut;
};

TEST_F(ProfileFilesTest, ASavedProfileIsOneCleanFileThatRestoresItsKeysAndLeavesNoSnapshot) {
    registry.setString("Software\\Pcsx", "gpu", "gpu\xD0\x9A\xC8\x9A\xE2\x88\x9A\xE4\xB8\x9A.dll");  // К Ț √ 业
    registry.setString("Software\\epsxe\\config", "VideoPlugin", "gpuPete.dll");
    std::vector<Snapshot> made;
    const auto plan = PlanSnapshots({ProfileContent::ePSXe, ProfileContent::PCSX, ProfileContent::PSXeven}, {}, {});
    ASSERT_FALSE(profiles.Export(plan, made));
    EXPECT_EQ(made.size(), 2u) << "PSXeven's key does not exist: it takes no part";
    ASSERT_FALSE(profiles.Join(made, {"Racing", 6, "line one\r\nline two"}, kProfile));
    for (const char* other : {"n64pluginsreg1.merge", "n64pluginsreg12.merge", "mine.merge", "pcsxreg.mergex"})
        files.addFile(std::string("C:\\TEMP\\") + other);
    profiles.RemoveSnapshots();
    std::vector<std::string> left;
    for (const auto& entry : files.find("C:\\TEMP\\*")) left.push_back(entry.name);
    EXPECT_EQ(left, (std::vector<std::string>{"mine.merge", "pcsxreg.mergex"})) << "only the program's own snapshots go";

    EXPECT_EQ(files.contents(kProfile).substr(0, 2), kUtf16Mark);
    const std::string text = profileText();
    EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\r\n", 0), 0u) << text;
    EXPECT_EQ(text.find("Windows Registry Editor", 1), std::string::npos) << "one header";
    EXPECT_EQ(text.find("\xEF\xBB\xBF"), std::string::npos) << "one mark only, at the start";
    EXPECT_EQ(ProfileFiles::ReadSection(ini, kProfile).comments, "line one\r\nline two");

    registry.setString("Software\\Pcsx", "gpu", "changed.dll");
    registry.deleteValue("Software\\epsxe\\config", "VideoPlugin");
    ASSERT_FALSE(load(kProfile));
    EXPECT_EQ(registry.queryValue("Software\\Pcsx", "gpu")->text, "gpu\xD0\x9A\xC8\x9A\xE2\x88\x9A\xE4\xB8\x9A.dll");
    EXPECT_EQ(registry.queryValue("Software\\epsxe\\config", "VideoPlugin")->text, "gpuPete.dll");
    EXPECT_EQ(TextOfFile(files.contents("C:\\TEMP\\regimport.tmp")).find("[Corvane]"), std::string::npos);
}

TEST_F(ProfileFilesTest, AnOldProfileIsReplacedWholeOrNotAtAllAndTheRegistryToolsFailuresAreFailures) {
    files.addFile(kProfile, "old profile");
    std::vector<Snapshot> made;
    ASSERT_FALSE(profiles.Join(made, {"Racing", 0, ""}, kProfile));
    EXPECT_EQ(profileText().find("old profile"), std::string::npos) << "nothing of the old one stays";
    EXPECT_EQ(profileText().rfind("Windows Registry Editor Version 5.00\r\n", 0), 0u) << "mark and header first";
    files.addFile(kProfile, "old profile");
    files.makeReadOnly(std::string(kProfile) + ".new");
    EXPECT_TRUE(profiles.Join(made, {"Racing", 0, ""}, kProfile).has_value());
    EXPECT_EQ(files.contents(kProfile), "old profile") << "a failed save keeps the old profile";
    EXPECT_TRUE(profiles.Join(made, {"X", 0, ""}, "C:\\Corvane\\Missing\\X.cfg").has_value())
        << "a missing profile folder is a failure";

    registry.setString("Software\\Pcsx", "gpu", "gpu.dll");
    processes.onRun(processes.systemFolder() + "reg.exe", [](const ProcessStart&) { return 1ul; });
    const auto problem = profiles.Export(PlanSnapshots({ProfileContent::PCSX}, {}, {}), made);
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find(kPcsx), std::string::npos) << "the key is named";
    files.addFile(kProfile, std::string(kUtf16Mark) + Utf8ToUtf16("Windows Registry Editor Version 5.00\r\n"));
    processes.makeMissing(processes.systemFolder() + "reg.exe");
    EXPECT_TRUE(load(kProfile).has_value()) << "a tool that does not start";
    EXPECT_TRUE(load("C:\\Corvane\\Configurations\\Gone.cfg").has_value());
}

TEST_F(ProfileFilesTest, ProfilesJoinedTheOldWayStillLoad) {
    // Snapshots joined by a text-mode copy: each with its own mark and
    // header, an end-of-file character after the lot, then the section.
    const std::string snapshot = "Windows Registry Editor Version 5.00\r\n\r\n[" + kPcsx + "]\r\n\"gpu\"=\"old.dll\"\r\n";
    const std::string second = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\epsxe\\config]\r\n"
                               "\"VideoPlugin\"=\"pete.dll\"\r\n";
    files.addFile(kProfile, std::string(kUtf16Mark) + Utf8ToUtf16(snapshot) + kUtf16Mark + Utf8ToUtf16(second) +
                                Utf8ToUtf16("\x1A") + Utf8ToUtf16("[Corvane]\r\nConfigName=Old\r\n"));
    ASSERT_FALSE(load(kProfile));
    EXPECT_EQ(registry.queryValue("Software\\Pcsx", "gpu")->text, "old.dll");
    EXPECT_EQ(registry.queryValue("Software\\epsxe\\config", "VideoPlugin")->text, "pete.dll");
}

TEST(N64RegistryPaths, AnEmptyListLeavesNoFileAndOnlyTheWholeNameEmptyIsUnusable) {
    FakeFileSystem files;
    FakeIniFile ini{files};
    const std::string file = N64PathsFile("C:\\Corvane");
    files.addFile(file, "[N64Plugins]\r\n1Name=Glide\r\n1Path=HKEY_CURRENT_USER\\Software\\Glide\r\n");
    ASSERT_TRUE(StoreN64Paths(ini, files, file, {}));
    EXPECT_FALSE(files.exists(file));
    EXPECT_TRUE(IsUnusableN64Text("empty"));
    EXPECT_TRUE(IsUnusableN64Text(""));
    EXPECT_FALSE(IsUnusableN64Text("Empty Plugin"));
}
}  // namespace
