// The real corvane.exe's shell: the tray icon, the ePSXe settings window,
// memory cards, the drive list and the Help menu, driven as a user drives
// them.
#include "ui/win32/ProgramFixture.h"

#include <shellapi.h>

#include "epsxe/clsMemCard.h"
#include "app/WholeFile.h"

namespace {
class ShellProgramTest : public ProgramFixture {
protected:
    // The tray's hidden window once the program made it.
    static HWND TrayWindow() {
        for (int waited = 0; waited < 20000; waited += 50) {
            if (HWND tray = FindWindowW(L"CorvaneForm", L"SysTray")) return tray;
            Sleep(50);
        }
        return nullptr;
    }
    // Whether the notification area holds the tray window's icon: the shell
    // changes only an icon it has.
    static bool IconShown(HWND tray) {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = tray;
        data.uID = 1;
        return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    }
    // Minimizes the main window; true once it has left the screen for the
    // tray.
    static bool MinimizeToTray(HWND main) {
        PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return WaitFor([main] { return !IsWindowVisible(main); });
    }
    static void ClickAt(int x, int y, DWORD down, DWORD up) {
        SetCursorPos(x, y);
        Sleep(300);  // a menu highlights the entry under the pointer first
        INPUT inputs[2]{};
        inputs[0].type = inputs[1].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = down;
        inputs[1].mi.dwFlags = up;
        SendInput(2, inputs, sizeof(INPUT));
    }
    // The child window of this class whose text is `text`, the nth such.
    static HWND Child(HWND parent, const wchar_t* className, const wchar_t* text, int nth = 0) {
        HWND child = nullptr;
        for (int i = 0; i <= nth; ++i) child = FindWindowExW(parent, child, className, text);
        return child;
    }
    void ePSXeEntry() {
        writeSettings("[Configuration]\r\nSplash=1\r\nExit=0\r\nLastEmu=1\r\n[Emulators]\r\nName1=ePSXe\r\nSystem1=6\r\n"
                      "Type1=ePSXe\r\nExe1=" + Narrow(folder) + "ePSXe\\ePSXe.exe\r\nPlugins1=" + Narrow(folder) +
                      "ePSXe\\plugins\r\n");
        CreateDirectoryW((folder + L"ePSXe").c_str(), nullptr);
        CreateDirectoryW((folder + L"ePSXe\\plugins").c_str(), nullptr);
    }
    HWND openEPSXeSettings(HWND main) {
        TypeKeys(main, {'F', 'O'}, true);  // File > C&onfigure Emulator
        return WaitForWindow(L"CorvaneForm", L"Corvane: Configure ePSXe");
    }
    // Names a new card in the save dialog the "New..." button opened.
    static HWND SaveDialog() { return WaitForWindow(L"#32770", L"Save New Memory Card As..."); }
    static void TypeFileName(HWND dialog, const std::wstring& path) {
        // The name box of the explorer-style dialog: an edit box, or the
        // edit box inside the name combo box of newer dialogs.
        HWND name = GetDlgItem(dialog, 0x480);
        if (!name) {
            HWND box = GetDlgItem(dialog, 0x47c);
            HWND combo = FindWindowExW(box, nullptr, L"ComboBox", nullptr);
            name = FindWindowExW(combo ? combo : box, nullptr, L"Edit", nullptr);
        }
        ASSERT_NE(name, nullptr);
        SetWindowTextW(name, path.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
    // The box a window shows over itself, once it is there.
    static HWND BoxOver(HWND owner) {
        for (int waited = 0; waited < 10000; waited += 50) {
            for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));)
                if (GetWindow(box, GW_OWNER) == owner && IsWindowVisible(box)) return box;
            Sleep(50);
        }
        return nullptr;
    }
    // Keys for whatever has the keyboard (a menu that is up), pressed and
    // released in turn.
    static void PressKeys(const std::vector<WORD>& keys) {
        for (WORD code : keys) {
            INPUT inputs[2]{};
            inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
            inputs[0].ki.wVk = inputs[1].ki.wVk = code;
            inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(2, inputs, sizeof(INPUT));
            Sleep(300);
        }
    }
};

