// The update window over the session's update check (tested in
// tests/session): its status line, when the questions come, and what the
// main window offers while it works.
#include "plugins/FakePlugins.h"
#include "session/UpdateCommands.h"
#include "ui/MainFixture.h"

namespace {
class frmUpdateTest : public MainFixture {
protected:
    frmUpdateTest() {
        files.addFile("C:\\Corvane\\PSXPlugins\\gpuPete.dll", "old", 0);
        libraries.add("C:\\Corvane\\PSXPlugins\\gpuPete.dll", PsxPlugin(2, "Pete GPU"));
        downloads.serve("http://updates.example/zip.php?id=1",
                        "gpuPete.dll\tPete GPU\t2.0\t2004-01-01\thttp://h/pete.zip\r\n");
        downloads.serve("http://updates.example/zip.php?id=3", "");
        windows.queueAnswer(MessageAnswer::Yes);  // the notice
        windows.queueAnswer(MessageAnswer::No);   // the question
    }
};

TEST_F(frmUpdateTest, TheCheckTellsWhatItFoundAndAsksAtOnceWhileTheWindowIsOnScreen) {
    settings("[Configuration]\r\nSplash=1\r\n");
    start();
    EXPECT_FALSE(main.cmdUpdateService.enabled()) << "no service set";
    main.showPage(MainPage::Configuration);
    main.txtServiceAddress.type("http://updates.example");
    EXPECT_TRUE(main.cmdUpdateService.enabled());
    main.mnuFileCheckUpdates.click();
    frmUpdate& dialog = *main.updateDialog();
    dialog.cmdCheckUpdates.click();
    EXPECT_EQ(titles(), (std::vector<std::string>{"New Updates are Available", "Plugin Update Query"}));
    EXPECT_EQ(dialog.barStatus.caption(), "Orvisk's Corvane: Idle") << "nothing accepted";
    EXPECT_EQ(dialog.lblLastUpdate.caption(), "12/5/2026 2:30:15 PM");
    EXPECT_TRUE(main.lstPluginList[0].rows()[0].highlighted) << "shown in blue";
    main.requestClose();
    EXPECT_NE(writtenSettings().find("[Updates]\r\nServiceAddress=http://updates.example\r\n"), std::string::npos);
}

TEST_F(frmUpdateTest, AnAutomaticCheckBringsTheWindowForwardAndNoCheckStartsWhileOneRunsOrAQuitWaitsForIt) {
    settings("[Configuration]\r\nSplash=1\r\nSysTray=0\r\nExit=0\r\nInterval=1\r\n");
    serviceAt("http://updates.example/");
    start();
    main.setWindowState(WindowState::Minimized);
    main.tmrTimer.fire();
    EXPECT_EQ(titles(), (std::vector<std::string>{"New Updates are Available", "Plugin Update Query"}));
    EXPECT_EQ(main.windowState(), WindowState::Normal) << "the questions come at once, over the window";

    frmUpdate* shown = nullptr;  // the update window on screen, its check started by the user
    main.showUpdate = [&](frmUpdate& dialog) {
        shown = &dialog;
        main.mnuFileCheckUpdates.onClick();
        ASSERT_EQ(main.updateDialog(), &dialog) << "the window on screen is not replaced";
        dialog.cmdCheckUpdates.click();
    };
    std::vector<bool> offered;
    downloads.whileDownloading = [&] {
        offered = {main.mnuFileCheckUpdates.enabled(), main.sysTray().mnuSysTray[frmSysTray::Update].enabled(),
                   main.mnuPluginsUndoUpdate.enabled(), shown->cmdCheckUpdates.enabled(), shown->cmdCancel.enabled()};
        const std::size_t asked = downloads.asked().size();
        main.mnuFileCheckUpdates.onClick();
        main.sysTray().mnuSysTray[frmSysTray::Update].onClick();
        main.tmrTimer.fire();
        EXPECT_EQ(downloads.asked().size(), asked) << "no second check";
        EXPECT_EQ(main.updateDialog(), shown);
    };
    windows.queueAnswer(MessageAnswer::Yes);
    windows.queueAnswer(MessageAnswer::No);
    main.mnuFileCheckUpdates.click();
    EXPECT_EQ(offered, (std::vector<bool>{false, false, false, false, true}));
    EXPECT_TRUE(main.mnuFileCheckUpdates.enabled());

    const std::size_t asked = downloads.asked().size();
    downloads.whileDownloading = [&] { main.requestClose(); };
    main.mnuFileCheckUpdates.click();
    EXPECT_EQ(downloads.asked().size(), asked + 1) << "the N64 list is not asked for";
    EXPECT_TRUE(main.closed()) << "once the check has stopped";
    EXPECT_EQ(lastTitle(), "Plugin Update Query") << "no box about the stopped download";
}
}  // namespace
