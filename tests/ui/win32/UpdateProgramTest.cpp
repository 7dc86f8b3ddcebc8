// Plug-in updates in the real corvane.exe, against the suite's local update
// service: no service set, a cut and a tampered archive refused, a verified
// one installed and undone, a quit while a download hangs.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/win32/ProgramFixture.h"

namespace {
class UpdateProgramTest : public ProgramFixture {
protected:
    // Corvane started on a service address (none: ""); its main window.
    HWND startWith(const std::string& address) {
        writeSettings("[Configuration]\r\nSplash=1\r\nExit=0\r\nLogging=-1\r\nPluginUpdates=0\r\n" +
                      (address.empty() ? "" : "[Updates]\r\nServiceAddress=" + address + "\r\n"));
        program = start();
        return WaitForWindow(L"CorvaneForm", caption.c_str());
    }
    // File > Check for Plugin Updates, and the window's Check for Updates.
    HWND openAndCheck(HWND main) {
        TypeKeys(main, {'F', 'C'}, true);
        HWND window = WaitForWindow(L"CorvaneForm", L"Corvane: Plugin Updates");
        if (window) PostMessageW(FindWindowExW(window, nullptr, L"Button", L"&Check for Updates"), BM_CLICK, 0, 0);
        return window;
    }
    // The notice, then Yes for the PSX GPU and No for the other two.
    bool acceptTheGpuUpdate() {
        return Answer(L"New Updates are Available", IDOK) && Answer(L"Plugin Update Query", IDYES) &&
               Answer(L"Plugin Update Query", IDNO) && Answer(L"Plugin Update Query", IDNO);
    }
    void closeAll(HWND window, HWND main) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        PostMessageW(main, WM_CLOSE, 0, 0);
        ASSERT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
    }
    std::string gpu() { return readFile(L"PSXPlugins\\gpuFixture.dll"); }
    std::string fixtureGpu() {
        return files.readFile(WindowsPath(CORVANE_FIXTURES) + "\\gpuFixture.dll", kWholeFile).value_or("");
    }
    bool backupsKept() { return files.anyMatch(Narrow(folder) + "Backups\\*-*"); }

    UniqueHandle program;
};

// A window's text as it answers for it (a status bar's is its part's).
std::wstring TextOf(HWND window) {
    wchar_t text[1024] = L"";
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &length);
    return text;
}

// A message box's text (its static control, as the system numbers it).
std::wstring BoxText(HWND box) { return TextOf(GetDlgItem(box, 0xFFFF)); }

std::wstring StatusOf(HWND window) { return TextOf(FindWindowExW(window, nullptr, STATUSCLASSNAMEW, nullptr)); }

TEST_F(UpdateProgramTest, SaysWhereToSetAServiceRefusesCutAndTamperedArchivesAndUndoesAVerifiedOne) {
    addPlugin("gpuFixture.dll", L"PSXPlugins\\gpuFixture.dll");
    addPlugin("spuFixture.dll", L"PSXPlugins\\spuFixture.dll");
    addPlugin("n64GfxFixture.dll", L"N64Plugins\\n64GfxFixture.dll");
    // No service set: the check says where to set one.
    HWND main = startWith("");
    ASSERT_NE(main, nullptr);
    HWND serviceButton = FindWindowExW(main, nullptr, L"Button", L"Plugin Update &Service Web Site");
    ASSERT_NE(serviceButton, nullptr);
    EXPECT_FALSE(IsWindowEnabled(serviceButton));
    HWND window = openAndCheck(main);
    ASSERT_NE(window, nullptr);
    HWND box = WaitForWindow(L"#32770", L"No Update Service");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), L"No plugin update service is set. Enter its address on the Configuration page.");
    EXPECT_EQ(GetWindow(box, GW_OWNER), window) << "the box belongs to the update window";
    ASSERT_TRUE(Answer(L"No Update Service", IDOK));
    EXPECT_EQ(StatusOf(window), L"Orvisk's Corvane: Idle") << "on a status bar";
    closeAll(window, main);
    EXPECT_EQ(readText(L"settings.ini").find("[Updates]"), std::string::npos);

    // A cut archive, and one that is not the archive the list's digest names.
    for (const char* misbehaviour : {"cutfiles/", "tampered/"}) {
        main = startWith(ServiceBase() + misbehaviour);
        ASSERT_NE(main, nullptr);
        window = openAndCheck(main);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(acceptTheGpuUpdate()) << misbehaviour;
        box = WaitForWindow(L"#32770", L"Could Not Download Plugin Updates");
        ASSERT_NE(box, nullptr) << misbehaviour;
        const bool mismatch = BoxText(box).find(L"The checksum of gpuFixture.zip (gpuFixture.dll) did not match the "
                                                L"update list.") != std::wstring::npos;
        EXPECT_EQ(mismatch, std::string(misbehaviour) == "tampered/") << misbehaviour;
        ASSERT_TRUE(Answer(L"Could Not Download Plugin Updates", IDOK));
        EXPECT_EQ(gpu(), fixtureGpu()) << misbehaviour << ": nothing installed";
        EXPECT_FALSE(backupsKept()) << misbehaviour;
        closeAll(window, main);
    }

    // The service whole: the accepted update, verified, lands with its
    // archive's date, and the one it replaced is kept.
    main = startWith(ServiceBase());
    ASSERT_NE(main, nullptr);
    window = openAndCheck(main);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(acceptTheGpuUpdate());
    ASSERT_TRUE(WaitFor([&] { return StatusOf(window) == L"Orvisk's Corvane: Plugins updated..."; }));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW((folder + L"PSXPlugins\\gpuFixture.dll").c_str(), GetFileExInfoStandard, &data));
    SYSTEMTIME written;
    FileTimeToSystemTime(&data.ftLastWriteTime, &written);
    EXPECT_EQ(written.wYear, 2030) << "the update's archive date";
    EXPECT_FALSE(files.anyMatch(files.tempFolder() + "ocvxpupdate.zip"));
    EXPECT_TRUE(backupsKept());
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntilClosed(window));

    TypeKeys(main, {'P', 'U'}, true);  // Plugins > Undo Last Plugin Update
    HWND question = WaitForWindow(L"#32770", L"Undo Plugin Update");
    ASSERT_NE(question, nullptr);
    EXPECT_NE(BoxText(question).find(L"PSXPlugins\\gpuFixture.dll"), std::wstring::npos);
    ASSERT_TRUE(Answer(L"Undo Plugin Update", IDYES));
    EXPECT_EQ(gpu(), fixtureGpu()) << "put back byte for byte";
    EXPECT_FALSE(backupsKept()) << "an undone update's backup goes";
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
    EXPECT_NE(readText(L"settings.ini").find("[Updates]\r\nServiceAddress=" + ServiceBase() + "\r\n"), std::string::npos)
        << "the section comes back";
}

TEST_F(UpdateProgramTest, AQuitWhileADownloadHangsEndsItAndCorvane) {
    HWND main = startWith(ServiceBase() + "stall/");
    ASSERT_NE(main, nullptr);
    ASSERT_NE(openAndCheck(main), nullptr);
    Sleep(1000);
    PostMessageW(main, WM_CLOSE, 0, 0);
    // The server would hold the list 30 s before the download gave up.
    ASSERT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
    const std::string cancelled = "]: The download from " + ServiceBase() + "stall/zip.php?id=1 was cancelled.";
    EXPECT_NE(readFile(L"corvane.log").find(cancelled), std::string::npos);
    EXPECT_EQ(FindWindowW(L"#32770", L"Could Not Download Update List"), nullptr);
}
}  // namespace