TEST_F(ShellProgramTest, SitsInTheTrayComesBackThroughItsMenuAndKeepsItsIconAfterTheShellRestarts) {
    writeSettings("[Configuration]\r\nSplash=1\r\nExit=0\r\n");
    const UniqueHandle program = start();
    HWND main = WaitForWindow(L"CorvaneForm", caption.c_str());
    ASSERT_NE(main, nullptr);
    HWND tray = TrayWindow();
    ASSERT_NE(tray, nullptr);
    EXPECT_FALSE(IsWindowVisible(tray));
    EXPECT_TRUE(WaitFor([&] { return IconShown(tray); }));
    ASSERT_NE(FindWindowW(nullptr, L"Wine System Tray"), nullptr)
        << "Wine shows tray icons in a window of their own on a bare display";

    ASSERT_TRUE(MinimizeToTray(main)) << "off the taskbar, into the tray";
    // A right click on the icon as the shell reports it (Wine's tray window
    // places its icons as it likes), then "Open Orvisk's Corvane" clicked.
    PostMessageW(tray, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN);
    HWND popup = WaitForWindow(L"#32768", nullptr, 10000);
    ASSERT_NE(popup, nullptr);
    RECT menu;
    GetWindowRect(popup, &menu);
    ClickAt(menu.left + 30, menu.top + 12, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) && !IsIconic(main); })) << "Open Orvisk's Corvane";
    EXPECT_EQ(GetForegroundWindow(), main);

    // The shell forgets the icon and says it started again.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = tray;
    data.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
    EXPECT_FALSE(IconShown(tray));
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitFor([&] { return IconShown(tray); })) << "the icon is back";

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
    EXPECT_FALSE(IconShown(tray)) << "no icon left behind";
}

TEST_F(ShellProgramTest, WritesEPSXeSettingsThatReadBackWholeMakesCardsWithoutReplacingOneAndConvertsThem) {
    ePSXeEntry();
    const std::wstring card = folder + L"cards\\";
    CreateDirectoryW(card.c_str(), nullptr);
    files.appendToFile(Narrow(card) + "mine.mcr", "my saved games");
    const UniqueHandle program = start();
    HWND main = WaitForWindow(L"CorvaneForm", caption.c_str());
    ASSERT_NE(main, nullptr);
    HWND settings = openEPSXeSettings(main);
    ASSERT_NE(settings, nullptr);

    // A BIOS path of 150 characters, one of them outside ASCII.
    const std::wstring bios = L"C:\\ePSXe\\bios\\caf\u00E9 " + std::wstring(130, L'b') + L".bin";
    SetWindowTextW(Child(settings, L"Edit", nullptr, 0), bios.c_str());

    // Card 1: "New..." onto an existing card is refused at the system's
    // question, then a new name gets an empty card.
    PostMessageW(Child(settings, L"Button", L"New...", 0), BM_CLICK, 0, 0);
    HWND save = SaveDialog();
    ASSERT_NE(save, nullptr);
    TypeFileName(save, card + L"mine.mcr");
    HWND question = BoxOver(save);
    ASSERT_NE(question, nullptr) << "the system asks before replacing";
    PostMessageW(question, WM_COMMAND, IDNO, 0);
    WaitUntilClosed(question);
    EXPECT_EQ(files.readFile(Narrow(card) + "mine.mcr", kWholeFile).value_or(""), "my saved games");
    save = SaveDialog();
    ASSERT_NE(save, nullptr) << "back in the dialog";
    TypeFileName(save, card + L"n\u00E9w");
    WaitUntilClosed(save);
    Sleep(500);
    EXPECT_TRUE(files.readFile(Narrow(card) + "n\xC3\xA9w.mcr", kWholeFile) == clsMemCard::EmptyCard())
        << "the default extension and the exact bytes";

    // Card 2: a card with a saved game converted to a DexDrive file and
    // back, which is then the card.
    std::string saved = clsMemCard::EmptyCard();
    saved.replace(8192, 9, "BESCES-00");
    files.appendToFile(Narrow(card) + "saved.mcr", saved);
    SetWindowTextW(Child(settings, L"Edit", nullptr, 2), (card + L"saved.mcr").c_str());
    for (const wchar_t* name : {L"saved.gme", L"back.mcr"}) {
        PostMessageW(Child(settings, L"Button", L"Convert...", 1), BM_CLICK, 0, 0);
        HWND convert = WaitForWindow(L"#32770", L"Save Memory Card As...");
        ASSERT_NE(convert, nullptr);
        TypeFileName(convert, card + name);
        WaitUntilClosed(convert);
    }
    EXPECT_TRUE(WaitFor([&] { return files.readFile(Narrow(card) + "back.mcr", kWholeFile) == saved; })) << "byte for byte";
    EXPECT_EQ(files.readFile(Narrow(card) + "saved.gme", kWholeFile).value_or("").substr(0, 11), "123-456-STD");
    EXPECT_EQ(files.readFile(Narrow(card) + "saved.gme", kWholeFile).value_or("").size(), 3904 + saved.size());
    PostMessageW(Child(settings, L"Button", L"OK"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntilClosed(settings));

    // Read back through the ANSI calls, as ePSXe reads them.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\epsxe\\config", 0, KEY_READ, &key), ERROR_SUCCESS);
    const auto readA = [&](const char* name) {
        char data[1024] = {};
        DWORD size = sizeof data, type = 0;
        if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS ||
            type != REG_SZ || size == 0 || data[size - 1] != '\0')
            return std::string("(unreadable)");
        return std::string(data, size - 1);
    };
    EXPECT_EQ(readA("BiosName"), "C:\\ePSXe\\bios\\caf\xE9 " + std::string(130, 'b') + ".bin");
    EXPECT_EQ(readA("Memcard1"), Narrow(card) + "n\xE9w.mcr") << "in the window's code page";
    EXPECT_EQ(readA("Memcard2"), Narrow(card) + "back.mcr");
    RegCloseKey(key);

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
}

