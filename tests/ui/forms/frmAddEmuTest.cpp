// The emulator dialog: what browsing proposes, what OK refuses, and the
// list and selector kept in step with the entries.
#include "ui/MainFixture.h"

namespace {
class frmAddEmuTest : public MainFixture {
protected:
    frmAddEmu& open(Button& button) {
        button.click();
        frmAddEmu& dialog = *main.addEmuDialog();
        dialog.activate();
        return dialog;
    }
    void browseTo(frmAddEmu& dialog, const std::string& exe) {
        windows.queueFile(exe);
        dialog.cmdBrowseExe.click();
    }
    // Name, executable, plug-in folder, system and type as the dialog shows them.
    static std::vector<std::string> fields(const frmAddEmu& dialog) {
        return {dialog.txtName.text(), dialog.txtExe.text(), dialog.txtPlugins.text(), dialog.cmbSystem.text(),
                dialog.cmbType.text()};
    }
};

TEST_F(frmAddEmuTest, BrowsingProposesWhatItKnowsOfTheProgramAndKeepsWhatIsThere) {
    start();
    frmAddEmu& dialog = open(main.cmdAddEmu);
    browseTo(dialog, "C:\\pcsx\\PCSX.EXE");
    EXPECT_EQ(fields(dialog),
              (std::vector<std::string>{"PCSX", "C:\\pcsx\\PCSX.EXE", "C:\\pcsx\\plugin", "Playstation", "PCSX"}));
    browseTo(dialog, "C:\\tools\\other.exe");
    EXPECT_EQ(fields(dialog)[4], "PCSX") << "an unknown program changes nothing else";
    dialog.txtExe.type("typed");
    EXPECT_EQ(dialog.txtExe.text(), "C:\\tools\\other.exe") << "read-only";
    dialog.txtExe.pressDelete();
    EXPECT_EQ(dialog.txtExe.text(), "");
    dialog.txtName.type("My N64");
    browseTo(dialog, "C:\\N64\\Project64.exe");
    EXPECT_EQ(dialog.cmbType.items(), (std::vector<std::string>{"Project 64", "1964", "Folder"}));
    EXPECT_EQ(fields(dialog), (std::vector<std::string>{"My N64", "C:\\N64\\Project64.exe", "C:\\pcsx\\plugin",
                                                        "Nintendo 64", "Project 64"}))
        << "the name typed and the folder already there are kept";
    dialog.cmdOK.click();
    EXPECT_TRUE(dialog.closed());
    EXPECT_EQ(main.cmbEmuSelect.items().back(), "My N64  (N64)");
    EXPECT_EQ(main.lstEmulators.rows()[0].subItems,
              (std::vector<std::string>{"Project 64", "C:\\N64\\Project64.exe", "C:\\pcsx\\plugin"}));
    EXPECT_TRUE(main.cmdEditEmu.enabled() && main.session().emulators().installationFlags().Project64);
}

TEST_F(frmAddEmuTest, OkRefusesIncompleteEntriesAndTheNameThatEndsTheStoredList) {
    start();
    frmAddEmu& dialog = open(main.cmdAddEmu);
    dialog.cmdOK.click();
    dialog.txtName.type(std::string(150, 'n'));
    EXPECT_EQ(dialog.txtName.text().size(), 100u);
    dialog.cmdOK.click();
    windows.queueFolder(std::string("E:\\Plugins"));
    dialog.cmdBrowsePlugins.click();
    dialog.cmdOK.click();
    dialog.txtName.type("empty");
    dialog.cmbSystem.choose(1);
    dialog.cmbType.choose(2);
    dialog.cmdOK.click();
    EXPECT_EQ(titles(), (std::vector<std::string>{"Form Not Complete", "Form Not Complete", "Invalid Value",
                                                  "Invalid Value"}));
    EXPECT_EQ(windows.shownBoxes()[0].text, "The 'name' field cannot be left blank. Please enter a name for the entry.");
    EXPECT_FALSE(dialog.closed());
    dialog.txtName.type("Backups");
    dialog.cmdOK.click();
    EXPECT_TRUE(dialog.closed());
    EXPECT_EQ(main.lstEmulators.rows()[0].subItems, (std::vector<std::string>{"Folder", "....", "E:\\Plugins\\"}));
    EXPECT_EQ(main.lstEmulators.rows()[0].icon, 7);
}

TEST_F(frmAddEmuTest, EditRenameAndRemoveKeepListAndSelectorInStep) {
    emulators({{"ePSXe", EmuSystem::PSX, "ePSXe", "C:\\e\\epsxe.exe", "C:\\e\\plugins"},
               {"Spare", EmuSystem::PSX, "Folder", "....", "C:\\spare"}},
              1);
    start();
    main.lstEmulators.clickRow(1);
    frmAddEmu& dialog = open(main.cmdEditEmu);
    EXPECT_EQ(fields(dialog), (std::vector<std::string>{"Spare", "....", "C:\\spare", "Playstation", "Folder"}));
    dialog.txtName.type("Backups");
    dialog.cmdOK.click();
    EXPECT_EQ(main.cmbEmuSelect.items()[2], "Backups  (PSX)");

    EXPECT_FALSE(main.lstEmulators.rename(1, "")) << "an empty name is refused";
    EXPECT_FALSE(main.lstEmulators.rename(1, "empty")) << "the name that ends the list in settings.ini";
    EXPECT_TRUE(main.lstEmulators.rename(1, "Old disks"));
    EXPECT_EQ(main.cmbEmuSelect.items()[2], "Old disks  (PSX)");

    main.lstEmulators.clickRow(0);
    main.cmdRemoveEmu.click();
    EXPECT_EQ(main.cmbEmuSelect.listIndex(), 0) << "the shown entry went: the one before it";
    EXPECT_EQ(main.cmbEmuSelect.items(), (std::vector<std::string>{"-- Tool Plugin Backups --", "Old disks  (PSX)"}));
    EXPECT_EQ(main.ssTabMain.selectedIndex(), 0);
    EXPECT_FALSE(main.session().emulators().installationFlags().ePSXe);
    main.lstEmulators.clickRow(0);
    main.cmdRemoveEmu.click();
    EXPECT_FALSE(main.cmdEditEmu.enabled() || main.cmdRemoveEmu.enabled());
}
}  // namespace
