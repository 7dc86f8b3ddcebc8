// The real corvane.exe, started from a prepared program folder, driven the
// way a user would: its windows found by caption, its buttons pressed.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/win32/BuildPaths.h"
#include "app/win32/Handles.h"
#include "app/win32/WideText.h"
#include "app/win32/Win32FileSystem.h"
#include "app/Utf16.h"

namespace {
std::wstring ProgramFile() { return Widen(WindowsPath(CORVANE_EXE)); }

HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, int milliseconds = 20000) {
    for (int waited = 0; waited < milliseconds; waited += 50) {
        HWND window = FindWindowW(className, caption);
        if (window && IsWindowVisible(window)) return window;
        Sleep(50);
    }
    return nullptr;
}

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() {
        folder = Widen(files.tempFolder()) + L"corvane-program-" + std::to_wstring(GetTickCount()) + L"\\";
        CreateDirectoryW(folder.c_str(), nullptr);
        CopyFileW(ProgramFile().c_str(), (folder + L"corvane.exe").c_str(), FALSE);
    }
    ~ProgramTest() override {
        files.shellFileOperation(ShellOperation::Delete, Narrow(folder.substr(0, folder.size() - 1)), "",
                                 ShellFlags::kSilent | ShellFlags::kNoConfirmation | ShellFlags::kNoErrorUi, "", 0);
    }
    void addPlugin(const std::string& fixture, const std::wstring& target) {
        const std::wstring source = Widen(WindowsPath(CORVANE_FIXTURES) + "\\" + fixture);
        CreateDirectoryW((folder + target.substr(0, target.find(L'\\'))).c_str(), nullptr);
        CopyFileW(source.c_str(), (folder + target).c_str(), FALSE);
    }

    void writeSettings(const std::string& text) {
        DeleteFileW((folder + L"settings.ini").c_str());
        files.appendToFile(Narrow(folder) + "settings.ini", text);
    }
    std::string readFile(const wchar_t* name) { return files.readFile(Narrow(folder + name)).value_or(""); }
    // A text file's text, whether 8-bit or UTF-16 after its mark.
    std::string readText(const wchar_t* name) { return TextOfFile(readFile(name)); }

    UniqueHandle start(const std::wstring& arguments = L"") {
        std::wstring commandLine = L"\"" + folder + L"corvane.exe\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                            &startup, &process))
            return nullptr;
        CloseHandle(process.hThread);
        return UniqueHandle(process.hProcess);
    }

    Win32FileSystem files;
    std::wstring folder;
    const std::wstring caption = Widen("Orvisk's Corvane v" CORVANE_VERSION);
};

TEST_F(ProgramTest, StartsOnceAsksBeforeQuittingAndWritesItsSettings) {
    writeSettings("[Configuration]\r\nSplash=1\r\nLogging=-1\r\nInterval=abc\r\nLastEmu=1\r\n[Emulators]\r\n"
                  "Name1=PCSX\r\nSystem1=6\r\nType1=PCSX\r\nExe1=C:\\pcsx\\pcsx.exe\r\nPlugins1=C:\\pcsx\\plugin\r\n");
    const UniqueHandle first = start();
    ASSERT_TRUE(first);
    HWND main = WaitForWindow(L"CorvaneForm", caption.c_str());
    ASSERT_NE(main, nullptr) << "the main window shows with its caption";

    const UniqueHandle second = start();
    HWND refusal = WaitForWindow(L"#32770", L"Multiple Instances Detected!");
    ASSERT_NE(refusal, nullptr);
    PostMessageW(refusal, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForSingleObject(second.get(), 20000), WAIT_OBJECT_0) << "the second instance ends";

    PostMessageW(main, WM_CLOSE, 0, 0);
    HWND question = WaitForWindow(L"#32770", L"Exiting Corvane");
    ASSERT_NE(question, nullptr);
    PostMessageW(question, WM_COMMAND, IDNO, 0);
    EXPECT_EQ(WaitForSingleObject(first.get(), 1000), static_cast<DWORD>(WAIT_TIMEOUT)) << "No keeps it running";

    PostMessageW(main, WM_CLOSE, 0, 0);
    question = WaitForWindow(L"#32770", L"Exiting Corvane");
    ASSERT_NE(question, nullptr);
    PostMessageW(question, WM_COMMAND, IDYES, 0);
    ASSERT_EQ(WaitForSingleObject(first.get(), 20000), WAIT_OBJECT_0);

    EXPECT_EQ(readFile(L"settings.ini").substr(0, 2), kUtf16Mark);
    EXPECT_EQ(readText(L"settings.ini"),
              "[Configuration]\r\nSplash=1\r\nSysTray=1\r\nDelete=0\r\nCounters=1\r\nExit=1\r\nPluginUpdates=1\r\n"
              "ToolUpdates=1\r\nDistribute=0\r\nInterval=abc\r\nLogging=-1\r\nLastUpdate=Never\r\nTransparency=0\r\n"
              "LConfigDetails=0\r\nCDRomSelection=-1\r\n[Emulators]\r\nName1=PCSX\r\nSystem1=6\r\nType1=PCSX\r\n"
              "Exe1=C:\\pcsx\\pcsx.exe\r\nPlugins1=C:\\pcsx\\plugin\r\n");
    const std::string log = readFile(L"corvane.log");
    EXPECT_NE(log.find("]: ****** Application started; new log session created ******\r\n"), std::string::npos);
    EXPECT_NE(log.find("]: Startup operations finished; completed in "), std::string::npos);
    EXPECT_NE(log.find("]: ****** Shutdown complete; exiting application ******\r\n"), std::string::npos);
}

