// The tray icon: its record in the shell, its messages, and the main window
// reached through its popup and balloons.
#include "plugins/FakePlugins.h"
#include "ui/MainFixture.h"

namespace {
using SysTrayTest = MainFixture;

TEST_F(SysTrayTest, ALeftClickCountsOnReleaseAndTheKeyboardOpensTheMenuAndTheWindow) {
    frmSysTray icon(services);
    std::vector<std::string> events;
    icon.SysTrayMouseDown = [&](int button) { events.push_back("down" + std::to_string(button)); };
    icon.SysTrayDoubleClick = [&](int button) { events.push_back("double" + std::to_string(button)); };
    for (unsigned message : {513u, 514u, 515u, 516u, 123u, 518u, 123u, 1025u}) icon.Form_MouseMove(message);
    EXPECT_EQ(events, (std::vector<std::string>{"down1", "double1", "down2", "double2", "down2", "double1"}))
        << "a left press raises nothing; the context menu after a right click opens no second menu; from the "
           "keyboard the menu key opens it and Enter opens the window";
}

TEST_F(SysTrayTest, TipAndBalloonTextsFitTheRecordWithItsTerminatingNul) {
    environment.description = std::string(126, 't') + "\xF0\x9F\x8E\xAE";  // a pair of units at 127 and 128
    frmSysTray icon(services);
    icon.Form_Load();
    EXPECT_EQ(icon.ToolTip(), std::string(126, 't')) << "no half of a pair";
    icon.setToolTip(std::string(200, 'x'));
    EXPECT_TRUE(icon.ShowBalloonTip(std::string(300, 'm'), std::string(100, 'T'), BalloonIcon::Info, 10000));
    EXPECT_EQ(tray.last.balloonText.size(), 255u);
    EXPECT_EQ(tray.last.balloonTitle.size(), 63u);
    EXPECT_EQ(icon.ToolTip().size(), 127u) << "the balloon leaves the tip alone";
}

TEST_F(SysTrayTest, MinimizingHidesTheWindowOnlyWhileItsIconIsInTheTrayAndTheIconOutlivesAShellRestart) {
    start();
    main.setWindowState(WindowState::Minimized);
    EXPECT_TRUE(main.sitsInTray()) << "off the taskbar";
    main.sysTray().mnuSysTray[frmSysTray::Open].click();
    EXPECT_TRUE(main.visible() && main.windowState() == WindowState::Normal);
    main.option(Option::SysTray).setChecked(false);
    main.setWindowState(WindowState::Minimized);
    EXPECT_TRUE(main.visible()) << "the option is off";
    main.setWindowState(WindowState::Normal);

    main.option(Option::SysTray).setChecked(true);
    tray.restartShell();
    tray.calls.clear();
    main.sysTray().TaskbarCreated();
    main.sysTray().TaskbarCreated();
    EXPECT_EQ(tray.calls, (std::vector<std::string>{"remove", "add", "version 3", "remove", "add", "version 3"}))
        << "the icon comes back with its version after the shell restarts";
    EXPECT_TRUE(main.sysTray().inTray()) << "a repeated broadcast keeps the one icon";
    tray.restartShell();
    tray.shellRunning = false;
    main.sysTray().TaskbarCreated();
    main.setWindowState(WindowState::Minimized);
    EXPECT_TRUE(main.visible()) << "the shell refused the icon: the window stays reachable";
}

TEST_F(SysTrayTest, ThePopupsLaunchMenusListTheEmulatorsAndLaunchTheOnePicked) {
    files.addFile("C:\\e\\epsxe.exe", "MZ");
    files.addFile("C:\\p\\pj64.exe", "MZ");
    emulators({{"ePSXe", EmuSystem::PSX, "ePSXe", "C:\\e\\epsxe.exe", "C:\\e\\plugins"},
               {"Project 64", EmuSystem::N64, "Project 64", "C:\\p\\pj64.exe", "C:\\p\\plugin"}},
              1);
    start();
    main.setWindowState(WindowState::Minimized);
    main.sysTray().Form_MouseMove(516);
    ASSERT_EQ(main.sysTray().shownPopup(), &main.sysTray().popup());
    const auto offered = [this](int submenu) {
        std::vector<std::string> result;
        for (const MenuNode& node : main.sysTray().popup().children[submenu].children)
            result.push_back(node.item->caption() + (node.item->enabled() ? "" : " (off)"));
        return result;
    };
    EXPECT_EQ(offered(2), (std::vector<std::string>{"ePSXe", "Project 64"}));
    EXPECT_EQ(offered(3), (std::vector<std::string>{"ePSXe", "Project 64 (off)"})) << "Project 64 boots no CD";

    bool menusOff = false;
    processes.onRun("C:\\p\\pj64.exe", [&](const ProcessStart&) {
        main.sysTray().Form_MouseMove(516);
        menusOff = !main.sysTray().mnuPopupLaunchEmu.enabled() && !main.sysTray().mnuPopupLaunchISOROM.enabled();
        return 0ul;
    });
    main.sysTray().mnuPopupLaunchEmuList[1]->click();
    EXPECT_TRUE(menusOff) << "nothing else is launched while a launched program runs";
    EXPECT_EQ(main.cmbEmuSelect.listIndex(), 2) << "selected, started, then the window is back";
    EXPECT_EQ(processes.started().at(0).application, "C:\\p\\pj64.exe");
    EXPECT_EQ(main.windowState(), WindowState::Normal);
    EXPECT_TRUE(main.visible() && main.sysTray().mnuPopupLaunchEmu.enabled());
}

TEST_F(SysTrayTest, UpdatesFoundInTheTrayAreABalloonThatShowsThemWhenClicked) {
    settings("[Configuration]\r\nLogging=-1\r\n");
    serviceAt("http://updates.example/");
    files.addFile("C:\\Corvane\\PSXPlugins\\gpuPete.dll", "old", 0);
    libraries.add("C:\\Corvane\\PSXPlugins\\gpuPete.dll", PsxPlugin(2, "Pete GPU"));
    downloads.serve("http://updates.example/zip.php?id=1", "gpuPete.dll\tPete GPU\t2.0\t2030-01-01\thttp://h/p.zip\r\n");
    downloads.serve("http://updates.example/zip.php?id=3", "");
    start();
    splash.unload();
    main.setWindowState(WindowState::Minimized);
    main.sysTray().mnuSysTray[frmSysTray::Update].click();
    EXPECT_EQ(tray.last.balloonText, "New updates have been found for 1 of your plugins.");
    EXPECT_TRUE(windows.shownBoxes().empty()) << "no box over the user's game";
    ASSERT_TRUE(main.updatesWaiting());
    main.sysTray().mnuSysTray[frmSysTray::Update].click();
    EXPECT_EQ(downloads.asked().size(), 4u) << "the window that holds them postpones no later check";
    main.sysTray().Form_MouseMove(1029);
    EXPECT_TRUE(main.visible());
    EXPECT_FALSE(main.updatesWaiting());
}
}  // namespace
