#include "plugins/FakePlugins.h"
#include "ui/MainFixture.h"

namespace {
class SysTrayTest : public MainFixture {
protected:
    // What the tray reported, one word per event.
    std::vector<std::string> events;
    void listen(frmSysTray& tray) {
        const auto note = [this](const std::string& what) { return [this, what](int button) {
            events.push_back(what + std::to_string(button)); }; };
        tray.SysTrayMouseDown = note("down");
        tray.SysTrayMouseUp = note("up");
        tray.SysTrayDoubleClick = note("double");
        tray.SysTrayMouseMove = [this] { events.push_back("move"); };
        tray.BalloonShow = [this] { events.push_back("shown"); };
        tray.BalloonHide = [this] { events.push_back("hidden"); };
        tray.BalloonTimeOut = [this] { events.push_back("timeout"); };
        tray.BalloonClicked = [this] { events.push_back("clicked"); };
    }
    // Two ePSXe entries (an N64 one between them) and an N64 one, the
    // first shown.
    void emulators() {
        files.addFile("C:\\e\\epsxe.exe", "MZ");
        files.addFile("C:\\p\\pj64.exe", "MZ");
        settings("[Configuration]\r\nLogging=-1\r\nLastEmu=1\r\n[Emulators]\r\n"
                 "Name1=ePSXe\r\nSystem1=6\r\nType1=ePSXe\r\nExe1=C:\\e\\epsxe.exe\r\nPlugins1=C:\\e\\plugins\r\n"
                 "Name2=Project 64\r\nSystem2=7\r\nType2=Project 64\r\nExe2=C:\\p\\pj64.exe\r\nPlugins2=C:\\p\\plugin\r\n");
    }
    std::vector<std::string> captions(const MenuNode& menu) const {
        std::vector<std::string> result;
        for (const MenuNode& node : menu.children)
            result.push_back(node.item ? node.item->caption() + (node.item->enabled() ? "" : " (off)") : "-");
        return result;
    }
    const MenuNode& launchMenu(int place) { return main.sysTray().popup().children[place]; }
};

TEST_F(SysTrayTest, TheIconsMessagesBecomeItsEventsAndALeftClickCountsOnRelease) {
    frmSysTray tray(services);
    listen(tray);
    tray.Form_Load();
    for (unsigned message : {512u, 513u, 514u, 515u, 516u, 517u, 123u, 518u, 1026u, 1027u, 1028u, 1029u, 600u})
        tray.Form_MouseMove(message);
    EXPECT_EQ(events, (std::vector<std::string>{"move", "down1", "double1", "down2", "up2", "double2", "shown",
                                                "hidden", "timeout", "clicked"}))
        << "a left press raises nothing; the context menu after a right click opens no second menu";

    // The keyboard: the menu key on the icon, then Enter.
    events.clear();
    tray.Form_MouseMove(123);
    tray.Form_MouseMove(1025);
    EXPECT_EQ(events, (std::vector<std::string>{"down2", "double1"}));
}

TEST_F(SysTrayTest, TheIconIsAddedWithItsVersionComesBackAfterTheShellRestartsAndGoesAtUnload) {
    frmSysTray tray(services);
    tray.Form_Load();
    EXPECT_EQ(tray.caption(), "SysTray");
    EXPECT_EQ(this->tray.calls, (std::vector<std::string>{"add", "version 3"}));
    EXPECT_EQ(this->tray.last.callbackMessage, 512u);
    EXPECT_EQ(tray.ToolTip(), "Orvisk's Corvane, the emulator plug-in manager");
    EXPECT_TRUE(tray.inTray());

    this->tray.restartShell();
    tray.TaskbarCreated();
    EXPECT_TRUE(this->tray.shown(0));
    EXPECT_EQ(this->tray.calls.back(), "version 3") << "the version is set again";
    tray.TaskbarCreated();
    EXPECT_TRUE(this->tray.shown(0)) << "a repeated broadcast keeps the one icon";
    EXPECT_TRUE(tray.inTray());

    tray.unload();
    EXPECT_FALSE(this->tray.shown(0));
    tray.TaskbarCreated();
    EXPECT_FALSE(this->tray.shown(0)) << "an unloaded tray stays out";
}

TEST_F(SysTrayTest, TipAndBalloonTextsFitTheRecordWithItsTerminatingNul) {
    environment.description = std::string(126, 't') + "\xF0\x9F\x8E\xAE";  // a pair of units at 127 and 128
    frmSysTray tray(services);
    tray.Form_Load();
    EXPECT_EQ(tray.ToolTip(), std::string(126, 't')) << "no half of a pair";
    tray.setToolTip(std::string(200, 'x'));
    EXPECT_EQ(tray.ToolTip().size(), 127u);

    EXPECT_TRUE(tray.ShowBalloonTip(std::string(300, 'm') , std::string(100, 'T'), BalloonIcon::Info, 10000));
    EXPECT_EQ(this->tray.last.balloonText.size(), 255u);
    EXPECT_EQ(this->tray.last.balloonTitle.size(), 63u);
    EXPECT_EQ(this->tray.last.balloonIcon, BalloonIcon::Info);
    EXPECT_EQ(this->tray.last.balloonTimeoutMs, 10000u);
    EXPECT_EQ(tray.ToolTip().size(), 127u) << "the balloon leaves the tip alone";

    // Before version 5 there are no balloons and tips are shorter.
    environment.os = OsVersion{true, 4, 0};
    environment.description = std::string(100, 'o');
    frmSysTray old(services);
    old.Form_Load();
    EXPECT_EQ(old.ToolTip().size(), 63u);
    this->tray.calls.clear();
    EXPECT_FALSE(old.ShowBalloonTip("m", "t", BalloonIcon::Info, 10000));
    EXPECT_TRUE(this->tray.calls.empty());
}

TEST_F(SysTrayTest, MinimizingHidesTheWindowOnlyWhileItsIconIsInTheTray) {
    start();
    main.setWindowState(WindowState::Minimized);
    EXPECT_FALSE(main.visible()) << "off the taskbar, in the tray";
    EXPECT_TRUE(main.sitsInTray());
    main.sysTray().mnuSysTray[frmSysTray::Open].click();
    EXPECT_TRUE(main.visible());
    EXPECT_EQ(main.windowState(), WindowState::Normal);

    main.option(Option::SysTray).setChecked(false);
    main.setWindowState(WindowState::Minimized);
    EXPECT_TRUE(main.visible()) << "the option is off";
    main.setWindowState(WindowState::Normal);

    // The shell refused the icon: the window must stay reachable.
    main.option(Option::SysTray).setChecked(true);
    tray.restartShell();
    tray.shellRunning = false;
    main.sysTray().TaskbarCreated();
    main.setWindowState(WindowState::Minimized);
    EXPECT_TRUE(main.visible());
    EXPECT_FALSE(main.sitsInTray());

    main.requestClose();
    EXPECT_FALSE(tray.shown(0));
}

TEST_F(SysTrayTest, ThePopupOffersItsEntriesInOrderAndLaunchesTheEmulatorPicked) {
    emulators();
    start();
    main.setWindowState(WindowState::Minimized);
    main.sysTray().Form_MouseMove(516);
    const MenuNode& popup = main.sysTray().popup();
    ASSERT_EQ(main.sysTray().shownPopup(), &popup);
    EXPECT_EQ(captions(popup), (std::vector<std::string>{"Open Orvisk's Corvane", "-", "Launch Emu", "Launch CDROM",
                                                         "Launch ISO/ROM", "-", "Check For Plugin Updates", "-",
                                                         "Exit"}));
    EXPECT_TRUE(popup.children[0].isDefault);
    EXPECT_EQ(captions(launchMenu(2)), (std::vector<std::string>{"ePSXe", "Project 64"}));
    EXPECT_EQ(captions(launchMenu(3)), (std::vector<std::string>{"ePSXe", "Project 64 (off)"}))
        << "Project 64 boots no CD";

    // Project 64 from the tray: selected, started, then the window is back.
    bool menusOff = false;
    processes.onRun("C:\\p\\pj64.exe", [&](const ProcessStart&) {
        main.sysTray().Form_MouseMove(516);
        menusOff = !main.sysTray().mnuPopupLaunchEmu.enabled() && !main.sysTray().mnuPopupLaunchISOROM.enabled();
        return 0ul;
    });
    main.sysTray().mnuPopupLaunchEmuList[1]->click();
    EXPECT_TRUE(menusOff) << "nothing else is launched while a launched program runs";
    EXPECT_EQ(main.cmbEmuSelect.listIndex(), 2);
    EXPECT_EQ(processes.started().at(0).application, "C:\\p\\pj64.exe");
    EXPECT_TRUE(main.visible());
    EXPECT_EQ(main.windowState(), WindowState::Normal);
    EXPECT_TRUE(main.sysTray().mnuPopupLaunchEmu.enabled());
}

TEST_F(SysTrayTest, TheMenusTagsOpenCheckAndExitAndAnUnknownOneIsLogged) {
    settings("[Configuration]\r\nLogging=-1\r\nInterval=600\r\n");
    start();
    splash.unload();
    main.sysTray().MenuClick(7, "other");
    EXPECT_TRUE(logHas("Clicked item with key other"));

    main.sysTray().mnuSysTray[frmSysTray::Update].click();
    EXPECT_TRUE(logHas("Update timer interval passed; executing update procedure...")) << "whatever the interval";
    EXPECT_TRUE(logHas("Automatic update check skipped: no plugin update service is set"));

    windows.queueAnswer(MessageAnswer::No);
    main.sysTray().mnuSysTray[frmSysTray::Exit].click();
    EXPECT_EQ(windows.shownBoxes().back().title, "Exiting Corvane");
    EXPECT_FALSE(main.closed());
    windows.queueAnswer(MessageAnswer::Yes);
    main.sysTray().mnuSysTray[frmSysTray::Exit].click();
    EXPECT_TRUE(main.closed());
    EXPECT_TRUE(main.sysTray().closed());
}

TEST_F(SysTrayTest, UpdatesFoundInTheTrayAreABalloonThatShowsThemWhenClicked) {
    settings("[Configuration]\r\nLogging=-1\r\n");
    serviceAt("http://updates.example/");
    files.addFile("C:\\Corvane\\PSXPlugins\\gpuPete.dll", "old", 0);
    libraries.add("C:\\Corvane\\PSXPlugins\\gpuPete.dll", PsxPlugin(2, "Pete GPU"));
    downloads.serve("http://updates.example/zip.php?id=1", "gpuPete.dll\tPete GPU\t2.0\t2030-01-01\thttp://h/p.zip\r\n");
    start();
    splash.unload();
    main.setWindowState(WindowState::Minimized);
    main.sysTray().mnuSysTray[frmSysTray::Update].click();
    EXPECT_TRUE(boxTexts().empty()) << "the N64 list's failure is logged";
    EXPECT_TRUE(logHas("Could Not Download Update List: Corvane encountered an error while attempting to download "
                       "the list of plugins from the server."));
    downloads.serve("http://updates.example/zip.php?id=3", "");
    main.sysTray().mnuSysTray[frmSysTray::Update].click();
    EXPECT_EQ(tray.last.balloonTitle, "New Updates are Available");
    EXPECT_EQ(tray.last.balloonText, "New updates have been found for 1 of your plugins.");
    EXPECT_TRUE(boxTexts().empty()) << "no box over the user's game";
    EXPECT_TRUE(main.updatesWaiting());
    ASSERT_NE(main.updateDialog(), nullptr) << "the candidates wait";
    main.sysTray().mnuSysTray[frmSysTray::Update].click();
    EXPECT_EQ(downloads.asked().size(), 6u) << "the window that holds them postpones no later check";

    main.sysTray().Form_MouseMove(1029);
    EXPECT_TRUE(main.visible());
    EXPECT_FALSE(main.updatesWaiting());
}
}  // namespace