TEST_F(ProgramTest, KillingItWhileItSavesNeverLosesTheSettingsFile) {
    const std::string settings = "[Configuration]\r\nSplash=1\r\nExit=0\r\nInterval=45\r\n";
    writeSettings(settings);
    for (int attempt = 0; attempt < 12; ++attempt) {
        const UniqueHandle program = start();
        ASSERT_TRUE(program);
        HWND main = WaitForWindow(L"CorvaneForm", caption.c_str());
        ASSERT_NE(main, nullptr);
        PostMessageW(main, WM_CLOSE, 0, 0);
        Sleep(static_cast<DWORD>(attempt * 3));
        TerminateProcess(program.get(), 1);
        WaitForSingleObject(program.get(), 20000);

        // Whatever the moment, the file is whole: the old one or the new one.
        const std::string text = readText(L"settings.ini");
        ASSERT_TRUE(text == settings || (text.find("[Configuration]\r\nSplash=1\r\n") == 0 &&
                                         text.find("CDRomSelection=-1\r\n") != std::string::npos))
            << "attempt " << attempt << ":\n"
            << text;
        EXPECT_NE(text.find("Interval=45\r\n"), std::string::npos);
    }
}
// Clicks the first row of a list view, just under its header, as the
// user's mouse would.
void ClickFirstRow(HWND list) {
    RECT header;
    GetWindowRect(FindWindowExW(list, nullptr, L"SysHeader32", nullptr), &header);
    POINT point{header.left + 30, header.bottom + 8};
    ScreenToClient(list, &point);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    Sleep(300);
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

TEST_F(ProgramTest, ListsItsPluginsAndRunsTheirTestAndAbout) {
    writeSettings("[Configuration]\r\nSplash=1\r\nExit=0\r\nLogging=-1\r\n");
    addPlugin("gpuFixture.dll", L"PSXPlugins\\gpuFixture.dll");
    addPlugin("padFixture.dll", L"PSXPlugins\\zlib.dll");
    addPlugin("n64GfxFixture.dll", L"N64Plugins\\n64GfxFixture.dll");
    const UniqueHandle program = start();
    HWND main = WaitForWindow(L"CorvaneForm", caption.c_str());
    ASSERT_NE(main, nullptr);

    const std::string log = readFile(L"corvane.log");
    EXPECT_NE(log.find("]: Found Fixture GPU (gpuFixture.dll) of PSX type GPU\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("]: zlib.dll is in list of DLL exclusions; ignored...\r\n"), std::string::npos);
    EXPECT_NE(log.find("]: Found Fixture N64 Graphics (n64GfxFixture.dll) of N64 type GFX\r\n"), std::string::npos);

    // The first list is the PSX graphics list: one row.
    HWND gpuList = FindWindowExW(main, nullptr, L"SysListView32", nullptr);
    ASSERT_NE(gpuList, nullptr);
    EXPECT_EQ(SendMessageW(gpuList, LVM_GETITEMCOUNT, 0, 0), 1);
    ClickFirstRow(gpuList);

    PostMessageW(FindWindowExW(main, nullptr, L"Button", L"&Test the Plugin"), BM_CLICK, 0, 0);
    HWND verdict = WaitForWindow(L"#32770", L"GPU Plugin Test", 5000);
    if (!verdict) {
        // Whatever box came instead must not keep the program running.
        TerminateProcess(program.get(), 1);
        FAIL() << "selecting the row did not reach the test";
    }
    EXPECT_EQ(TextOf(GetDlgItem(verdict, 0xFFFF)), L"Fixture GPU reports that it should work properly.");
    PostMessageW(verdict, WM_COMMAND, IDOK, 0);
    Sleep(300);
    SendMessageW(FindWindowExW(main, nullptr, L"Button", L"A&bout the Plugin"), BM_CLICK, 0, 0);
    Sleep(300);
    EXPECT_EQ(readFile(L"PSXPlugins\\fixture-calls.txt"), "test\nabout\n");

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
    const std::string after = readFile(L"corvane.log");
    EXPECT_NE(after.find("]: Calling test in plugin gpuFixture.dll\r\n"), std::string::npos);
    EXPECT_NE(after.find("]: Calling about in plugin gpuFixture.dll\r\n"), std::string::npos);
}
// The n-th list view of the main window (0: the PSX graphics list).
HWND ListNumber(HWND main, int n) {
    HWND list = nullptr;
    for (int i = 0; i <= n; ++i) list = FindWindowExW(main, list, L"SysListView32", nullptr);
    return list;
}

LRESULT SelectedRow(HWND list) { return SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED); }

std::wstring RegistryText(const wchar_t* key, const wchar_t* value) {
    wchar_t text[260] = L"";
    DWORD size = sizeof text;
    RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, text, &size);
    return text;
}

