#include <gtest/gtest.h>

#include "doubles/FakeDownloads.h"
#include "plugins/FakePlugins.h"
#include "ui/MainFixture.h"
#include "ui/forms/frmUpdate.h"

namespace {
const char* const kBase = "http://127.0.0.1:8381/";

FileTime FileTimeOf(int year, int month, int day) {
    return static_cast<FileTime>(DayOf(year, month, day)) * 864000000000ull;
}

class frmUpdateTest : public MainFixture {
protected:
    frmUpdateTest() {
        psx.list(PluginKind::GPU) = {{PluginKind::GPU, "Pete GPU", "1.9", FileTimeOf(2003, 1, 1), "gpuPete.dll", false}};
        n64.list(PluginKind::GFX) = {{PluginKind::GFX, "Jabo D3D8", "", FileTimeOf(2002, 1, 1), "Jabo_Direct3D8.dll", false}};
    }
    frmUpdate& window() {
        UpdateContext context{services, main.log(), kBase, "C:\\TEMP\\",
                              [this](EmuSystem system) -> const PluginCatalogue& {
                                  return system == EmuSystem::PSX ? psx : n64;
                              },
                              [this](EmuSystem, const std::vector<std::string>& names) {
                                  marked.insert(marked.end(), names.begin(), names.end());
                              },
                              [this](const std::string& text, const std::string& title) {
                                  notices.push_back(title + ": " + text);
                              },
                              [this] { return mainVisible; }, [this] { return inTray; },
                              [this](const std::string& when) { lastUpdate = when; },
                              [this](const std::vector<UpdateRecord>& p, const std::vector<UpdateRecord>& n) {
                                  installed = p.size() + n.size();
                              }};
        update = std::make_unique<frmUpdate>(context, "Orvisk's Corvane v1.0.0", "Never");
        return *update;
    }
    std::vector<std::string> titles() const {
        std::vector<std::string> result;
        for (const auto& box : windows.shownBoxes()) result.push_back(box.title);
        return result;
    }

    PluginCatalogue psx{EmuSystem::PSX, "C:\\p\\", {}}, n64{EmuSystem::N64, "C:\\n\\", {}};
    std::unique_ptr<frmUpdate> update;
    std::vector<std::string> marked, notices;
    bool mainVisible = true, inTray = false;
    std::string lastUpdate;
    std::size_t installed = 0;
};

TEST_F(frmUpdateTest, FindsAsksAndHandsTheAcceptedOnToBeInstalled) {
    downloads.serve(std::string(kBase) + "zip.php?id=1", "gpuPete.dll\tPete GPU\t2.0\t2004-01-01\thttp://h/pete.zip\r\n");
    downloads.serve(std::string(kBase) + "zip.php?id=3", "Jabo_Di_new.dll\tJabo\t1.6 beta\t2004-02-01\thttp://h/jabo.zip\r\n");
    frmUpdate& dialog = window();
    EXPECT_EQ(dialog.caption(), "Corvane: Plugin Updates");
    EXPECT_EQ(dialog.cmdCheckUpdates.caption(), "&Check for Updates");
    windows.queueAnswer(MessageAnswer::No);
    windows.queueAnswer(MessageAnswer::Yes);
    dialog.cmdCheckUpdates.click();
    EXPECT_EQ(marked, (std::vector<std::string>{"gpuPete.dll", "Jabo_Direct3D8.dll"})) << "shown in blue";
    EXPECT_EQ(notices, std::vector<std::string>{"New Updates are Available: New updates have been found for 2 of your plugins."});
    ASSERT_EQ(windows.shownBoxes().size(), 2u);
    EXPECT_EQ(windows.shownBoxes()[0].title, "Plugin Update Query");
    EXPECT_EQ(windows.shownBoxes()[0].text, "An update has been found for Pete GPU. Do you want to update it with:\r\n"
                                            "Pete GPU version 2 (gpuPete.dll) released 1/1/2004?");
    EXPECT_EQ(windows.shownBoxes()[1].text, "A potential update has been found for Jabo D3D8. Do you want to update it "
                                            "with:\r\nJabo version 1.6 beta (Jabo_Di_new.dll) released 2/1/2004?");
    EXPECT_EQ(installed, 1u) << "only the one answered Yes";
    EXPECT_EQ(lastUpdate, "12/5/2026 2:30:15 PM");
    EXPECT_EQ(dialog.barStatus.caption(), "Orvisk's Corvane: Updates found for 2 plugin(s)...");
    EXPECT_TRUE(dialog.cmdCheckUpdates.enabled());
}

TEST_F(frmUpdateTest, AWindowNotOnScreenAsksAtItsNextActivation) {
    downloads.serve(std::string(kBase) + "zip.php?id=1", "gpuPete.dll\tPete GPU\t2.0\t2004-01-01\thttp://h/pete.zip\r\n");
    downloads.serve(std::string(kBase) + "zip.php?id=3", "");
    mainVisible = false;
    frmUpdate& dialog = window();
    dialog.cmdCheckUpdates.click();
    EXPECT_TRUE(windows.shownBoxes().empty());
    EXPECT_TRUE(dialog.candidatesWaiting());
    dialog.activate();
    EXPECT_EQ(titles(), std::vector<std::string>{"Plugin Update Query"});
    EXPECT_FALSE(dialog.candidatesWaiting());
}

TEST_F(frmUpdateTest, FailuresAndWarningsEndTheCheckWithTheirMessages) {
    frmUpdate& dialog = window();
    dialog.cmdCheckUpdates.click();
    EXPECT_EQ(titles(), std::vector<std::string>{"Could Not Download Update List"});
    EXPECT_NE(windows.shownBoxes()[0].text.find("\r\nEither the server is down"), std::string::npos);
    EXPECT_EQ(dialog.barStatus.caption(), "Orvisk's Corvane: Idle");

    inTray = true;
    dialog.cmdCheckUpdates.click();
    EXPECT_EQ(windows.shownBoxes().size(), 1u) << "no PSX box from the tray";

    downloads.serve(std::string(kBase) + "zip.php?id=1", "<b>Warning</b>: broken\r\n");
    dialog.cmdCheckUpdates.click();
    EXPECT_EQ(titles().back(), "Could Not Download Update List") << "the N64 list's box shows whatever the mode";
    EXPECT_EQ(windows.shownBoxes().back().text.find("Either"), std::string::npos);

    downloads.serve(std::string(kBase) + "zip.php?id=3", "x.dll\tX\t1\t2004-01-01\thttp://h/x.zip\r\n<b>Warning</b>:\r\n");
    const std::size_t boxes = windows.shownBoxes().size();
    dialog.cmdCheckUpdates.click();
    EXPECT_EQ(windows.shownBoxes().size(), boxes);
    EXPECT_TRUE(notices.empty()) << "a warning in the N64 list ends the whole check";
    EXPECT_EQ(dialog.barStatus.caption(), "Orvisk's Corvane: Idle");

    dialog.automatic = true;
    downloads.serve(std::string(kBase) + "zip.php?id=3", "");
    downloads.serve(std::string(kBase) + "zip.php?id=1", "bad line\r\n");
    dialog.cmdCheckUpdates.click();
    EXPECT_EQ(dialog.barStatus.caption(), "Orvisk's Corvane: No updates were found...");
}
}  // namespace
