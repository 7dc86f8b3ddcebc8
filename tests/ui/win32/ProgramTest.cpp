// The real corvane.exe, started from a prepared program folder, driven the
// way a user would: its windows found by caption, its keys, buttons and
// tray icon pressed.
#include "ui/win32/ProgramFixture.h"

#include <shellapi.h>

namespace {
using ProgramTest = ProgramFixture;

// Tells the shell `message` about the tray window's icon; true when the
// notification area holds it (the shell changes only an icon it has).
bool NotifyIcon(HWND tray, DWORD message = NIM_MODIFY) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = tray;
    data.uID = 1;
    return Shell_NotifyIconW(message, &data) != FALSE;
}

void ClickAt(int x, int y) {
    SetCursorPos(x, y);
    Sleep(300);  // a menu highlights the entry under the pointer first
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

TEST_F(ProgramTest, StartsOnceSitsInTheTrayAsksBeforeQuittingAndKeepsNamesOutsideTheAnsiCodePage) {
    const std::string emulators = "[Emulators]\r\nName1=\xC5\x81\xC3\xB3" "d\xC5\xBA\r\nSystem1=7\r\nType1=Folder\r\n"
                                  "Exe1=....\r\nPlugins1=C:\\\xE6\x9D\xB1\xE4\xBA\xAC\\plugins\r\n";
    writeSettings("[Configuration]\r\nSplash=1\r\nLogging=-1\r\nLastEmu=1\r\n" + emulators);
    HWND main = open();
    ASSERT_NE(main, nullptr) << "the main window shows with its caption";
    HWND selector = FindWindowExW(main, nullptr, WC_COMBOBOXW, nullptr);
    wchar_t chosen[64] = L"";
    SendMessageW(selector, CB_GETLBTEXT, SendMessageW(selector, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(chosen));
    EXPECT_EQ(std::wstring(chosen), L"\u0141\u00F3d\u017A  (N64)");

    HWND tray = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (tray = FindWindowW(L"CorvaneForm", L"SysTray")) != nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return NotifyIcon(tray); }));
    PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); })) << "off the taskbar, into the tray";
    // A right click on the icon as the shell reports it (Wine's tray window
    // places its icons as it likes), then "Open Orvisk's Corvane" clicked.
    PostMessageW(tray, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN);
    HWND popup = WaitForWindow(L"#32768", nullptr, 10000);
    ASSERT_NE(popup, nullptr);
    RECT menu;
    GetWindowRect(popup, &menu);
    ClickAt(menu.left + 30, menu.top + 12);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) && !IsIconic(main); })) << "Open Orvisk's Corvane";
    EXPECT_EQ(GetForegroundWindow(), main);
    // The shell forgets the icon and says it started again.
    ASSERT_TRUE(NotifyIcon(tray, NIM_DELETE));
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitFor([&] { return NotifyIcon(tray); })) << "the icon is back";

    const UniqueHandle second = start();
    EXPECT_TRUE(Answer(L"Multiple Instances Detected!", IDOK));
    EXPECT_EQ(WaitForSingleObject(second.get(), 20000), WAIT_OBJECT_0) << "the second instance ends";
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Answer(L"Exiting Corvane", IDNO));
    EXPECT_EQ(WaitForSingleObject(program.get(), 1000), static_cast<DWORD>(WAIT_TIMEOUT)) << "No keeps it running";
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Answer(L"Exiting Corvane", IDYES));
    ASSERT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
    EXPECT_FALSE(NotifyIcon(tray)) << "no icon left behind";
    const std::string text = TextOfFile(readFile(L"settings.ini"));
    EXPECT_NE(text.find(emulators), std::string::npos) << text;
    EXPECT_TRUE(logHas("****** Application started; new log session created ******"));
}

// The save writes a fresh file beside the old one and then puts it in its
// place: stopped half-way, it leaves the old file whole.
TEST_F(ProgramTest, ASaveThatCannotFinishLeavesTheSettingsFileAsItWas) {
    const std::string settings = "[Configuration]\r\nSplash=1\r\nExit=0\r\nInterval=45\r\n";
    writeSettings(settings);
    CreateDirectoryW((folder + L"settings.ini.new").c_str(), nullptr);  // no fresh file can be written
    HWND main = open();
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Answer(L"Settings Not Saved", IDOK));
    EXPECT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
    EXPECT_EQ(TextOfFile(readFile(L"settings.ini")), settings);
}

// Clicks the first row of a list view, just under its header, as a mouse would.
void ClickFirstRow(HWND list) {
    RECT header;
    GetWindowRect(FindWindowExW(list, nullptr, WC_HEADERW, nullptr), &header);
    POINT point{header.left + 30, header.bottom + 8};
    ScreenToClient(list, &point);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    Sleep(300);
}

