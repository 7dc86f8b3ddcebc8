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
    void profile(const std::string& file, const std::string& name, int system, const std::string& extra = "") {
        files.addFile(kFolder + file, "Windows Registry Editor Version 5.00\r\n\r\n" + extra + "[Corvane]\r\nConfigSpec=1\r\n"
                                      "ConfigName=" + name + "\r\nConfigSystem=" + std::to_string(system) +
                                      "\r\nConfigComments=first$CRLF$second\r\n");
    }
    std::vector<std::string> rowNames(const ListView& list) const {
        std::vector<std::string> names;
        for (const auto& row : list.rows()) names.push_back(row.text);
        return names;
    }
    std::string lastTitle() const { return windows.shownBoxes().empty() ? "" : windows.shownBoxes().back().title; }
};

TEST_F(ProfileDialogsTest, SaveChecksTheInstalledEmulatorsOfThePageShown) {
    settings("[Emulators]\r\nName1=P\r\nSystem1=7\r\nType1=Project 64\r\nExe1=C:\\p\\p.exe\r\nPlugins1=C:\\p\\plugin\r\n"
             "Name2=E\r\nSystem2=6\r\nType2=ePSXe\r\nExe2=C:\\e\\e.exe\r\nPlugins2=C:\\e\\plugins\r\n");
    start();
    main.showPage(MainPage::N64);
    frmSaveConfig& n64 = openSave();
    EXPECT_EQ(n64.caption(), "Corvane: Save Configuration");
    std::vector<bool> checked;
    for (const auto& box : n64.chkSaveConfig) checked.push_back(box.checked());
    EXPECT_EQ(checked, (std::vector<bool>{false, true, false, false, false, true, false}));
    n64.cmdCancel.click();
    EXPECT_TRUE(n64.closed());

    main.showPage(MainPage::PSX);
    frmSaveConfig& psx = openSave();
    EXPECT_TRUE(psx.chkSaveConfig[0].checked());
    EXPECT_TRUE(psx.chkSaveConfig[2].checked()) << "ePSXe is registered";
    EXPECT_FALSE(psx.chkSaveConfig[3].checked());
    EXPECT_EQ(psx.cmbBind.items(), (std::vector<std::string>{"None", "PSX Disc", "PSX ISO", "N64 ROM"}));
    EXPECT_FALSE(psx.cmdBrowse.enabled());
    EXPECT_FALSE(psx.cmdDetectPSXID.enabled());
    psx.cmbBind.choose(1);
    EXPECT_TRUE(psx.cmdDetectPSXID.enabled());
    EXPECT_TRUE(psx.txtSaveInfo[1].enabled());
    EXPECT_FALSE(psx.txtSaveInfo[2].enabled());
    psx.cmbBind.choose(3);
    EXPECT_TRUE(psx.cmdBrowse.enabled());
    EXPECT_EQ(psx.cmdBrowse.toolTip(), "Browse For ROM/ISO");
    psx.cmdCancel.click();

    main.showPage(MainPage::Configuration);
    frmSaveConfig& neither = openSave();
    for (const auto& box : neither.chkSaveConfig) EXPECT_FALSE(box.checked()) << "no system on the page";
}

TEST_F(ProfileDialogsTest, SaveChecksItsFieldsInOrderAndRefusesKeysThatAreNoFileNames) {
    start();
    frmSaveConfig& dialog = openSave();
    dialog.chkSaveConfig[0].click();  // nothing checked now
    dialog.cmdSave.click();
    EXPECT_EQ(lastTitle(), "Profile Unnamed!") << "the first check only";
    EXPECT_FALSE(dialog.chkSaveConfig[0].checked()) << "activated again, the dialog keeps the user's choice";
    EXPECT_EQ(windows.shownBoxes().size(), 1u);
    dialog.txtSaveInfo[0].type("Racing");
    dialog.cmdSave.click();
    EXPECT_EQ(lastTitle(), "No Configs Selected!");
    dialog.chkSaveConfig[0].click();
    dialog.cmbBind.choose(1);
    dialog.cmdSave.click();
    EXPECT_EQ(windows.shownBoxes().back().text, "You must specify the PSX disc you want the profile to be bound to.");
    dialog.cmbBind.choose(2);
    dialog.cmdSave.click();
    EXPECT_EQ(windows.shownBoxes().back().text, "You must specify the ISO or ROM you want the profile to be bound to.");

    dialog.cmbBind.choose(1);
    drives.add("Q:\\", DriveType::CdRom);
    dialog.cmdDetectPSXID.click();
    EXPECT_EQ(lastTitle(), "Could Not Detect ID!") << "no drive selected";
    dialog.txtSaveInfo[1].type("om:\\PSX.EXE");
    dialog.cmdSave.click();
    EXPECT_EQ(lastTitle(), "Bind Error");
    EXPECT_FALSE(dialog.closed());
    EXPECT_TRUE(files.find(std::string(kFolder) + "*").empty()) << "nothing written anywhere";
    dialog.txtSaveInfo[1].pressDelete();
    EXPECT_EQ(dialog.txtSaveInfo[1].text(), "");
}