TEST_F(ProgramTest, ShowsAPcsxSelectionWarnsAboutAMissingPluginAndAppliesTheUsersChoice) {
    const wchar_t* key = L"Software\\Pcsx";
    RegDeleteTreeW(HKEY_CURRENT_USER, key);
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"gpu", REG_SZ, L"gpuFixture.dll", sizeof L"gpuFixture.dll");
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"spu", REG_SZ, L"gone.dll", sizeof L"gone.dll");
    writeSettings("[Configuration]\r\nSplash=1\r\nExit=0\r\nLastEmu=1\r\n[Emulators]\r\nName1=PCSX\r\n"
                  "System1=6\r\nType1=PCSX\r\nExe1=C:\\pcsx\\pcsx.exe\r\nPlugins1=" +
                  Narrow(folder) + "plugin\r\n");
    addPlugin("gpuFixture.dll", L"plugin\\gpuFixture.dll");
    addPlugin("longNameFixture.dll", L"plugin\\longNameFixture.dll");
    addPlugin("padFixture.dll", L"plugin\\padFixture.dll");
    const UniqueHandle program = start();

    HWND warning = WaitForWindow(L"#32770", L"Active Plugin Not Found");
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(warning, 0xFFFF)),
              L"Warning: gone.dll is listed as the active SPU plugin, but could not be found in the current plugin "
              L"directory!");
    PostMessageW(warning, WM_COMMAND, IDOK, 0);
    HWND main = WaitForWindow(L"CorvaneForm", caption.c_str());
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(SelectedRow(ListNumber(main, 0)), 0) << "gpuFixture.dll is the active GPU";

    ClickFirstRow(ListNumber(main, 3));
    // The user moves the GPU list's highlight with the keyboard: the row
    // highlighted is the one applied.
    HWND gpuList = ListNumber(main, 0);
    ClickFirstRow(gpuList);
    PostMessageW(gpuList, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(gpuList, WM_KEYUP, VK_DOWN, 0);
    Sleep(300);
    EXPECT_EQ(SelectedRow(gpuList), 1);
    SendMessageW(FindWindowExW(main, nullptr, L"Button", L"&Apply"), BM_CLICK, 0, 0);
    EXPECT_EQ(RegistryText(key, L"gpu"), L"longNameFixture.dll");
    EXPECT_EQ(RegistryText(key, L"pad1"), L"padFixture.dll");
    EXPECT_EQ(RegistryText(key, L"spu"), L"gone.dll") << "an empty list leaves its value";

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
    RegDeleteTreeW(HKEY_CURRENT_USER, key);
}
TEST_F(ProgramTest, NamesOutsideTheAnsiCodePageSurviveAStartAndAQuit) {
    const std::string emulators = "[Emulators]\r\nName1=\xC5\x81\xC3\xB3" "d\xC5\xBA\r\nSystem1=7\r\nType1=Folder\r\n"
                                  "Exe1=....\r\nPlugins1=C:\\\xE6\x9D\xB1\xE4\xBA\xAC\\plugins\r\n";
    DeleteFileW((folder + L"settings.ini").c_str());
    files.appendToFile(Narrow(folder) + "settings.ini",
                       kUtf16Mark + Utf8ToUtf16("[Configuration]\r\nSplash=1\r\nExit=0\r\nLastEmu=1\r\n" + emulators));
    const UniqueHandle program = start();
    HWND main = WaitForWindow(L"CorvaneForm", caption.c_str());
    ASSERT_NE(main, nullptr);
    HWND selector = FindWindowExW(main, nullptr, L"ComboBox", nullptr);
    ASSERT_EQ(SendMessageW(selector, CB_GETCURSEL, 0, 0), 1);
    wchar_t chosen[64] = L"";
    SendMessageW(selector, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(chosen));
    EXPECT_EQ(std::wstring(chosen), L"\u0141\u00F3d\u017A  (N64)");
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
    const std::string text = readText(L"settings.ini");
    EXPECT_NE(text.find(emulators), std::string::npos) << text;
}
}  // namespace
