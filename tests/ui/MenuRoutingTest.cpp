// Every menu entry and button of the main window reaches its command, and
// the entries are enabled by what is chosen. Entries whose dialogs have
// tests of their own are reached there.
#include "plugins/FakePlugins.h"
#include "ui/MainFixture.h"

namespace {
const char* const kGpu = "C:\\e\\plugins\\gpuA.dll";

class MenuRoutingTest : public MainFixture {
protected:
    // An ePSXe entry with a GPU plug-in, a Project 64 one and a plug-in
    // folder entry; ePSXe shown with its GPU row chosen.
    void startWithEmulators() {
        settings("[Configuration]\r\nLogging=-1\r\nSplash=1\r\nLastEmu=1\r\n[Emulators]\r\n"
                 "Name1=ePSXe\r\nSystem1=6\r\nType1=ePSXe\r\nExe1=C:\\e\\epsxe.exe\r\nPlugins1=C:\\e\\plugins\r\n"
                 "Name2=PJ\r\nSystem2=7\r\nType2=Project 64\r\nExe2=C:\\p\\pj64.exe\r\nPlugins2=C:\\p\\plugin\r\n"
                 "Name3=Loose\r\nSystem3=6\r\nType3=Folder\r\nExe3=\r\nPlugins3=C:\\loose\r\n"
                 "[Updates]\r\nServiceAddress=http://updates.example/\r\n"
                 "[Help]\r\nWebSite=https://club.example/corvane/\r\n");
        files.addFile("C:\\e\\epsxe.exe", "MZ");
        files.addFile("C:\\p\\pj64.exe", "MZ");
        files.addDirectory("C:\\loose");
        addPlugin(kGpu, PsxPlugin(2, "A GPU"));
        start();
        main.lstPluginList[0].clickRow(0);
    }
    std::string lastCall() const { return libraries.calls().empty() ? "" : libraries.calls().back().name; }
    std::string lastOpened() const { return environment.opened.empty() ? "" : environment.opened.back(); }
};

struct Route {
    const char* entry;
    std::function<void()> choose;
    std::function<bool()> reached;
};

TEST_F(MenuRoutingTest, EveryEntryReachesItsCommand) {
    startWithEmulators();
    std::size_t dialogs = 0, boxes = 0;
    const auto newDialog = [&] { return windows.fileDialogTitles().size() > dialogs; };
    const auto newBox = [&](const std::string& title) {
        return windows.shownBoxes().size() > boxes && lastTitle() == title;
    };
    const auto page = [this](MainPage shown) { return [this, shown] { return main.page() == shown; }; };
    const auto called = [this](const std::string& call) { return [this, call] { return lastCall() == call; }; };
    const auto click = [](auto& item) { return [&item] { item.click(); }; };
    // A rescan leaves no row chosen: the plug-in entries choose the GPU first.
    const auto onGpu = [this](MenuItem& item) {
        return [this, &item] {
            main.lstPluginList[0].clickRow(0);
            item.click();
        };
    };
    const auto copyTo = [this](MenuItem& submenu) {
        return [this, &submenu] {
            main.menuOf(main.mnuEdit).onOpen();
            main.menuOf(submenu).children.at(0).item->click();
        };
    };
    const auto context = [this](MenuItem& item) {
        return [this, &item] {
            main.lstPluginList[0].clickRow(0);
            main.lstPluginList[0].rightClick();
            ASSERT_EQ(main.shownPopup(), &main.pluginContextMenu());
            item.click();
        };
    };
    const auto backedUp = [this] { return files.exists("C:\\Corvane\\PSXPlugins\\gpuA.dll"); };
    const auto quit = [this](auto& item) {
        return [this, &item] {
            windows.queueAnswer(MessageAnswer::No);
            item.click();
        };
    };
    const auto asked = [&] { return newBox("Exiting Corvane"); };

    const Route routes[] = {
        {"File > Import Plugins > File(s)", click(main.mnuFileImportFiles), newDialog},
        {"File > Import Plugins > Folder", click(main.mnuFileImportFolder), newDialog},
        {"File > Import Plugins > Zip Archive", click(main.mnuFileImportZip), newDialog},
        {"File > Launch Emulator", click(main.mnuFileLaunchEmu), [this] { return processes.started().size() == 1; }},
        {"File > Launch CDROM", click(main.mnuFileLaunchCDRom), [this] { return processes.started().size() == 2; }},
        {"File > Launch ISO/ROM", click(main.mnuFileLaunchISOROM), newDialog},
        {"Edit > Copy", copyTo(main.mnuEditCopy), backedUp},
        {"Edit > Copy All", [&] { files.deleteFile("C:\\Corvane\\PSXPlugins\\gpuA.dll"); copyTo(main.mnuEditCopyAll)(); },
         backedUp},
        {"View > N64 Plugins", click(main.mnuViewN64), page(MainPage::N64)},
        {"View > PSX Plugins", click(main.mnuViewPSX), page(MainPage::PSX)},
        {"Help > About", click(main.mnuHelpAbout), page(MainPage::About)},
        {"Help > Check for Tool Update", click(main.mnuHelpCheckToolUpdate), [&] { return newBox("Corvane"); }},
        {"Tray > Check For Plugin Updates", click(main.sysTray().mnuSysTray[frmSysTray::Update]),
         [this] { return logHas("Update timer interval passed; executing update procedure..."); }},
        {"Plugins > Configure", onGpu(main.mnuPluginsConfigure), called("GPUconfigure")},
        {"Plugins > Test", onGpu(main.mnuPluginsTest), called("GPUtest")},
        {"Context Menu > Configure", context(main.mnuContextConfigure), called("GPUconfigure")},
        {"Context Menu > Test", context(main.mnuContextTest), called("GPUtest")},
        {"Plugins > PSX Pad Selection > Pad 2", click(main.mnuPluginsPadSelectionPad2),
         [this] { return main.mnuPluginsPadSelectionPad2.checked() && !main.mnuPluginsPadSelectionPad1.checked(); }},
        {"Plugins > Undo Last Plugin Update", click(main.mnuPluginsUndoUpdate),
         [&] { return newBox("Undo Plugin Update"); }},
        {"Help > Web Site", click(main.mnuHelpWebSite),
         [this] { return lastOpened() == "https://club.example/corvane/"; }},
        {"About page's update service", click(main.cmdUpdateService),
         [this] { return lastOpened() == main.session().serviceAddress(); }},
        {"Edit > Rename", [&] { main.showPage(MainPage::PSX); onGpu(main.mnuEditRename)(); },
         [this] { return main.txtFloat.visible(); }},
        {"Context Menu > Delete", context(main.mnuContextDelete), [this] { return !files.exists(kGpu); }},
        {"Emu Context Menu > Edit", [this] { main.lstEmulators.clickRow(0); main.lstEmulators.rightClick();
                                             main.mnuEmuContextEdit.click(); },
         [this] { return main.addEmuDialog(); }},
        {"Emu Context Menu > Delete", [this] { main.lstEmulators.clickRow(2); main.mnuEmuContextDelete.click(); },
         [this] { return main.session().emulators().Count() == 2; }},
        {"Edit > Enable Logging", click(main.mnuEditEnableLogging),
         [this] { return !main.mnuEditEnableLogging.checked() && logHas("****** Logging Disabled ******"); }},
        {"Exit button", quit(main.cmdExit), asked},
        {"File > Exit", quit(main.mnuFileExit), asked},
        {"Tray > Exit", quit(main.sysTray().mnuSysTray[frmSysTray::Exit]), asked},
    };
    for (const Route& route : routes) {
        dialogs = windows.fileDialogTitles().size();
        boxes = windows.shownBoxes().size();
        route.choose();
        EXPECT_TRUE(route.reached()) << route.entry;
    }
    EXPECT_FALSE(main.closed()) << "each quit was answered No";
}

TEST_F(MenuRoutingTest, EntriesAreEnabledByTheEmulatorAndThePluginChosen) {
    startWithEmulators();
    // Configure Emulator, Launch, Launch CDROM, Launch ISO/ROM, the plug-in entries.
    const auto enabled = [this] {
        return std::vector<bool>{main.mnuFileConfigEmu.enabled(), main.mnuFileLaunchEmu.enabled(),
                                 main.mnuFileLaunchCDRom.enabled(), main.mnuFileLaunchISOROM.enabled(),
                                 main.mnuContextRename.enabled()};
    };
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true, true})) << "ePSXe with a plug-in chosen";
    main.lstPluginList[0].clickRow(-1);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true, false})) << "no plug-in chosen";
    main.cmbEmuSelect.choose(2);
    EXPECT_EQ(enabled(), (std::vector<bool>{false, true, false, true, false})) << "Project 64";
    main.cmbEmuSelect.choose(1);
    main.showPage(MainPage::Configuration);
    main.menuOf(main.mnuEdit).onOpen();
    std::vector<std::string> offered;
    for (const auto& node : main.menuOf(main.mnuEditCopyAll).children) offered.push_back(node.item->caption());
    EXPECT_EQ(offered, (std::vector<std::string>{"Tool Backups", "PJ"})) << "off the plug-in pages: the N64 emulators";
    main.showPage(MainPage::PSX);
    processes.onRun("C:\\e\\epsxe.exe", [&](const ProcessStart&) {
        EXPECT_EQ(enabled(), (std::vector<bool>{true, false, false, false, false})) << "while ePSXe runs";
        return 0ul;
    });
    main.mnuFileLaunchEmu.click();
}

TEST_F(MenuRoutingTest, WithoutAReadMeOrAWebSiteTheirEntriesDoNothing) {
    start();
    EXPECT_FALSE(main.mnuHelpWebSite.enabled()) << "no web site set: none is made up";
    main.mnuHelpReadMe.click();
    EXPECT_TRUE(environment.opened.empty() && windows.shownBoxes().empty()) << "no read me: nothing, quietly";
}
}  // namespace