TEST_F(ProfileDialogsTest, TheSummaryFillsEmptyCommentsOnly) {
    start();
    frmSaveConfig& dialog = openSave();
    dialog.cmbBind.choose(2);
    windows.queueFile(std::string("C:\\Games\\Race.Final.bin"));
    dialog.cmdBrowse.click();
    EXPECT_EQ(dialog.txtSaveInfo[2].text(), "Race.Final.bin");
    dialog.txtSaveInfo[3].doubleClick();
    EXPECT_EQ(dialog.txtSaveInfo[3].text(),
              "Description: \r\n\r\nDate: 12/05/2026\r\n\r\nContents: PSX Plugins\r\n\r\nBound to PSX ISO: Race.Final.bin");
    EXPECT_EQ(dialog.txtSaveInfo[3].selectionStart(), 13);
    dialog.txtSaveInfo[3].type("mine");
    dialog.txtSaveInfo[3].doubleClick();
    EXPECT_EQ(dialog.txtSaveInfo[3].text(), "mine");
}

TEST_F(ProfileDialogsTest, SaveClosesWhenDoneOrAfterNoAndStaysOpenAfterAFailure) {
    registry.createKey("Software\\Pcsx");
    start();
    frmSaveConfig& dialog = openSave();
    dialog.txtSaveInfo[0].type("Racing");
    dialog.cmdSave.click();
    EXPECT_TRUE(dialog.closed());
    EXPECT_TRUE(files.exists(std::string(kFolder) + "Racing.cfg"));

    frmSaveConfig& again = openSave();
    again.txtSaveInfo[0].type("Racing");
    windows.queueAnswer(MessageAnswer::No);
    again.cmdSave.click();
    EXPECT_EQ(lastTitle(), "File Already Exists!");
    EXPECT_TRUE(again.closed()) << "No closes the dialog";

    processes.onRun(processes.systemFolder() + "reg.exe", [](const ProcessStart&) { return 1ul; });
    frmSaveConfig& failing = openSave();
    failing.chkSaveConfig[3].click();
    failing.txtSaveInfo[0].type("Other");
    failing.cmdSave.click();
    EXPECT_EQ(lastTitle(), "Could Not Save Configuration");
    EXPECT_FALSE(failing.closed());
}

TEST_F(ProfileDialogsTest, TheLoadListGroupsBySystemAndTypingCompletesNames) {
    profile("Psx.cfg", "PSX one", 6);
    profile("Both.cfg", "Both", 8);
    profile("SLUS_004.26.cfg", "Disc", 7);
    profile("Odd.cfg", "Odd", 5);
    settings("[Configuration]\r\nLConfigDetails=-1\r\n");
    start();
    frmLoadConfig& dialog = openLoad();
    EXPECT_EQ(dialog.caption(), "Corvane: Load Configuration");
    EXPECT_EQ(rowNames(dialog.lstConfigs), (std::vector<std::string>{"Both", "PSX one", "Disc"}));
    EXPECT_EQ(dialog.lstConfigs.rows()[0].icon, 8);
    EXPECT_EQ(dialog.cmdDetails.caption(), "&Hide Details <<") << "details shown as last time";
    EXPECT_EQ(dialog.height(), frmLoadConfig::kTallHeight);
    dialog.cmdDetails.click();
    EXPECT_EQ(dialog.height(), frmLoadConfig::kShortHeight);
    EXPECT_FALSE(main.session().settings().loadConfigDetails);

    dialog.lstConfigs.clickRow(1);
    EXPECT_EQ(dialog.txtConfig[0].text(), "Psx.cfg");
    EXPECT_EQ(dialog.txtConfig[1].text(), "first\r\nsecond");

    dialog.txtConfig[0].type("s");
    dialog.txtConfig[0].releaseKey('S');
    dialog.txtConfig[0].type("sl");
    dialog.txtConfig[0].releaseKey('L');
    EXPECT_EQ(dialog.txtConfig[0].text(), "SLUS_004.26.cfg");
    EXPECT_EQ(dialog.txtConfig[0].selectionStart(), 2);
    EXPECT_EQ(dialog.txtConfig[0].selectionLength(), 13);
    EXPECT_EQ(dialog.lstConfigs.selectedIndex(), 2);
    dialog.txtConfig[0].type("x");
    dialog.txtConfig[0].releaseKey(8);
    EXPECT_EQ(dialog.txtConfig[0].text(), "x") << "Backspace completes nothing";

    dialog.lstConfigs.clickRow(0);
    dialog.lstConfigs.pressDelete();
    EXPECT_EQ(lastTitle(), "Are You Sure?");
    EXPECT_EQ(rowNames(dialog.lstConfigs), (std::vector<std::string>{"PSX one", "Disc"})) << "its row goes with it";
}