LRESULT SelectedRow(HWND list) { return SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// (Folder imports and drops are tested natively: Wine's picker takes no typed path.)
TEST_F(ProgramTest, AppliesImportsCopiesRenamesAndDeletesTheRowsTheUserPicks) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Pcsx", L"gpu", REG_SZ, L"gpuFixture.dll", sizeof L"gpuFixture.dll");
    const std::wstring plugins = folder + L"pl\u00FCgins\\";
    writeSettings("[Configuration]\r\nSplash=1\r\nExit=0\r\nLastEmu=1\r\nLogging=-1\r\n[Emulators]\r\nName1=PCSX\r\n"
                  "System1=6\r\nType1=PCSX\r\nExe1=C:\\pcsx\\pcsx.exe\r\nPlugins1=" +
                  Narrow(plugins.substr(0, plugins.size() - 1)) + "\r\n");
    for (const wchar_t* plugin : {L"gpuFixture.dll", L"longNameFixture.dll", L"padFixture.dll"})
        addPlugin(Narrow(plugin), L"pl\u00FCgins\\" + std::wstring(plugin));
    addPlugin("spuFixture.dll", L"d\u00E9p\u00F4t\\spuFixture.dll");
    HWND main = open();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(RemoveDirectoryW((folder + L"PSXPlugins").c_str())) << "made at start-up, empty";
    HWND gpuList = ListNumber(main, 0);
    EXPECT_EQ(SelectedRow(gpuList), 0) << "gpuFixture.dll is the active GPU";

    // The row the keyboard highlights is the one applied.
    ClickFirstRow(ListNumber(main, 3));
    ClickFirstRow(gpuList);
    PostMessageW(gpuList, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(gpuList, WM_KEYUP, VK_DOWN, 0);
    Sleep(300);
    EXPECT_EQ(SelectedRow(gpuList), 1);
    SendMessageW(FindWindowExW(main, nullptr, WC_BUTTONW, L"&Apply"), BM_CLICK, 0, 0);
    EXPECT_EQ(RegistryText(L"Software\\Pcsx", L"gpu"), L"longNameFixture.dll");
    EXPECT_EQ(RegistryText(L"Software\\Pcsx", L"pad1"), L"padFixture.dll");

    TypeKeys(main, {'F', 'I', 'F'}, true);  // File > Import Plugins > File(s)
    HWND chooser = WaitForWindow(L"#32770", L"Select the file(s) to import");
    SetDlgItemTextW(chooser, 1148, (folder + L"d\u00E9p\u00F4t\\spuFixture.dll").c_str());
    PostMessageW(chooser, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return Rows(ListNumber(main, 1)) == 1; })) << "listed at once";
    EXPECT_TRUE(Exists(plugins + L"spuFixture.dll"));
    EXPECT_TRUE(Exists(folder + L"d\u00E9p\u00F4t\\spuFixture.dll")) << "copied, not moved";

    // The list's context menu from the keyboard: its last entry, Copy,
    // then Tool Backups.
    ClickFirstRow(gpuList);
    TypeKeys(main, {VK_APPS, VK_UP, VK_RIGHT, VK_RETURN}, false);
    std::vector<FileEntry> copies;
    ASSERT_TRUE(WaitFor([&] { return (copies = files.find(Narrow(folder) + "PSXPlugins\\*.dll")).size() == 1; }))
        << "the central folder made again and the selected plug-in copied into it";
    const std::wstring picked = Widen(copies[0].name);
    const std::wstring other = picked == L"gpuFixture.dll" ? L"longNameFixture.dll" : L"gpuFixture.dll";
    TypeKeys(main, {'E', 'R'}, true);  // Edit > Rename
    ASSERT_TRUE(IsWindowVisible(FocusOf(main))) << "the editor over the row";
    SetWindowTextW(FocusOf(main), other.c_str());
    TypeKeys(main, {VK_RETURN}, false);
    EXPECT_TRUE(Answer(L"Illegal Filename", IDOK)) << "the other plug-in's name";
    SetWindowTextW(FocusOf(main), L"r\u00E9nomm\u00E9.dll");
    TypeKeys(main, {VK_RETURN}, false);
    EXPECT_TRUE(Answer(L"Rename Plugin", IDYES));
    EXPECT_EQ(FocusOf(main), gpuList) << "the keyboard back on the list";
    EXPECT_FALSE(Exists(plugins + picked));
    EXPECT_TRUE(Exists(plugins + other)) << "the clash left alone";
    TypeKeys(main, {'E', 'D'}, true);  // Edit > Delete: into the recycle bin, unasked
    EXPECT_TRUE(WaitFor([&] { return !Exists(plugins + L"r\u00E9nomm\u00E9.dll"); }));
    EXPECT_EQ(Rows(gpuList), 1);
    EXPECT_TRUE(quit(main));
    EXPECT_TRUE(logHas("Renamed plugin " + Narrow(picked) + " to r\xC3\xA9nomm\xC3\xA9.dll"));
}
}  // namespace
