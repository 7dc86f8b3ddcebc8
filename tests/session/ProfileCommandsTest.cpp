// Configuration profiles through the session: saved with the system's
// registry tool (a double here), loaded and deleted.
#include "doubles/FakeRegTool.h"
#include "session/ProfileCommands.h"
#include "session/SessionFixture.h"

namespace {
const char* const kFolder = "C:\\Corvane\\Configurations\\";

class ProfileCommandsTest : public SessionFixture {
protected:
    ProfileCommandsTest() {
        files.addDirectory(kFolder);
        InstallFakeRegTool(processes, registry, files);
    }
    ProfileCommands& profiles() { return session.profiles(); }
};

TEST_F(ProfileCommandsTest, ASaveWritesOneUtf16ProfileAndAsksBeforeReplacingOne) {
    registry.setString("Software\\Pcsx", "gpu", "gpuA.dll");
    start();
    ProfileRequest request{"Racing", "line one\nline two\rthree", BindMethod::None, "", "",
                           {ProfileContent::PSXPlugins, ProfileContent::PCSX, ProfileContent::Project64}};
    EXPECT_TRUE(profiles().save(request));
    const std::string text = TextOfFile(files.contents(std::string(kFolder) + "Racing.cfg"));
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n\"gpu\"=\"gpuA.dll\""), std::string::npos) << text;
    EXPECT_NE(text.find("ConfigName=Racing\r\nConfigSystem=6\r\nConfigComments=line one$CRLF$line two$CRLF$three\r\n"),
              std::string::npos)
        << "no Project 64 version found: a PSX profile";

    files.addFile(std::string(kFolder) + "Racing.cfg", "kept");
    user.answers = {false};
    EXPECT_TRUE(profiles().save(request)) << "the user kept the other: done";
    EXPECT_EQ(user.last().text, "There is already a configuration with the filename Racing.\r\nWould you like to "
                                "overwrite the old configuration with the new one?");
    EXPECT_EQ(files.contents(std::string(kFolder) + "Racing.cfg"), "kept");

    request.method = BindMethod::PSXDisc;
    request.gameId = "SLUS_004.26";
    processes.onRun(processes.systemFolder() + "reg.exe", [](const ProcessStart&) { return 1ul; });
    EXPECT_FALSE(profiles().save(request));
    EXPECT_FALSE(files.exists(std::string(kFolder) + "SLUS_004.26.cfg"));
}

TEST_F(ProfileCommandsTest, ASharedProfileLoadsTheRestAndTheLoadSaysWhatItLeftOut) {
    std::string refused;
    for (int i = 0; i < 16; ++i) refused += "[HKEY_CURRENT_USER\\Software\\Other" + std::to_string(i) + "]\r\n";
    files.addFile(std::string(kFolder) + "Shared.cfg",
                  "Windows Registry Editor Version 5.00\r\n\r\n"
                  "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
                  "\"ceoEvil\"=\"C:\\\\evil.exe\"\r\n[-HKEY_CURRENT_USER\\Software\\CeoKeep]\r\n"
                  "[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n\"gpu\"=\"gpuShared.dll\"\r\n" + refused);
    settings("[Configuration]\r\nLogging=-1\r\n");
    start();
    EXPECT_TRUE(profiles().load("Shared.cfg")) << "the rest is loaded";
    EXPECT_EQ(value("Software\\Pcsx", "gpu"), "gpuShared.dll");
    EXPECT_EQ(user.last().title, "Profile Entries Not Loaded");
    EXPECT_EQ(user.last().icon, MessageIcon::Exclamation);
    const std::string& text = user.last().text;
    EXPECT_NE(text.find("\r\n\r\nHKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\r\n"
                        "HKEY_CURRENT_USER\\Software\\CeoKeep (deletion of the key)\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n... and 3 more (see the log)"), std::string::npos) << "18 entries, 15 named";
    EXPECT_TRUE(logHas("Configuration profile entry not loaded: HKEY_CURRENT_USER\\Software\\CeoKeep (deletion of the key)"));

    // Before a game: logged, never a box.
    const std::size_t boxes = user.boxes.size();
    registry.setString("Software\\Pcsx", "gpu", "mine.dll");
    profiles().autoLoad("Shared", "Configuration Profile Detected for GameID: Shared; Loading...");
    EXPECT_EQ(user.boxes.size(), boxes);
    EXPECT_EQ(value("Software\\Pcsx", "gpu"), "gpuShared.dll");
    EXPECT_TRUE(logHas("Configuration profile entry not loaded: HKEY_CURRENT_USER\\Software\\Other15", 2));

    EXPECT_FALSE(profiles().load("..\\settings.ini")) << "only the profile folder's files";
    EXPECT_FALSE(profiles().load("Sh*.cfg"));
    EXPECT_EQ(user.last().text, "The configuration profile 'Sh*.cfg' could not be found.") << "a name is no pattern";
    user.answers = {false};
    EXPECT_FALSE(profiles().remove("Shared.cfg"));
    EXPECT_TRUE(files.exists(std::string(kFolder) + "Shared.cfg")) << "No keeps it";
    EXPECT_TRUE(profiles().remove("Shared.cfg"));
    EXPECT_FALSE(files.exists(std::string(kFolder) + "Shared.cfg"));
}
}  // namespace
