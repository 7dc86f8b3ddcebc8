#include "files/TestZip.h"
#include "plugins/FakePlugins.h"
#include "ui/MainFixture.h"

namespace {
const char* const kList = "http://127.0.0.1:8381/zip.php?id=1";
const char* const kN64List = "http://127.0.0.1:8381/zip.php?id=3";

class UpdateInstallTest : public MainFixture {
protected:
    // Two PCSX emulators and an N64 one; the first PCSX shown.
    void emulators(bool distribute) {
        settings(std::string("[Configuration]\r\nSplash=1\r\nLogging=-1\r\nLastEmu=1\r\nDistribute=") + (distribute ? "1" : "0") +
                 "\r\n[Emulators]\r\n"
                 "Name1=A\r\nSystem1=6\r\nType1=PCSX\r\nExe1=C:\\a\\pcsx.exe\r\nPlugins1=C:\\a\\plugin\r\n"
                 "Name2=B\r\nSystem2=6\r\nType2=PCSX\r\nExe2=C:\\b\\pcsx.exe\r\nPlugins2=C:\\b\\plugin\r\n"
                 "Name3=N\r\nSystem3=7\r\nType3=Project 64\r\nExe3=C:\\n\\pj.exe\r\nPlugins3=C:\\n\\plugin\r\n");
        files.addFile("C:\\a\\plugin\\gpuPete.dll", "old", 0);
        libraries.add("C:\\a\\plugin\\gpuPete.dll", PsxPlugin(2, "Pete GPU"));  // version 1.3
        files.addDirectory("C:\\b\\plugin");
        files.addDirectory("C:\\n\\plugin");
        downloads.serve(kList, "gpuPete.dll\tPete GPU\t2.0\t2030-01-01\thttp://h/pete.zip\r\n");
        downloads.serve(kN64List, "");
    }
    frmUpdate& check() {
        main.mnuFileCheckUpdates.click();
        frmUpdate& window = *main.updateDialog();
        window.cmdCheckUpdates.click();
        return window;
    }
};

TEST_F(UpdateInstallTest, AnAcceptedUpdateIsCheckedInstalledWhereTheListsCameFromAndRescanned) {
    emulators(false);
    downloads.serve("http://h/pete.zip", BuildZip({TestEntry("gpuPete.dll", "new plug-in")}));
    start();
    EXPECT_TRUE(main.lstPluginList[0].rows()[0].subItems.size() == 3);
    frmUpdate& window = check();
    EXPECT_EQ(windows.shownBoxes().front().title, "New Updates are Available");
    EXPECT_EQ(files.contents("C:\\a\\plugin\\gpuPete.dll"), "new plug-in");
    EXPECT_FALSE(files.exists("C:\\b\\plugin\\gpuPete.dll")) << "not distributed";
    EXPECT_FALSE(files.exists("C:\\TEMP\\ocvxpupdate.zip")) << "the download goes";
    EXPECT_FALSE(files.exists("C:\\a\\plugin\\~corvane-update")) << "no staging left";
    EXPECT_EQ(window.barStatus.caption(), "Orvisk's Corvane: Plugins updated...");
    EXPECT_TRUE(logHas("Updates found; notifying user..."));
    EXPECT_TRUE(logHas("Refreshing current plugin set..."));
}

TEST_F(UpdateInstallTest, DistributionReachesEveryEmulatorOfTheSystemOnly) {
    emulators(true);
    downloads.serve("http://h/pete.zip", BuildZip({TestEntry("gpuPete.dll", "new plug-in")}));
    start();
    check();
    EXPECT_EQ(files.contents("C:\\b\\plugin\\gpuPete.dll"), "new plug-in");
    EXPECT_FALSE(files.exists("C:\\n\\plugin\\gpuPete.dll")) << "never an N64 emulator's folder";
}

TEST_F(UpdateInstallTest, ACutOrHostileArchiveChangesNoPluginFolder) {
    emulators(true);
    const std::string whole = BuildZip({TestEntry("gpuPete.dll", std::string(5000, 'n'))});
    downloads.serve("http://h/pete.zip", whole.substr(0, whole.size() / 2));
    start();
    frmUpdate& window = check();
    EXPECT_EQ(windows.shownBoxes().back().title, "Could Not Download Plugin Updates");
    EXPECT_EQ(files.contents("C:\\a\\plugin\\gpuPete.dll"), "old");
    EXPECT_FALSE(files.exists("C:\\TEMP\\ocvxpupdate.zip"));
    EXPECT_EQ(window.barStatus.caption(), "Orvisk's Corvane: Idle");

    downloads.serve("http://h/pete.zip", BuildZip({TestEntry("gpuPete.dll", "new"), TestEntry("..\\evil.dll", "x")}));
    check();
    EXPECT_EQ(windows.shownBoxes().back().title, "Could Not Download Plugin Updates");
    EXPECT_EQ(files.contents("C:\\a\\plugin\\gpuPete.dll"), "old");
    EXPECT_FALSE(files.exists("C:\\a\\evil.dll"));
}

TEST_F(UpdateInstallTest, APluginThatCannotBeReplacedIsPutBack) {
    emulators(false);
    downloads.serve("http://h/pete.zip", BuildZip({TestEntry("gpuPete.dll", "new"), TestEntry("spuPete.dll", "spu")}));
    files.addFile("C:\\a\\plugin\\spuPete.dll", "old spu");
    files.makeReadOnly("C:\\a\\plugin\\spuPete.dll");
    start();
    check();
    EXPECT_EQ(windows.shownBoxes().back().title, "Could Not Install Plugin Update");
    EXPECT_EQ(windows.shownBoxes().back().text, "Corvane could not replace the files of Pete GPU in C:\\a\\plugin\\.");
    EXPECT_EQ(files.contents("C:\\a\\plugin\\gpuPete.dll"), "old") << "what was moved is put back";
    EXPECT_EQ(files.contents("C:\\a\\plugin\\spuPete.dll"), "old spu");
}

TEST_F(UpdateInstallTest, PluginsSetAsideByAnUpdateGoAtTheNextScan) {
    emulators(false);
    files.addFile("C:\\a\\plugin\\gpuPete.dll.corvane-old", "held by an emulator");
    start();
    EXPECT_FALSE(files.exists("C:\\a\\plugin\\gpuPete.dll.corvane-old"));
    EXPECT_TRUE(files.exists("C:\\a\\plugin\\gpuPete.dll"));
}

TEST_F(UpdateInstallTest, ZipImportsExtractIntoTheFolderOnScreenOrSayWhyNot) {
    emulators(false);
    files.addFile("D:\\downloads\\good.zip", BuildZip({TestEntry("gpuNew.dll", "new"), TestEntry("docs/readme.txt", "r")}));
    files.addFile("D:\\downloads\\evil.zip", BuildZip({TestEntry("gpuOk.dll", "ok"), TestEntry("../../escape.dll", "x")}));
    start();
    windows.queueFile(std::string("D:\\downloads\\good.zip"));
    main.mnuFileImportZip.click();
    EXPECT_EQ(windows.fileDialogTitles().back(), "Select the zip archive you want to import from:");
    EXPECT_EQ(files.contents("C:\\a\\plugin\\gpuNew.dll"), "new");
    EXPECT_EQ(files.contents("C:\\a\\plugin\\docs\\readme.txt"), "r");
    EXPECT_TRUE(logHas("Importing files from zip D:\\downloads\\good.zip to C:\\a\\plugin\\"));

    windows.queueFile(std::string("D:\\downloads\\evil.zip"));
    main.mnuFileImportZip.click();
    EXPECT_EQ(windows.shownBoxes().back().title, "Error While Importing!");
    EXPECT_NE(windows.shownBoxes().back().text.find("D:\\downloads\\evil.zip"), std::string::npos);
    EXPECT_NE(windows.shownBoxes().back().text.find("escape.dll"), std::string::npos) << "the first problem, named";
    EXPECT_FALSE(files.exists("C:\\escape.dll"));
    EXPECT_FALSE(files.exists("C:\\a\\escape.dll"));
}
}  // namespace
