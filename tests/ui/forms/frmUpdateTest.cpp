// The update window over the session's update check: its status line, and
// when the questions come.
#include "plugins/FakePlugins.h"
#include "session/UpdateCommands.h"
#include "ui/MainFixture.h"

namespace {
class frmUpdateTest : public MainFixture {
protected:
    frmUpdateTest() {
        files.addFile("C:\\Corvane\\PSXPlugins\\gpuPete.dll", "old", 0);
        libraries.add("C:\\Corvane\\PSXPlugins\\gpuPete.dll", PsxPlugin(2, "Pete GPU"));
        downloads.serve("http://127.0.0.1:8381/zip.php?id=3", "");
    }
    void offerPete() {
        downloads.serve("http://127.0.0.1:8381/zip.php?id=1",
                        "gpuPete.dll\tPete GPU\t2.0\t2004-01-01\thttp://h/pete.zip\r\n");
    }
    std::vector<std::string> titles() const {
        std::vector<std::string> result;
        for (const auto& box : windows.shownBoxes()) result.push_back(box.title);
        return result;
    }
};

TEST_F(frmUpdateTest, TheCheckTellsWhatItFoundAndAsksAtOnceWhileTheWindowIsOnScreen) {
    settings("[Configuration]\r\nSplash=1\r\n");
    start();
    main.mnuFileCheckUpdates.click();
    frmUpdate& dialog = *main.updateDialog();
    EXPECT_EQ(dialog.caption(), "Corvane: Plugin Updates");
    EXPECT_EQ(dialog.lblLastUpdate.caption(), "Never");
    dialog.cmdCheckUpdates.click();
    EXPECT_EQ(titles(), std::vector<std::string>{"Could Not Download Update List"});
    EXPECT_EQ(dialog.barStatus.caption(), "Orvisk's Corvane: Idle");

    offerPete();
    windows.queueAnswer(MessageAnswer::Yes);  // the notice
    windows.queueAnswer(MessageAnswer::No);   // the question
    dialog.cmdCheckUpdates.click();
    EXPECT_EQ(titles(), (std::vector<std::string>{"Could Not Download Update List", "New Updates are Available",
                                                  "Plugin Update Query"}));
    EXPECT_EQ(dialog.barStatus.caption(), "Orvisk's Corvane: Idle") << "nothing accepted";
    EXPECT_EQ(dialog.lblLastUpdate.caption(), "12/5/2026 2:30:15 PM");
    EXPECT_TRUE(main.lstPluginList[0].rows()[0].highlighted) << "shown in blue";
    EXPECT_TRUE(dialog.cmdCheckUpdates.enabled());
}

TEST_F(frmUpdateTest, AnAutomaticCheckWithTheWindowMinimizedAsksWhenTheUpdateWindowShows) {
    settings("[Configuration]\r\nSplash=1\r\nSysTray=0\r\nInterval=1\r\n");
    offerPete();
    start();
    main.setWindowState(WindowState::Minimized);
    main.tmrTimer.fire();
    EXPECT_EQ(titles(), std::vector<std::string>{"New Updates are Available"});
    ASSERT_NE(main.updateDialog(), nullptr) << "the updates wait";
    windows.queueAnswer(MessageAnswer::No);
    main.updateDialog()->activate();
    EXPECT_EQ(titles().back(), "Plugin Update Query");
    EXPECT_EQ(main.session().updates().waiting().count(), 0u);
}
}  // namespace
