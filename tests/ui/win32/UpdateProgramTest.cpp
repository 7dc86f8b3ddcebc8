// Plug-in updates in the real corvane.exe against the suite's local update
// service: a verified archive installed and undone, a quit while a download
// hangs.
#include "ui/win32/ProgramFixture.h"

namespace {
class UpdateProgramTest : public ProgramFixture {
protected:
    // Corvane started on the suite's service at `path`; the update window
    // after its Check for Updates.
    HWND checkOn(const std::string& path) {
        const auto port = files.readFile(WindowsPath(CORVANE_SERVICE_PORT_FILE), kWholeFile);
        service = "http://127.0.0.1:" + port.value_or("0") + "/" + path;
        writeSettings("[Configuration]\r\nSplash=1\r\nExit=0\r\nLogging=-1\r\nPluginUpdates=0\r\n[Updates]\r\n"
                      "ServiceAddress=" + service + "\r\n");
        main = open();
        TypeKeys(main, {'F', 'C'}, true);  // File > Check for Plugin Updates
        HWND window = WaitForWindow(L"CorvaneForm", L"Corvane: Plugin Updates");
        if (window) PostMessageW(FindWindowExW(window, nullptr, WC_BUTTONW, L"&Check for Updates"), BM_CLICK, 0, 0);
        return window;
    }
    bool backupsKept() { return files.anyMatch(Narrow(folder) + "Backups\\*-*"); }

    std::string service;
    HWND main = nullptr;
};

// A window's text as it answers for it (a status bar's: its part's).
std::wstring TextOf(HWND window) {
    wchar_t text[1024] = L"";
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST_F(UpdateProgramTest, InstallsAVerifiedUpdateAndUndoesIt) {
    addPlugin("gpuFixture.dll", L"PSXPlugins\\gpuFixture.dll");
    addPlugin("spuFixture.dll", L"PSXPlugins\\spuFixture.dll");
    addPlugin("n64GfxFixture.dll", L"N64Plugins\\n64GfxFixture.dll");
    const std::string gpu = readFile(L"PSXPlugins\\gpuFixture.dll");
    HWND window = checkOn("");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetWindow(WaitForWindow(L"#32770", L"New Updates are Available"), GW_OWNER), window)
        << "the box belongs to the update window";
    // Yes for the PSX GPU, No for the other two.
    ASSERT_TRUE(Answer(L"New Updates are Available", IDOK) && Answer(L"Plugin Update Query", IDYES) &&
                Answer(L"Plugin Update Query", IDNO) && Answer(L"Plugin Update Query", IDNO));
    HWND status = FindWindowExW(window, nullptr, STATUSCLASSNAMEW, nullptr);
    ASSERT_TRUE(WaitFor([&] { return TextOf(status) == L"Orvisk's Corvane: Plugins updated..."; }));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    SYSTEMTIME written{};
    GetFileAttributesExW((folder + L"PSXPlugins\\gpuFixture.dll").c_str(), GetFileExInfoStandard, &data);
    FileTimeToSystemTime(&data.ftLastWriteTime, &written);
    EXPECT_EQ(written.wYear, 2030) << "the update's archive date";
    EXPECT_TRUE(backupsKept());
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntilClosed(window));

    TypeKeys(main, {'P', 'U'}, true);  // Plugins > Undo Last Plugin Update
    ASSERT_TRUE(Answer(L"Undo Plugin Update", IDYES));
    EXPECT_EQ(readFile(L"PSXPlugins\\gpuFixture.dll"), gpu) << "put back byte for byte";
    EXPECT_FALSE(backupsKept()) << "an undone update's backup goes";
    EXPECT_TRUE(quit(main));
}

TEST_F(UpdateProgramTest, AQuitWhileADownloadHangsEndsItAndCorvane) {
    ASSERT_NE(checkOn("stall/"), nullptr);
    Sleep(1000);
    // The server would hold the list 30 s before the download gave up.
    ASSERT_TRUE(quit(main));
    EXPECT_TRUE(logHas("The download from " + service + "zip.php?id=1 was cancelled."));
}
}  // namespace
