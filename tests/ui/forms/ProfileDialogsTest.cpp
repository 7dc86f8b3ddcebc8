// The profile dialogs over the session's profile commands (tested in
// tests/session): what each dialog checks, shows and closes on.
#include "doubles/FakeRegTool.h"
#include "plugins/FakePlugins.h"
#include "ui/MainFixture.h"

namespace {
const char* const kFolder = "C:\\Corvane\\Configurations\\";

class ProfileDialogsTest : public MainFixture {
protected:
    ProfileDialogsTest() {
        files.addDirectory(kFolder);
        InstallFakeRegTool(processes, registry, files);
    }
    frmSaveConfig& openSave() {
        main.mnuFileSaveConfig.click();
        frmSaveConfig& dialog = *main.saveConfigDialog();
        dialog.activate();
        // Every box the dialog raises activates it again when it closes.
        windows.onModalClosed = [&dialog] { dialog.activate(); };
        return dialog;
    }
    frmLoadConfig& openLoad() {
        main.mnuFileLoadConfig.click();
        return *main.loadConfigDialog();
    }
    void profile(const std::string& file, const std::string& name, int system, const std::string& keys = "") {
        files.addFile(kFolder + file, "Windows Registry Editor Version 5.00\r\n\r\n" + keys + "[Corvane]\r\nConfigSpec=1\r\n"
                                      "ConfigName=" + name + "\r\nConfigSystem=" + std::to_string(system) +
                                      "\r\nConfigComments=first$CRLF$second\r\n");
    }
    // The contents a Save dialog opened over the page checks by itself.
    std::vector<bool> checkedOver(MainPage page) {
        main.showPage(page);
        frmSaveConfig& dialog = openSave();
        std::vector<bool> checked;
        for (const auto& box : dialog.chkSaveConfig) checked.push_back(box.checked());
        dialog.cmdCancel.click();
        return checked;
    }
    static void typeAhead(frmLoadConfig& dialog, const std::string& typed) {
        dialog.txtConfig[0].type(typed);
        dialog.txtConfig[0].releaseKey(typed.back());
    }
};

TEST_F(ProfileDialogsTest, SaveChecksTheInstalledEmulatorsOfThePageShown) {
    settings("[Emulators]\r\nName1=P\r\nSystem1=7\r\nType1=Project 64\r\nExe1=C:\\p\\p.exe\r\nPlugins1=C:\\p\\plugin\r\n"
             "Name2=E\r\nSystem2=6\r\nType2=ePSXe\r\nExe2=C:\\e\\e.exe\r\nPlugins2=C:\\e\\plugins\r\n");
    start();
    EXPECT_EQ(checkedOver(MainPage::N64), (std::vector<bool>{false, true, false, false, false, true, false}));
    EXPECT_EQ(checkedOver(MainPage::PSX), (std::vector<bool>{true, false, true, false, false, false, false}));
    EXPECT_EQ(checkedOver(MainPage::Configuration), std::vector<bool>(7, false)) << "no system on the page";
}

TEST_F(ProfileDialogsTest, SaveChecksItsFieldsInOrderRefusesKeysThatAreNoFileNamesAndSumsUpEmptyComments) {
    drives.add("Q:\\", DriveType::CdRom);
    start();
    frmSaveConfig& dialog = openSave();
    dialog.chkSaveConfig[0].click();  // nothing checked now
    dialog.cmdSave.click();
    EXPECT_FALSE(dialog.chkSaveConfig[0].checked()) << "activated again, the dialog keeps the user's choice";
    dialog.txtSaveInfo[0].type("Racing");
    dialog.cmdSave.click();
    dialog.chkSaveConfig[0].click();
    dialog.cmbBind.choose(1);
    dialog.cmdSave.click();
    EXPECT_EQ(windows.shownBoxes().back().text, "You must specify the PSX disc you want the profile to be bound to.");
    dialog.cmdDetectPSXID.click();  // no drive selected
    dialog.txtSaveInfo[1].type("om:\\PSX.EXE");
    dialog.cmdSave.click();
    EXPECT_EQ(titles(), (std::vector<std::string>{"Profile Unnamed!", "No Configs Selected!", "Bind Error",
                                                  "Could Not Detect ID!", "Bind Error"}))
        << "one check at a time; the last a game ID that names no file";
    EXPECT_TRUE(files.find(std::string(kFolder) + "*").empty() && !dialog.closed()) << "nothing written";
    dialog.txtSaveInfo[1].pressDelete();
    EXPECT_EQ(dialog.txtSaveInfo[1].text(), "");

    dialog.cmbBind.choose(2);
    EXPECT_FALSE(dialog.cmdDetectPSXID.enabled() || dialog.txtSaveInfo[1].enabled());
    windows.queueFile(std::string("C:\\Games\\Race.Final.bin"));
    dialog.cmdBrowse.click();
    dialog.txtSaveInfo[3].doubleClick();
    EXPECT_EQ(dialog.txtSaveInfo[3].text(),
              "Description: \r\n\r\nDate: 12/05/2026\r\n\r\nContents: PSX Plugins\r\n\r\nBound to PSX ISO: Race.Final.bin");
    EXPECT_EQ(dialog.txtSaveInfo[3].selectionStart(), 13);
    dialog.txtSaveInfo[3].type("mine");
    dialog.txtSaveInfo[3].doubleClick();
    EXPECT_EQ(dialog.txtSaveInfo[3].text(), "mine") << "the summary fills empty comments only";
}

TEST_F(ProfileDialogsTest, WithoutAFolderTheListIsEmptyAndTheFirstSaveMakesItAndCloses) {
    files.shellFileOperation(ShellOperation::Delete, "C:\\Corvane\\Configurations", "", 0, "", 0);
    registry.createKey("Software\\Pcsx");
    start();
    EXPECT_TRUE(openLoad().lstConfigs.rows().empty() && windows.shownBoxes().empty()) << "quietly";
    main.loadConfigDialog()->cmdCancel.click();
    frmSaveConfig& dialog = openSave();
    dialog.txtSaveInfo[0].type("Racing");
    dialog.cmdSave.click();
    EXPECT_TRUE(dialog.closed() && windows.shownBoxes().empty());
    EXPECT_EQ(texts(openLoad().lstConfigs), std::vector<std::string>{"Racing"}) << "the save made the folder";
}

TEST_F(ProfileDialogsTest, TheLoadListCompletesTypedNamesAndLoadsTheChosenProfile) {
    settings("[Configuration]\r\nLastEmu=1\r\nLConfigDetails=-1\r\n[Emulators]\r\nName1=PCSX\r\nSystem1=6\r\n"
             "Type1=PCSX\r\nExe1=C:\\pcsx\\pcsx.exe\r\nPlugins1=C:\\pcsx\\plugin\r\n");
    addPlugin("C:\\pcsx\\plugin\\gpuA.dll", PsxPlugin(2, "A GPU"));
    addPlugin("C:\\pcsx\\plugin\\gpuB.dll", PsxPlugin(2, "B GPU"));
    registry.setString("Software\\Pcsx", "gpu", "gpuA.dll");
    profile("Psx.cfg", "PSX one", 6, "[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n\"gpu\"=\"gpuB.dll\"\r\n\r\n");
    profile("Both.cfg", "Both", 8);
    profile("SLUS_004.26.cfg", "Disc", 7);
    profile("Odd.cfg", "Odd", 5);
    start();
    frmLoadConfig& dialog = openLoad();
    EXPECT_EQ(texts(dialog.lstConfigs), (std::vector<std::string>{"Both", "PSX one", "Disc"}));
    EXPECT_EQ(dialog.height(), frmLoadConfig::kTallHeight) << "details shown as last time";
    dialog.cmdDetails.click();
    EXPECT_EQ(dialog.height(), frmLoadConfig::kShortHeight);
    EXPECT_FALSE(main.session().settings().loadConfigDetails);
    dialog.cmdLoad.click();
    EXPECT_EQ(lastTitle(), "Enter a Filename");

    typeAhead(dialog, "s");
    typeAhead(dialog, "sl");
    EXPECT_EQ(dialog.txtConfig[0].text(), "SLUS_004.26.cfg");
    EXPECT_EQ(dialog.txtConfig[0].selectionStart(), 2);
    EXPECT_EQ(dialog.txtConfig[0].selectionLength(), 13);
    EXPECT_EQ(dialog.lstConfigs.selectedIndex(), 2);
    dialog.txtConfig[0].type("x");
    dialog.txtConfig[0].releaseKey(8);
    EXPECT_EQ(dialog.txtConfig[0].text(), "x") << "Backspace completes nothing";

    dialog.lstConfigs.clickRow(0);
    dialog.lstConfigs.pressDelete();
    EXPECT_EQ(texts(dialog.lstConfigs), (std::vector<std::string>{"PSX one", "Disc"})) << "its row goes with it";
    dialog.lstConfigs.clickRow(0);
    EXPECT_EQ(dialog.txtConfig[0].text() + "|" + dialog.txtConfig[1].text(), "Psx.cfg|first\r\nsecond");
    dialog.lstConfigs.doubleClick();
    EXPECT_TRUE(dialog.closed());
    EXPECT_EQ(main.lstPluginList[0].selectedIndex(), 1) << "the selection is read again";
}

TEST_F(ProfileDialogsTest, TheDetailsShowWhatTheChosenProfileWouldChangeWithoutChangingIt) {
    registry.setString("Software\\Pcsx", "gpu", "gpuA.dll");
    profile("Same.cfg", "Same", 6, "[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n\"gpu\"=\"gpuA.dll\"\r\n");
    profile("Shared.cfg", "Shared", 6,
            "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n\"ceoEvil\"=\"evil.exe\"\r\n"
            "[-HKEY_CURRENT_USER\\Software\\CeoKeep]\r\n"
            "[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n\"gpu\"=\"gpuB.dll\"\r\n\"pad1\"=dword:00000002\r\n");
    start();
    const std::size_t started = processes.started().size();
    frmLoadConfig& dialog = openLoad();
    dialog.lstConfigs.clickRow(1);
    EXPECT_EQ(dialog.txtConfig[2].text(),
              "Loading it changes (now \xE2\x86\x92 profile):\r\n"
              "HKEY_CURRENT_USER\\Software\\Pcsx\r\n"
              "    gpu: \"gpuA.dll\" \xE2\x86\x92 \"gpuB.dll\"\r\n"
              "    pad1: (not set) \xE2\x86\x92 0x00000002 (2)\r\n\r\n"
              "Left out, as a profile may not write them:\r\n"
              "    HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\r\n"
              "    HKEY_CURRENT_USER\\Software\\CeoKeep (deletion of the key)\r\n");
    typeAhead(dialog, "sa");
    EXPECT_EQ(dialog.txtConfig[2].text(), "Loading it changes no value: the registry holds its data already.\r\n")
        << "a row that type-ahead picks is previewed too";
    EXPECT_EQ(processes.started().size(), started) << "looking runs no program";
    EXPECT_FALSE(files.exists("C:\\TEMP\\regimport.tmp")) << "and writes nothing";
    EXPECT_EQ(value("Software\\Pcsx", "gpu"), "gpuA.dll");
}

TEST_F(ProfileDialogsTest, TheN64PathListIsEditedAndWrittenWhole) {
    files.addFile("C:\\Corvane\\n64paths.dat", "[N64Plugins]\r\n1Name=Glide\r\n1Path=HKEY_CURRENT_USER\\Software\\Glide\r\n"
                                               "3Name=Lost\r\n3Path=x\r\n");
    start();
    main.mnuToolsConfigN64Regpaths.click();
    frmConfigN64Regpaths& dialog = *main.n64PathsDialog();
    EXPECT_EQ(texts(dialog.lstRegPaths), std::vector<std::string>{"Glide"}) << "the numbers end at the first gap";
    EXPECT_FALSE(dialog.cmdAdd.enabled());
    const auto add = [&dialog](const std::string& name) {
        dialog.txtInfo[0].type(name);
        dialog.txtInfo[1].type("HKEY_CURRENT_USER\\Software\\Jabo");
        EXPECT_TRUE(dialog.cmdAdd.enabled()) << "both boxes hold text";
        dialog.cmdAdd.click();
    };
    add("empty");
    EXPECT_EQ(lastTitle(), "Invalid Entry") << "the name that ends the list is refused with a reason";
    add("Jabo");
    EXPECT_FALSE(dialog.cmdAdd.enabled()) << "the boxes are emptied";
    dialog.lstRegPaths.clickRow(0);
    EXPECT_EQ(dialog.txtInfo[1].text(), "HKEY_CURRENT_USER\\Software\\Glide") << "a row clicked fills the boxes";
    for (bool left : {true, false}) {
        dialog.lstRegPaths.clickRow(0);
        dialog.cmdRemove.click();
        EXPECT_EQ(dialog.cmdRemove.enabled(), left) << "while a row is left";
    }
    add("Jabo");
    dialog.cmdOK.click();
    EXPECT_TRUE(dialog.closed());
    EXPECT_EQ(TextOfFile(files.contents("C:\\Corvane\\n64paths.dat")),
              "[N64Plugins]\r\n1Name=Jabo\r\n1Path=HKEY_CURRENT_USER\\Software\\Jabo\r\n");
}
}  // namespace
