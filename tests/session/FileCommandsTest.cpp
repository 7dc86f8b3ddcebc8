// Plug-in files through the session: copies, renames, deletes, imports.
#include "files/TestZip.h"
#include "session/FileCommands.h"
#include "session/SessionFixture.h"

namespace {
const char* const kPcsx = "C:\\pcsx\\plugin\\";

class FileCommandsTest : public SessionFixture {
protected:
    // A PCSX and a PSXeven emulator and a Project 64 one; PCSX chosen.
    void SetUp() override {
        emulators({{"PCSX", EmuSystem::PSX, "PCSX", "C:\\pcsx\\pcsx.exe", "C:\\pcsx\\plugin"},
                   {"Even", EmuSystem::PSX, "PSXeven", "C:\\pe\\psxeven.exe", "C:\\pe\\plugins"},
                   {"PJ", EmuSystem::N64, "Project 64", "C:\\pj\\pj.exe", "C:\\pj\\plugin"}},
                  1);
        for (const char* name : {"gpuA.dll", "gpuB.dll", "gpuC.dll"})
            addPlugin(std::string(kPcsx) + name, PsxPlugin(2, name));
        files.addDirectory("C:\\pe\\plugins");
        start();
    }
    FileCommands& commands() { return session.files(); }
    std::vector<std::string> captions(EmuSystem system) {
        std::vector<std::string> result;
        for (const CopyDestination& destination : commands().copyDestinations(system))
            result.push_back(destination.caption);
        return result;
    }
    // What the user typed, committed as the editor commits it.
    RenameVerdict rename(const std::string& typed) {
        const RenameCheck check = commands().checkRename(typed);
        if (check.verdict == RenameVerdict::Proceed) commands().rename(check.name);
        return check.verdict;
    }
};

TEST_F(FileCommandsTest, CopiesGoToTheOtherEmulatorsOfTheSystemAndTheBackups) {
    EXPECT_EQ(captions(EmuSystem::PSX), (std::vector<std::string>{"Tool Backups", "Even"}))
        << "not the emulator shown, not an N64 one";
    session.choosePlugin(PluginKind::GPU, 1);
    commands().copy(2);
    EXPECT_EQ(files.contents("C:\\pe\\plugins\\gpuB.dll"), "MZ");
    EXPECT_TRUE(logHas("Copying plugin C:\\pcsx\\plugin\\gpuB.dll to C:\\pe\\plugins\\gpuB.dll"));
    files.addFile("C:\\pe\\plugins\\gpuB.dll", "old");
    commands().copy(2);
    EXPECT_EQ(files.contents("C:\\pe\\plugins\\gpuB.dll"), "MZ") << "replaced without a question";
    commands().copyAll(2, EmuSystem::PSX);
    EXPECT_TRUE(files.exists("C:\\pe\\plugins\\gpuC.dll"));
    EXPECT_TRUE(logHas("Copying all plugins from C:\\pcsx\\plugin\\ to C:\\pe\\plugins\\"));

    files.makeReadOnly("C:\\pe\\plugins");
    commands().copy(2);
    EXPECT_EQ(user.last().text, "An error occured while attempting to copy C:\\pcsx\\plugin\\gpuB.dll!");
    session.selectEmulator(0, EmuSystem::PSX);
    EXPECT_EQ(captions(EmuSystem::PSX), (std::vector<std::string>{"PCSX", "Even"}));
}

TEST_F(FileCommandsTest, RenameChecksTheCleanedNameAndTheRowFollowsTheFile) {
    EXPECT_EQ(commands().checkRename("x.dll").verdict, RenameVerdict::Unchanged) << "no plug-in chosen";
    session.choosePlugin(PluginKind::GPU, 0);
    EXPECT_EQ(rename("gpuA.DLL"), RenameVerdict::Refused);
    EXPECT_EQ(user.last().text, "Illegal filename, plugins must end in .dll");
    EXPECT_EQ(rename(" gpuB.dll "), RenameVerdict::Refused);
    EXPECT_EQ(user.last().text, "File already exists, please choose a different filename.")
        << "checked after the blanks went";
    EXPECT_EQ(rename("gpu?.dll"), RenameVerdict::Refused);
    EXPECT_EQ(user.last().title, "Illegal Filename");

    user.answers = {false};
    EXPECT_EQ(rename("  gpu\\New.dll "), RenameVerdict::Declined);
    EXPECT_TRUE(files.exists(std::string(kPcsx) + "gpuA.dll"));
    EXPECT_EQ(rename("  gpu\\New.dll "), RenameVerdict::Proceed);
    EXPECT_TRUE(files.exists(std::string(kPcsx) + "gpuNew.dll"));
    EXPECT_EQ(fileNames(PluginKind::GPU)[0], "gpuNew.dll");
    EXPECT_EQ(session.lists().commandTarget().path, std::string(kPcsx) + "gpuNew.dll") << "the choice follows";

    session.settings().setOption(Option::ConfirmRename, false);
    const std::size_t boxes = user.boxes.size();
    EXPECT_EQ(rename("GPUNEW.dll"), RenameVerdict::Proceed) << "a change of letter case alone is allowed";
    EXPECT_EQ(fileNames(PluginKind::GPU)[0], "GPUNEW.dll");
    EXPECT_EQ(user.boxes.size(), boxes) << "no question with the option off";
}

TEST_F(FileCommandsTest, DeleteSendsToTheRecycleBinOrAsksBeforeDeletingForGood) {
    session.choosePlugin(PluginKind::GPU, 2);
    EXPECT_TRUE(commands().remove(0));
    EXPECT_EQ(files.recycled(), std::vector<std::string>{std::string(kPcsx) + "gpuC.dll"});
    EXPECT_EQ(fileNames(PluginKind::GPU), (std::vector<std::string>{"gpuA.dll", "gpuB.dll"}));
    EXPECT_EQ(session.lists().chosenRow(PluginKind::GPU), 1) << "the last row is the next";

    session.settings().setOption(Option::Delete, true);
    user.answers = {false};
    EXPECT_FALSE(commands().remove(0));
    EXPECT_TRUE(files.exists(std::string(kPcsx) + "gpuB.dll")) << "No keeps it";
    EXPECT_TRUE(commands().remove(0));
    EXPECT_FALSE(files.exists(std::string(kPcsx) + "gpuB.dll"));
    EXPECT_EQ(files.recycled().size(), 1u);

    files.makeReadOnly(std::string(kPcsx) + "gpuA.dll");
    EXPECT_FALSE(commands().remove(0));
    EXPECT_EQ(user.last().text, "Deletion of gpuA.dll failed!");
    EXPECT_EQ(fileNames(PluginKind::GPU), std::vector<std::string>{"gpuA.dll"}) << "the row stays";
    session.choosePlugin(PluginKind::GPU, -1);
    EXPECT_FALSE(commands().remove(0)) << "nothing chosen: nothing";
}

TEST_F(FileCommandsTest, ImportsCopyOrExtractIntoTheSystemsFolder) {
    files.addFile("D:\\downloads\\gpuNew.dll", "new");
    files.addFile("D:\\downloads\\spuNew.dll", "new");
    files.addDirectory("D:\\empty");
    EXPECT_FALSE(commands().importFiles({}, EmuSystem::PSX)) << "nothing picked: no rescan";
    EXPECT_TRUE(commands().importFiles({"D:\\downloads\\gpuNew.dll", "D:\\downloads\\spuNew.dll"}, EmuSystem::PSX));
    EXPECT_EQ(files.contents(std::string(kPcsx) + "spuNew.dll"), "new");
    EXPECT_TRUE(logHas("Imported file spuNew.dll"));

    EXPECT_FALSE(commands().importFolder("C:\\PCSX\\PLUGIN\\", EmuSystem::PSX));
    EXPECT_EQ(user.last().title, "Invalid Operation!") << "the same folder, in other letters";
    const std::size_t boxes = user.boxes.size();
    EXPECT_TRUE(commands().importFolder("D:\\empty\\", EmuSystem::PSX));
    EXPECT_EQ(user.boxes.size(), boxes) << "an empty folder is no failure";
    commands().drop({"D:\\downloads\\gpuNew.dll"}, EmuSystem::N64);
    EXPECT_TRUE(files.exists("C:\\Corvane\\N64Plugins\\gpuNew.dll")) << "the N64 lists show the own folder";
    commands().drop({"D:\\downloads"}, EmuSystem::PSX);
    EXPECT_TRUE(files.exists(std::string(kPcsx) + "gpuNew.dll"));

    files.addFile("D:\\good.zip", BuildZip({TestEntry("gpuZip.dll", "new"), TestEntry("docs/readme.txt", "r")}));
    files.addFile("D:\\evil.zip", BuildZip({TestEntry("gpuOk.dll", "ok"), TestEntry("../../escape.dll", "x")}));
    EXPECT_TRUE(commands().importZip("D:\\good.zip", EmuSystem::PSX));
    EXPECT_EQ(files.contents(std::string(kPcsx) + "docs\\readme.txt"), "r");
    EXPECT_TRUE(logHas("Importing files from zip D:\\good.zip to C:\\pcsx\\plugin\\"));
    commands().importZip("D:\\evil.zip", EmuSystem::PSX);
    EXPECT_EQ(user.last().title, "Error While Importing!");
    EXPECT_NE(user.last().text.find("escape.dll"), std::string::npos) << "the first problem, named";
    EXPECT_FALSE(files.exists("C:\\escape.dll"));
}
}  // namespace
