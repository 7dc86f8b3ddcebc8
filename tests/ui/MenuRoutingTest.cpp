#include "plugins/FakePlugins.h"
#include "ui/MainFixture.h"

namespace {
const char* const kGpu = "C:\\e\\plugins\\gpuA.dll";

class MenuRoutingTest : public MainFixture {
protected:
    // An ePSXe entry with a GPU plug-in, a Project 64 one and a plug-in
    // folder entry; ePSXe shown with its GPU row chosen.
    void startWithEmulators() {
        settings("[Configuration]\r\nLogging=-1\r\nLastEmu=1\r\n[Emulators]\r\n"
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
    void choose(int entry) { main.cmbEmuSelect.choose(entry); }
    // Something the user sees, counted: boxes, dialogs, calls, starts.
    std::size_t happenings() const {
        return windows.shownBoxes().size() + windows.fileDialogTitles().size() + libraries.calls().size() +
               processes.started().size() + environment.opened.size();
    }
    int refreshes() const { return logCount("Refreshing current plugin set..."); }
    std::string lastCall() const { return libraries.calls().empty() ? "" : libraries.calls().back().name; }
};

struct Route {
    const char* entry;
    std::function<void()> choose;
    std::function<bool()> reached;
};

TEST_F(MenuRoutingTest, EveryEntryReachesItsCommand) {
    startWithEmulators();
    files.addFile("C:\\Corvane\\readme.txt", "read me");
    const auto dialogsBefore = [this] { return windows.fileDialogTitles().size(); };
    std::size_t before = 0;
    int refreshesBefore = 0;
    const auto newDialog = [&] { return windows.fileDialogTitles().size() > before; };
    const auto newBox = [&](const std::string& title) {
        return !windows.shownBoxes().empty() && windows.shownBoxes().back().title == title;
    };
    const auto page = [this](MainPage shown) { return main.page() == shown; };
    const auto click = [](MenuItem& item) { return [&item] { item.click(); }; };
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

    const Route routes[] = {
        {"File > Import Plugins > File(s)", click(main.mnuFileImportFiles), newDialog},
        {"File > Import Plugins > Folder", click(main.mnuFileImportFolder), newDialog},
        {"File > Import Plugins > Zip Archive", click(main.mnuFileImportZip), newDialog},
        {"File > Load Configuration", click(main.mnuFileLoadConfig), [this] { return main.loadConfigDialog(); }},
        {"File > Save Configuration", click(main.mnuFileSaveConfig), [this] { return main.saveConfigDialog(); }},
        {"File > Configure Emulator", click(main.mnuFileConfigEmu), [this] { return main.ePSXeConfDialog(); }},
        {"File > Launch Emulator", click(main.mnuFileLaunchEmu), [this] { return processes.started().size() == 1; }},
        {"File > Launch CDROM", click(main.mnuFileLaunchCDRom), [this] { return processes.started().size() == 2; }},
        {"File > Launch ISO/ROM", click(main.mnuFileLaunchISOROM), newDialog},
        {"File > Check for Plugin Updates", click(main.mnuFileCheckUpdates), [this] { return main.updateDialog(); }},
        {"Edit > Copy", copyTo(main.mnuEditCopy),
         [this] { return files.exists("C:\\Corvane\\PSXPlugins\\gpuA.dll"); }},
        {"Edit > Copy All", [&] { files.deleteFile("C:\\Corvane\\PSXPlugins\\gpuA.dll"); copyTo(main.mnuEditCopyAll)(); },
         [this] { return files.exists("C:\\Corvane\\PSXPlugins\\gpuA.dll"); }},
        {"View > N64 Plugins", click(main.mnuViewN64), [&] { return page(MainPage::N64); }},
        {"View > Configuration", click(main.mnuViewConfig), [&] { return page(MainPage::Configuration); }},
        {"View > PSX Plugins", click(main.mnuViewPSX), [&] { return page(MainPage::PSX); }},
        {"View > Refresh", click(main.mnuViewRefresh), [&] { return refreshes() > refreshesBefore; }},
        {"Plugins > Configure", onGpu(main.mnuPluginsConfigure), [this] { return lastCall() == "GPUconfigure"; }},
        {"Plugins > Test", onGpu(main.mnuPluginsTest), [this] { return lastCall() == "GPUtest"; }},
        {"Context Menu > Configure", context(main.mnuContextConfigure), [this] { return lastCall() == "GPUconfigure"; }},
        {"Context Menu > Test", context(main.mnuContextTest), [this] { return lastCall() == "GPUtest"; }},
        {"Plugins > PSX Pad Selection > Pad 2", click(main.mnuPluginsPadSelectionPad2),
         [this] { return main.mnuPluginsPadSelectionPad2.checked() && !main.mnuPluginsPadSelectionPad1.checked(); }},
        {"Plugins > Undo Last Plugin Update", click(main.mnuPluginsUndoUpdate),
         [&] { return newBox("Undo Plugin Update"); }},
        {"Tools > Configure N64 Registry Paths", click(main.mnuToolsConfigN64Regpaths),
         [this] { return main.n64PathsDialog(); }},
        {"Help > Read Me", click(main.mnuHelpReadMe),
         [this] { return environment.opened.back() == "C:\\Corvane\\readme.txt"; }},
        {"Help > Web Site", click(main.mnuHelpWebSite),
         [this] { return environment.opened.back() == "https://club.example/corvane/"; }},
        {"About page's update service", [this] { main.cmdUpdateService.click(); },
         [this] { return environment.opened.back() == main.session().serviceAddress(); }},
        {"Help > Check for Tool Update", click(main.mnuHelpCheckToolUpdate),
         [&] { return newBox("Corvane") && windows.shownBoxes().back().text == "Not implemented yet." &&
                      windows.shownBoxes().back().icon == MessageIcon::Information; }},
        {"Help > About", click(main.mnuHelpAbout), [&] { return page(MainPage::About); }},
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
        {"Exit button", [this] { windows.queueAnswer(MessageAnswer::No); main.cmdExit.click(); },
         [&] { return newBox("Exiting Corvane"); }},
        {"File > Exit", [this] { windows.queueAnswer(MessageAnswer::No); main.mnuFileExit.click(); },
         [&] { return newBox("Exiting Corvane") && windows.shownBoxes().size() >= 2; }},
    };
    for (const Route& route : routes) {
        before = dialogsBefore();
        refreshesBefore = refreshes();
        route.choose();
        EXPECT_TRUE(route.reached()) << route.entry;
    }
    EXPECT_FALSE(main.closed());

    // File > Manage Configurations has no command.
    const std::size_t seen = happenings();
    main.mnuFileManageConfigs.click();
    EXPECT_FALSE(main.mnuFileManageConfigs.onClick);
    EXPECT_EQ(happenings(), seen);
}

TEST_F(MenuRoutingTest, EntriesAreEnabledByTheEmulatorAndThePluginChosen) {
    startWithEmulators();
    struct State {
        bool configureEmulator, launch, launchCd, launchImage, pluginEntries;
    };
    const auto state = [this] {
        return State{main.mnuFileConfigEmu.enabled(), main.mnuFileLaunchEmu.enabled(), main.mnuFileLaunchCDRom.enabled(),
                     main.mnuFileLaunchISOROM.enabled(), main.mnuContextRename.enabled()};
    };
    const auto expect = [&](const char* when, State wanted) {
        const State now = state();
        EXPECT_EQ(now.configureEmulator, wanted.configureEmulator) << when;
        EXPECT_EQ(now.launch, wanted.launch) << when;
        EXPECT_EQ(now.launchCd, wanted.launchCd) << when;
        EXPECT_EQ(now.launchImage, wanted.launchImage) << when;
        EXPECT_EQ(now.pluginEntries, wanted.pluginEntries) << when;
    };
    expect("ePSXe with a plug-in chosen", {true, true, true, true, true});
    main.lstPluginList[0].clickRow(-1);
    expect("no plug-in chosen", {true, true, true, true, false});
    choose(2);
    expect("Project 64", {false, true, false, true, false});
    choose(3);
    expect("a plug-in folder", {false, false, false, false, false});
    choose(1);
    // Off the plug-in pages the copy entries offer the N64 emulators.
    main.showPage(MainPage::Configuration);
    main.menuOf(main.mnuEdit).onOpen();
    std::vector<std::string> offered;
    for (const auto& node : main.menuOf(main.mnuEditCopyAll).children)
        if (node.item) offered.push_back(node.item->caption());
    EXPECT_EQ(offered, (std::vector<std::string>{"Tool Backups", "PJ"})) << "ePSXe chosen, the Configuration page";
    main.showPage(MainPage::PSX);
    processes.onRun("C:\\e\\epsxe.exe", [&](const ProcessStart&) {
        expect("while ePSXe runs", {true, false, false, false, false});
        return 0ul;
    });
    main.mnuFileLaunchEmu.click();
}

TEST_F(MenuRoutingTest, ReadMeOpensOnlyAFileThatIsThereAndFallsBackToNotepad) {
    start();
    EXPECT_FALSE(main.mnuHelpWebSite.enabled()) << "no web site set: none is made up";
    main.mnuHelpReadMe.click();
    EXPECT_TRUE(environment.opened.empty());
    EXPECT_TRUE(windows.shownBoxes().empty()) << "nothing is said either";

    files.addFile("C:\\Corvane\\readme.txt", "read me");
    environment.refuse = {"C:\\Corvane\\readme.txt"};  // no program for ".txt"
    main.mnuHelpReadMe.click();
    EXPECT_EQ(environment.opened, std::vector<std::string>{"notepad.exe \"C:\\Corvane\\readme.txt\""});
}
}  // namespace
