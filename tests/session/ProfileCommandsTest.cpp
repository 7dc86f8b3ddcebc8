// Configuration profiles through the session: saved with the system's
// registry tool (a double here), listed, loaded and deleted.
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
    void profile(const std::string& file, const std::string& name, int system, const std::string& keys = "") {
        files.addFile(kFolder + file, "Windows Registry Editor Version 5.00\r\n\r\n" + keys +
                                          "[Corvane]\r\nConfigSpec=1\r\nConfigName=" + name + "\r\nConfigSystem=" +
                                          std::to_string(system) + "\r\nConfigComments=first$CRLF$second\r\n");
    }
    ProfileCommands& profiles() { return session.profiles(); }
};

TEST_F(ProfileCommandsTest, ASaveWritesOneUtf16ProfileAndAsksBeforeReplacingOne) {
    registry.setString("Software\\Vision Thing\\PSEmu Pro\\GPU", "Resolution", "640x480");
    registry.createKey("Software\\Vision Thing\\PSEmu Pro");
    registry.setString("Software\\Pcsx", "gpu", "gpuA.dll");
    start();
    ProfileRequest request{"Racing", "line one\nline two", BindMethod::None, "", "",
                           {ProfileContent::PSXPlugins, ProfileContent::PCSX, ProfileContent::Project64}};
    EXPECT_TRUE(profiles().save(request));
    const std::string text = TextOfFile(files.contents(std::string(kFolder) + "Racing.cfg"));
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n\"gpu\"=\"gpuA.dll\""), std::string::npos) << text;
    EXPECT_NE(text.find("ConfigName=Racing\r\nConfigSystem=6\r\nConfigComments=line one$CRLF$line two\r\n"),
              std::string::npos)
        << "no Project 64 version found: a PSX profile";
    EXPECT_TRUE(files.find("C:\\TEMP\\*.merge").empty()) << "no snapshot is left";

    files.addFile(std::string(kFolder) + "Racing.cfg", "kept");
    user.answers = {false};
    EXPECT_TRUE(profiles().save(request)) << "the user kept the other: done";
    EXPECT_EQ(user.last().title, "File Already Exists!");
    EXPECT_EQ(user.last().text, "There is already a configuration with the filename Racing.\r\nWould you like to "
                                "overwrite the old configuration with the new one?");
    EXPECT_EQ(files.contents(std::string(kFolder) + "Racing.cfg"), "kept");

    request.method = BindMethod::PSXDisc;
    request.gameId = "om:\\PSX.EXE";
    EXPECT_FALSE(profiles().save(request));
    EXPECT_EQ(user.last().title, "Bind Error") << "a key that is no file name";
    request.gameId = "SLUS_004.26";
    processes.onRun(processes.systemFolder() + "reg.exe", [](const ProcessStart&) { return 1ul; });
    EXPECT_FALSE(profiles().save(request));
    EXPECT_EQ(user.last().title, "Could Not Save Configuration");
    EXPECT_FALSE(files.exists(std::string(kFolder) + "SLUS_004.26.cfg"));
}

TEST_F(ProfileCommandsTest, TheListGroupsBySystemLoadsByNameAndDeletesAfterAsking) {
    profile("Psx.cfg", "PSX one", 6, "[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n\"gpu\"=\"gpuB.dll\"\r\n\r\n");
    profile("Both.cfg", "Both", 8);
    profile("SLUS_004.26.cfg", "Disc", 7);
    profile("Odd.cfg", "Odd", 5);
    start();
    std::vector<std::string> listed;
    for (const ProfileListing& entry : profiles().list()) listed.push_back(entry.name + "|" + entry.fileName);
    EXPECT_EQ(listed, (std::vector<std::string>{"Both|Both.cfg", "PSX one|Psx.cfg", "Disc|SLUS_004.26.cfg"}));
    EXPECT_EQ(profiles().list()[0].comments, "first\r\nsecond");

    EXPECT_FALSE(profiles().load("Ps*.cfg"));
    EXPECT_EQ(user.last().text, "The configuration profile 'Ps*.cfg' could not be found.") << "a name is no pattern";
    EXPECT_FALSE(profiles().load("..\\settings.ini"));
    EXPECT_TRUE(profiles().load("Psx.cfg"));
    EXPECT_EQ(value("Software\\Pcsx", "gpu"), "gpuB.dll");

    user.answers = {false};
    EXPECT_FALSE(profiles().remove("Odd.cfg"));
    EXPECT_EQ(user.last().text, "Are you sure you want to delete 'Odd.cfg?'");
    EXPECT_TRUE(files.exists(std::string(kFolder) + "Odd.cfg"));
    EXPECT_TRUE(profiles().remove("Odd.cfg"));
    EXPECT_FALSE(files.exists(std::string(kFolder) + "Odd.cfg"));
}

TEST_F(ProfileCommandsTest, ASharedProfileLoadsTheRestAndTheLoadSaysWhatItLeftOut) {
    std::string refused;
    for (int i = 0; i < 16; ++i) refused += "[HKEY_CURRENT_USER\\Software\\Other" + std::to_string(i) + "]\r\n";
    profile("Shared.cfg", "Shared", 6,
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
    EXPECT_EQ(text.rfind("These entries of the configuration profile 'Shared.cfg' were not loaded: ", 0), 0u) << text;
    EXPECT_NE(text.find("\r\n\r\nHKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\r\n"
                        "HKEY_CURRENT_USER\\Software\\CeoKeep (deletion of the key)\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n... and 3 more (see the log)"), std::string::npos) << "18 entries, 15 named";
    EXPECT_TRUE(logHas("Configuration profile entry not loaded: HKEY_CURRENT_USER\\Software\\CeoKeep (deletion of the key)"));
    EXPECT_TRUE(logHas("Configuration profile entry not loaded: HKEY_CURRENT_USER\\Software\\Other15"));

    // Before a game: logged, never a box.
    const std::size_t boxes = user.boxes.size();
    registry.setString("Software\\Pcsx", "gpu", "mine.dll");
    profiles().autoLoad("Shared", "Configuration Profile Detected for GameID: Shared; Loading...");
    EXPECT_EQ(user.boxes.size(), boxes);
    EXPECT_EQ(value("Software\\Pcsx", "gpu"), "gpuShared.dll");
    EXPECT_TRUE(logHas("Configuration profile entry not loaded: HKEY_CURRENT_USER\\Software\\Other15", 2));
}
}  // namespace