TEST_F(ProfileDialogsTest, LoadImportsTheProfileAndTheListsShowItsPlugins) {
    settings("[Configuration]\r\nLastEmu=1\r\n[Emulators]\r\nName1=PCSX\r\nSystem1=6\r\nType1=PCSX\r\n"
             "Exe1=C:\\pcsx\\pcsx.exe\r\nPlugins1=C:\\pcsx\\plugin\r\n");
    addPlugin("C:\\pcsx\\plugin\\gpuA.dll", PsxPlugin(2, "A GPU"));
    addPlugin("C:\\pcsx\\plugin\\gpuB.dll", PsxPlugin(2, "B GPU"));
    registry.setString("Software\\Pcsx", "gpu", "gpuA.dll");
    profile("Racing.cfg", "Racing", 6, "[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n\"gpu\"=\"gpuB.dll\"\r\n\r\n");
    start();
    EXPECT_EQ(main.lstPluginList[0].selectedIndex(), 0);
    frmLoadConfig& dialog = openLoad();
    dialog.cmdLoad.click();
    EXPECT_EQ(lastTitle(), "Enter a Filename");
    dialog.txtConfig[0].type("Rac*.cfg");
    dialog.cmdLoad.click();
    EXPECT_EQ(lastTitle(), "File Not Found") << "a name is no pattern";
    EXPECT_EQ(windows.shownBoxes().back().text, "The configuration profile 'Rac*.cfg' could not be found.");
    dialog.lstConfigs.clickRow(0);
    dialog.lstConfigs.doubleClick();
    EXPECT_TRUE(dialog.closed());
    EXPECT_EQ(registry.queryValue("Software\\Pcsx", "gpu")->text, "gpuB.dll");
    EXPECT_EQ(main.lstPluginList[0].selectedIndex(), 1) << "the selection is read again";
}

TEST_F(ProfileDialogsTest, TheN64PathListIsEditedAndWrittenWhole) {
    files.addFile("C:\\Corvane\\n64paths.dat", "[N64Plugins]\r\n1Name=Glide\r\n1Path=HKEY_CURRENT_USER\\Software\\Glide\r\n"
                                               "3Name=Lost\r\n3Path=x\r\n");
    start();
    main.mnuToolsConfigN64Regpaths.click();
    frmConfigN64Regpaths& dialog = *main.n64PathsDialog();
    EXPECT_EQ(dialog.caption(), "Corvane: Configure N64 Registry Paths");
    EXPECT_EQ(rowNames(dialog.lstRegPaths), std::vector<std::string>{"Glide"});
    EXPECT_TRUE(dialog.cmdRemove.enabled());
    EXPECT_FALSE(dialog.cmdAdd.enabled());
    dialog.txtInfo[0].type("empty");
    dialog.txtInfo[1].type("HKEY_CURRENT_USER\\Software\\Jabo");
    EXPECT_TRUE(dialog.cmdAdd.enabled()) << "both boxes hold text";
    dialog.cmdAdd.click();
    EXPECT_EQ(lastTitle(), "Invalid Entry") << "the name that ends the list is refused with a reason";
    EXPECT_EQ(rowNames(dialog.lstRegPaths), std::vector<std::string>{"Glide"});
    dialog.txtInfo[0].type("Jabo");
    EXPECT_TRUE(dialog.cmdAdd.enabled());
    dialog.cmdAdd.click();
    EXPECT_EQ(dialog.txtInfo[0].text(), "");
    EXPECT_FALSE(dialog.cmdAdd.enabled());
    dialog.lstRegPaths.clickRow(0);
    EXPECT_EQ(dialog.txtInfo[1].text(), "HKEY_CURRENT_USER\\Software\\Glide");
    dialog.cmdRemove.click();
    EXPECT_TRUE(dialog.cmdRemove.enabled()) << "Jabo is left";
    dialog.lstRegPaths.clickRow(0);
    dialog.cmdRemove.click();
    EXPECT_FALSE(dialog.cmdRemove.enabled()) << "nothing is left";
    dialog.txtInfo[0].type("Jabo");
    dialog.txtInfo[1].type("HKEY_CURRENT_USER\\Software\\Jabo");
    dialog.cmdAdd.click();
    dialog.cmdOK.click();
    EXPECT_TRUE(dialog.closed());
    EXPECT_EQ(TextOfFile(files.contents("C:\\Corvane\\n64paths.dat")),
              "[N64Plugins]\r\n1Name=Jabo\r\n1Path=HKEY_CURRENT_USER\\Software\\Jabo\r\n");
}
}  // namespace
