#include "ui/MainFixture.h"

namespace {
class frmAddEmuTest : public MainFixture {
protected:
    frmAddEmu& openAdd() {
        main.cmdAddEmu.click();
        frmAddEmu& dialog = *main.addEmuDialog();
        dialog.activate();
        return dialog;
    }
    std::vector<std::string> selectorItems() const { return main.cmbEmuSelect.items(); }
};

TEST_F(frmAddEmuTest, BrowsingToAKnownExecutableProposesNameFolderSystemAndType) {
    start();
    frmAddEmu& dialog = openAdd();
    EXPECT_EQ(dialog.cmbType.items(), (std::vector<std::string>{"ePSXe", "PCSX", "PSXeven", "Folder"}));

    windows.queueFile(std::string("D:\\Emus\\ePSXe\\ePSXe.exe"));
    dialog.cmdBrowseExe.click();
    EXPECT_EQ(windows.fileDialogTitles().back(), "Select your emulator's executable:");
    EXPECT_EQ(dialog.txtName.text(), "ePSXe");
    EXPECT_EQ(dialog.txtPlugins.text(), "D:\\Emus\\ePSXe\\plugins");
    EXPECT_EQ(dialog.cmbSystem.text(), "Playstation");
    EXPECT_EQ(dialog.cmbType.text(), "ePSXe");

    dialog.cmdOK.click();
    EXPECT_TRUE(dialog.closed());
    EXPECT_EQ(selectorItems().back(), "ePSXe  (PSX)");
    EXPECT_EQ(main.lstEmulators.rows()[0].subItems,
              (std::vector<std::string>{"ePSXe", "D:\\Emus\\ePSXe\\ePSXe.exe", "D:\\Emus\\ePSXe\\plugins"}));
    EXPECT_TRUE(main.cmdEditEmu.enabled());
    EXPECT_TRUE(main.session().emulators().installationFlags().ePSXe);
}

TEST_F(frmAddEmuTest, TypedFieldsAreKeptAndPcsxProposesPlugin) {
    start();
    frmAddEmu& dialog = openAdd();
    dialog.txtName.type("My PCSX");
    windows.queueFile(std::string("C:\\pcsx\\PCSX.EXE"));
    dialog.cmdBrowseExe.click();
    EXPECT_EQ(dialog.txtName.text(), "My PCSX");
    EXPECT_EQ(dialog.txtPlugins.text(), "C:\\pcsx\\plugin");
    EXPECT_EQ(dialog.cmbType.text(), "PCSX");

    windows.queueFile(std::string("C:\\N64\\Project64.exe"));
    dialog.cmdBrowseExe.click();
    EXPECT_EQ(dialog.cmbSystem.text(), "Nintendo 64");
    EXPECT_EQ(dialog.cmbType.items(), (std::vector<std::string>{"Project 64", "1964", "Folder"}));
    EXPECT_EQ(dialog.txtPlugins.text(), "C:\\pcsx\\plugin") << "a folder already there is kept";

    windows.queueFile(std::string("C:\\tools\\other.exe"));
    dialog.cmdBrowseExe.click();
    EXPECT_EQ(dialog.txtExe.text(), "C:\\tools\\other.exe");
    EXPECT_EQ(dialog.cmbType.text(), "Project 64") << "an unknown program changes nothing else";
    dialog.txtExe.type("typed");
    EXPECT_EQ(dialog.txtExe.text(), "C:\\tools\\other.exe") << "read-only";
    dialog.txtExe.pressDelete();
    EXPECT_EQ(dialog.txtExe.text(), "");
}

TEST_F(frmAddEmuTest, OkRefusesIncompleteEntriesAndStoresFolders) {
    start();
    frmAddEmu& dialog = openAdd();
    dialog.cmdOK.click();
    dialog.txtName.type(std::string(150, 'n'));
    EXPECT_EQ(dialog.txtName.text().size(), 100u);
    dialog.cmdOK.click();
    windows.queueFolder(std::string("E:\\Plugins"));
    dialog.cmdBrowsePlugins.click();
    dialog.cmdOK.click();
    ASSERT_EQ(windows.shownBoxes().size(), 3u);
    EXPECT_EQ(windows.shownBoxes()[0].text,
              "The 'name' field cannot be left blank. Please enter a name for the entry.");
    EXPECT_EQ(windows.shownBoxes()[1].title, "Form Not Complete");
    EXPECT_EQ(windows.shownBoxes()[2].title, "Invalid Value");
    EXPECT_FALSE(dialog.closed());

    dialog.cmbSystem.choose(1);
    dialog.cmbType.choose(2);
    dialog.cmdOK.click();
    EXPECT_TRUE(dialog.closed());
    EXPECT_EQ(main.lstEmulators.rows()[0].subItems, (std::vector<std::string>{"Folder", "....", "E:\\Plugins\\"}));
    EXPECT_EQ(main.lstEmulators.rows()[0].icon, 7);
}

TEST_F(frmAddEmuTest, EditRenameAndRemoveKeepListAndSelectorInStep) {
    settings("[Configuration]\r\nLastEmu=1\r\n[Emulators]\r\nName1=ePSXe\r\nSystem1=6\r\nType1=ePSXe\r\n"
             "Exe1=C:\\e\\epsxe.exe\r\nPlugins1=C:\\e\\plugins\r\nName2=Spare\r\nSystem2=6\r\nType2=Folder\r\n"
             "Exe2=....\r\nPlugins2=C:\\spare\r\n");
    start();
    main.lstEmulators.clickRow(1);
    main.cmdEditEmu.click();
    frmAddEmu& dialog = *main.addEmuDialog();
    dialog.activate();
    EXPECT_EQ(dialog.caption(), "Corvane: Edit Emulator");
    EXPECT_EQ(dialog.cmbType.text(), "Folder");
    EXPECT_EQ(dialog.txtExe.text(), "....");
    dialog.txtName.type("Backups");
    dialog.cmdOK.click();
    EXPECT_EQ(selectorItems()[2], "Backups  (PSX)");

    EXPECT_FALSE(main.lstEmulators.rename(1, "")) << "an empty name is refused";
    EXPECT_FALSE(main.lstEmulators.rename(1, "empty")) << "the name that ends the list in settings.ini";
    EXPECT_EQ(windows.shownBoxes().back().title, "Invalid Value");
    EXPECT_TRUE(main.lstEmulators.rename(1, "Old disks"));
    EXPECT_EQ(selectorItems()[2], "Old disks  (PSX)");

    main.lstEmulators.clickRow(0);
    main.cmdRemoveEmu.click();
    EXPECT_EQ(main.cmbEmuSelect.listIndex(), 0) << "the shown entry went: the one before it";
    EXPECT_EQ(selectorItems(), (std::vector<std::string>{"-- Tool Plugin Backups --", "Old disks  (PSX)"}));
    EXPECT_EQ(main.ssTabMain.selectedIndex(), 0);
    EXPECT_FALSE(main.session().emulators().installationFlags().ePSXe);
    main.lstEmulators.clickRow(0);
    main.cmdRemoveEmu.click();
    EXPECT_FALSE(main.cmdEditEmu.enabled());
    EXPECT_FALSE(main.cmdRemoveEmu.enabled());
}
TEST_F(frmAddEmuTest, TheNameThatEndsTheStoredListIsRefused) {
    start();
    frmAddEmu& dialog = openAdd();
    dialog.txtName.type("empty");
    windows.queueFolder(std::string("E:\\Plugins"));
    dialog.cmdBrowsePlugins.click();
    dialog.cmbType.setListIndex(3);
    dialog.cmdOK.click();
    EXPECT_FALSE(dialog.closed());
    EXPECT_EQ(windows.shownBoxes().back().title, "Invalid Value");
    EXPECT_EQ(main.session().emulators().Count(), 0);
}

}  // namespace