TEST_F(ShellProgramTest, ItsMenusReachTheirCommandsFromTheKeyboardAndItListsTheCdromAmongTwentyThreeDrives) {
    ePSXeEntry();
    files.appendToFile(Narrow(folder) + "readme.txt", "Corvane's read me\r\n");
    wchar_t drives[128] = {};
    const DWORD length = GetLogicalDriveStringsW(128, drives);
    ASSERT_GE(length, 23u * 4) << "the prefix has 23 drives";
    const UniqueHandle program = start();
    HWND main = WaitForWindow(L"CorvaneForm", caption.c_str());
    ASSERT_NE(main, nullptr);
    HWND tabs = FindWindowExW(main, nullptr, WC_TABCONTROLW, nullptr);

    // The Help menu first: on the Configuration page Alt+H is an option's
    // access key, as a dialog's controls come before its menu.
    TypeKeys(main, {'H', 'C'}, true);  // Help > &Check for Tool Update
    HWND box = WaitForWindow(L"#32770", L"Corvane");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(FindWindowExW(box, nullptr, L"Static", L"Not implemented yet."), nullptr);
    EXPECT_TRUE(Answer(L"Corvane", IDOK));
    TypeKeys(main, {'H', 'A'}, true);  // Help > &About
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 3);

    // This prefix has no program for ".txt": Notepad opens the read me.
    TypeKeys(main, {'H', 'R'}, true);  // Help > &Read Me
    HWND notepad = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (notepad = FindWindowW(L"Notepad", nullptr)) != nullptr; }, 20000));
    if (notepad) PostMessageW(notepad, WM_CLOSE, 0, 0);

    TypeKeys(main, {'V', 'C'}, true);  // View > &Configuration
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 2);
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &thread);
    EXPECT_EQ(thread.hwndFocus, tabs) << "the page has the keyboard";
    bool listed = false;
    for (HWND combo = nullptr; (combo = FindWindowExW(main, combo, L"ComboBox", nullptr));)
        listed = listed || SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(L"Q:\\")) != CB_ERR;
    EXPECT_TRUE(listed) << "the CD-ROM drive among " << length / 4 << " drives";

    // The emulator list's context menu from the keyboard (the menu key).
    HWND emulators = nullptr;
    for (HWND list = nullptr; (list = FindWindowExW(main, list, WC_LISTVIEWW, nullptr));)
        if (IsWindowVisible(list)) emulators = list;
    ASSERT_NE(emulators, nullptr);
    RECT rows;
    GetWindowRect(emulators, &rows);
    ClickAt(rows.left + 40, rows.top + 30, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);  // the ePSXe row
    Sleep(500);
    PressKeys({VK_APPS});
    HWND menu = WaitForWindow(L"#32768", nullptr, 10000);
    EXPECT_NE(menu, nullptr);
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));

    // The Exit button, by its access key, quits like File > Exit.
    TypeKeys(main, {'X'}, true);
    EXPECT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
}
}  // namespace
