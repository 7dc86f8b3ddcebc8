#include "plugins/FakePlugins.h"
#include "ui/MainFixture.h"

namespace {
const char* const kPcsx = "C:\\pcsx\\plugin\\";

class PluginFilesTest : public MainFixture {
protected:
    // A PCSX and a PSXeven emulator and a Project 64 one; PCSX on screen.
    void emulators() {
        settings("[Configuration]\r\nLogging=-1\r\nLastEmu=1\r\n[Emulators]\r\n"
                 "Name1=PCSX\r\nSystem1=6\r\nType1=PCSX\r\nExe1=C:\\pcsx\\pcsx.exe\r\nPlugins1=C:\\pcsx\\plugin\r\n"
                 "Name2=Even\r\nSystem2=6\r\nType2=PSXeven\r\nExe2=C:\\pe\\psxeven.exe\r\nPlugins2=C:\\pe\\plugins\r\n"
                 "Name3=PJ\r\nSystem3=7\r\nType3=Project 64\r\nExe3=C:\\pj\\pj.exe\r\nPlugins3=C:\\pj\\plugin\r\n");
        addPlugin(std::string(kPcsx) + "gpuA.dll", PsxPlugin(2, "A GPU"));
        addPlugin(std::string(kPcsx) + "gpuB.dll", PsxPlugin(2, "B GPU"));
        addPlugin(std::string(kPcsx) + "gpuC.dll", PsxPlugin(2, "C GPU"));
        files.addDirectory("C:\\pe\\plugins");
    }
    std::vector<std::string> captions(const MenuNode& menu) const {
        std::vector<std::string> result;
        for (const auto& node : menu.children) result.push_back(node.item ? node.item->caption() : "-");
        return result;
    }
    std::vector<std::string> fileNames(int list) const {
        std::vector<std::string> result;
        for (const auto& row : main.lstPluginList[list].rows()) result.push_back(row.subItems.back());
        return result;
    }
};

TEST_F(PluginFilesTest, StartUpMakesTheCentralFolders) {
    start();
    EXPECT_TRUE(files.isDirectory("C:\\Corvane\\PSXPlugins"));
    EXPECT_TRUE(files.isDirectory("C:\\Corvane\\N64Plugins"));
}

TEST_F(PluginFilesTest, CopyMenusOfferTheOtherEmulatorsOfTheSystemAndTheBackups) {
    emulators();
    start();
    main.mnuEdit_Click();
    EXPECT_EQ(captions(main.copyMenu()), (std::vector<std::string>{"Tool Backups", "Even"}))
        << "not the emulator shown, not an N64 one";
    main.lstPluginList[0].clickRow(1);
    main.copyMenu().children[1].item->click();
    EXPECT_EQ(files.contents("C:\\pe\\plugins\\gpuB.dll"), "MZ");
    EXPECT_TRUE(logHas("Copying plugin C:\\pcsx\\plugin\\gpuB.dll to C:\\pe\\plugins\\gpuB.dll"));
    files.addFile("C:\\pe\\plugins\\gpuB.dll", "old");
    main.copyMenu().children[1].item->click();
    EXPECT_EQ(files.contents("C:\\pe\\plugins\\gpuB.dll"), "MZ") << "replaced without a question";

    files.removeTree("C:\\Corvane\\PSXPlugins");
    main.copyMenu().children[0].item->click();
    EXPECT_EQ(files.contents("C:\\Corvane\\PSXPlugins\\gpuB.dll"), "MZ") << "the missing backup folder is made";

    main.copyAllMenu().children[1].item->click();
    EXPECT_TRUE(files.exists("C:\\pe\\plugins\\gpuC.dll"));
    EXPECT_TRUE(logHas("Copying all plugins from C:\\pcsx\\plugin\\ to C:\\pe\\plugins\\"));

    main.cmbEmuSelect.choose(0);
    main.mnuEdit_Click();
    EXPECT_EQ(captions(main.copyMenu()), (std::vector<std::string>{"-", "PCSX", "Even"}));
}

TEST_F(PluginFilesTest, AFailedCopySaysSo) {
    emulators();
    start();
    main.mnuEdit_Click();
    main.lstPluginList[0].clickRow(0);
    files.makeReadOnly("C:\\pe\\plugins");
    main.copyMenu().children[1].item->click();
    EXPECT_EQ(windows.shownBoxes().back().text, "An error occured while attempting to copy C:\\pcsx\\plugin\\gpuA.dll!");
    EXPECT_EQ(windows.shownBoxes().back().icon, MessageIcon::Critical);
}

TEST_F(PluginFilesTest, RenameChecksTheCleanedNameAndRenamesRowAndSelectionTogether) {
    emulators();
    start();
    main.mnuEditRename.click();
    EXPECT_EQ(windows.shownBoxes().back().title, "Select a Plugin");
    main.lstPluginList[0].clickRow(0);
    main.mnuContextRename.click();
    EXPECT_TRUE(main.txtFloat.visible());
    EXPECT_EQ(main.txtFloat.text(), "gpuA.dll");

    main.txtFloat.type("gpuA.DLL");
    main.txtFloat.pressKey(Keys::kEnter);
    EXPECT_EQ(windows.shownBoxes().back().text, "Illegal filename, plugins must end in .dll");
    EXPECT_TRUE(main.txtFloat.visible());
    main.txtFloat.type(" gpuB.dll ");
    main.txtFloat.pressKey(Keys::kEnter);
    EXPECT_EQ(windows.shownBoxes().back().text, "File already exists, please choose a different filename.")
        << "checked after the blanks went";
    main.txtFloat.type("gpu?.dll");
    main.txtFloat.pressKey(Keys::kEnter);
    EXPECT_EQ(windows.shownBoxes().back().title, "Illegal Filename");

    windows.queueAnswer(MessageAnswer::No);
    main.txtFloat.type("  gpu\\New.dll ");
    main.txtFloat.pressKey(Keys::kEnter);
    EXPECT_EQ(windows.shownBoxes().back().title, "Rename Plugin");
    EXPECT_EQ(main.txtFloat.text(), "gpuA.dll") << "No puts the old name back";
    EXPECT_TRUE(files.exists(std::string(kPcsx) + "gpuA.dll"));

    main.txtFloat.type("  gpu\\New.dll ");
    main.txtFloat.pressKey(Keys::kEnter);
    EXPECT_FALSE(main.txtFloat.visible());
    EXPECT_TRUE(files.exists(std::string(kPcsx) + "gpuNew.dll"));
    EXPECT_FALSE(files.exists(std::string(kPcsx) + "gpuA.dll"));
    EXPECT_EQ(fileNames(0)[0], "gpuNew.dll");
    EXPECT_EQ(main.selectedPlugin().path, std::string(kPcsx) + "gpuNew.dll") << "the selection follows";
    EXPECT_TRUE(logHas("Renamed plugin gpuA.dll to gpuNew.dll"));

    main.option(Option::ConfirmRename).click();  // no question any more
    main.mnuEditRename.click();
    main.txtFloat.type("GPUNEW.dll");
    main.txtFloat.pressKey(Keys::kEnter);
    EXPECT_EQ(fileNames(0)[0], "GPUNEW.dll") << "a change of letter case alone is allowed";
    main.mnuEditRename.click();
    main.txtFloat.type("other.dll");
    main.txtFloat.pressKey(Keys::kEscape);
    EXPECT_FALSE(main.txtFloat.visible());
    EXPECT_EQ(fileNames(0)[0], "GPUNEW.dll");
}

TEST_F(PluginFilesTest, DeleteSendsToTheRecycleBinOrAsksBeforeDeletingForGood) {
    emulators();
    start();
    main.lstPluginList[0].clickRow(2);
    main.mnuEditDelete.click();
    EXPECT_EQ(files.recycled(), std::vector<std::string>{std::string(kPcsx) + "gpuC.dll"});
    EXPECT_EQ(fileNames(0), (std::vector<std::string>{"gpuA.dll", "gpuB.dll"}));
    EXPECT_EQ(main.lstPluginList[0].selectedIndex(), 1) << "the last row is the next";
    EXPECT_EQ(main.selectedPlugin().path, std::string(kPcsx) + "gpuB.dll");
    EXPECT_EQ(main.lblPluginCount[0].caption(), "2 GPU Plugins Detected ");
    EXPECT_TRUE(logHas("Deleting plugin gpuC.dll"));

    main.option(Option::Delete).click();
    windows.queueAnswer(MessageAnswer::No);
    main.mnuContextDelete.click();
    EXPECT_EQ(windows.shownBoxes().back().title, "Delete Plugin");
    EXPECT_TRUE(files.exists(std::string(kPcsx) + "gpuB.dll")) << "No keeps it";
    main.mnuContextDelete.click();
    EXPECT_FALSE(files.exists(std::string(kPcsx) + "gpuB.dll"));
    EXPECT_EQ(files.recycled().size(), 1u);

    files.makeReadOnly(std::string(kPcsx) + "gpuA.dll");
    main.mnuEditDelete.click();
    EXPECT_EQ(windows.shownBoxes().back().text, "Deletion of gpuA.dll failed!");
    EXPECT_EQ(fileNames(0), std::vector<std::string>{"gpuA.dll"}) << "the row stays";
    main.lstPluginList[0].clickRow(-1);
    main.mnuEditDelete.click();
    EXPECT_EQ(windows.shownBoxes().back().text, "Deletion of gpuA.dll failed!") << "nothing selected: nothing";
}

TEST_F(PluginFilesTest, ImportsCopyIntoTheFolderOnScreenAndRescan) {
    emulators();
    files.addFile("D:\\downloads\\gpuNew.dll", "new");
    files.addFile("D:\\downloads\\spuNew.dll", "new");
    files.addDirectory("D:\\empty");
    start();
    windows.queueFiles({"D:\\downloads\\gpuNew.dll", "D:\\downloads\\spuNew.dll"});
    libraries.add(std::string(kPcsx) + "gpuNew.dll", PsxPlugin(2, "New GPU"));
    main.mnuFileImportFiles.click();
    EXPECT_EQ(windows.fileDialogTitles().back(), "Select the file(s) to import");
    EXPECT_EQ(files.contents(std::string(kPcsx) + "spuNew.dll"), "new");
    EXPECT_EQ(fileNames(0).size(), 4u) << "rescanned";
    EXPECT_TRUE(logHas("Imported file spuNew.dll"));

    windows.queueFolder(std::string("C:\\PCSX\\PLUGIN"));
    main.mnuFileImportFolder.click();
    EXPECT_EQ(windows.shownBoxes().back().title, "Invalid Operation!") << "the same folder, in other letters";
    windows.queueFolder(std::string("D:\\empty"));
    const std::size_t boxes = windows.shownBoxes().size();
    main.mnuFileImportFolder.click();
    EXPECT_EQ(windows.shownBoxes().size(), boxes) << "an empty folder is no failure";

    main.showPage(MainPage::N64);
    main.ssTabMain_Drop({"D:\\downloads\\gpuNew.dll"});
    EXPECT_TRUE(files.exists("C:\\Corvane\\N64Plugins\\gpuNew.dll"))
        << "the N64 page shows the program's own folder, not the PSX emulator's";
    main.showPage(MainPage::Configuration);
    main.ssTabMain_Drop({"D:\\downloads\\spuNew.dll"});
    EXPECT_EQ(windows.shownBoxes().back().title, "Invalid Operation!");
    EXPECT_FALSE(files.exists("C:\\Corvane\\N64Plugins\\spuNew.dll"));
    main.showPage(MainPage::PSX);
    main.ssTabMain_Drop({"D:\\downloads"});
    EXPECT_TRUE(files.exists(std::string(kPcsx) + "gpuNew.dll"));
}
}  // namespace
