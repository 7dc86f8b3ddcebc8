// The real corvane.exe with an ePSXe entry: its launches, its ePSXe
// settings window with memory cards, its menus and drive list, driven from
// the keyboard as a user drives them.
#include "ui/win32/ProgramFixture.h"

#include "epsxe/clsMemCard.h"

namespace {
using ShellProgramTest = ProgramFixture;

// The fake emulator's record, once it has one; it goes, for the next launch.
std::string TakeRecord(const std::wstring& path) {
    std::optional<std::string> record;
    WaitFor([&] { return (record = Win32FileSystem().readFile(Narrow(path), kWholeFile)).has_value(); }, 20000);
    DeleteFileW(path.c_str());
    return record.value_or("");
}

// A value of ePSXe's key as ePSXe reads it: through the ANSI calls.
std::string AnsiValue(const char* name) {
    char data[1024] = "(unreadable)";
    DWORD size = sizeof data;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\epsxe\\config", name, RRF_RT_REG_SZ, nullptr, data, &size);
    return data;
}

// The executable field holds a switch, as older settings files may.
TEST_F(ShellProgramTest, LaunchesWritesEPSXeSettingsAndCardsAndAnswersItsMenusFromTheKeyboard) {
    const std::wstring emulators = folder + L"Emu Dir\\", card = folder + L"cards\\",
                       recordPath = emulators + L"fake-emulator-run.txt";
    addPlugin("fakeEmulator.exe", L"Emu Dir\\epsxe.exe");
    files.appendToFile(Narrow(emulators) + "sleep-ms.txt", "1500");
    files.appendToFile(Narrow(emulators) + "exit-code.txt", "259");
    writeText(L"Configurations\\SLUS_004.26.cfg", "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\"
                                                  "Software\\epsxe\\config]\r\n\"Probe\"=\"disc profile\"\r\n\r\n"
                                                  "[Corvane]\r\nConfigName=x\r\n");
    CreateDirectoryW(card.c_str(), nullptr);
    files.appendToFile(Narrow(card) + "mine.mcr", "my saved games");
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\epsxe\\config", L"Memcard2", REG_SZ, L"two.mcr", sizeof L"two.mcr");
    files.appendToFile(Narrow(folder) + "readme.txt", "Corvane's read me\r\n");
    writeSettings("[Configuration]\r\nSplash=1\r\nExit=0\r\nLogging=-1\r\nLastEmu=1\r\n[Emulators]\r\nName1=ePSXe\r\n"
                  "System1=6\r\nType1=ePSXe\r\nExe1=" + Narrow(emulators) + "epsxe.exe -slowboot\r\nPlugins1=" +
                  Narrow(emulators) + "plugins\r\n");
    HWND main = open();
    ASSERT_NE(main, nullptr);

    // Plain: the window waits minimized and will not quit meanwhile.
    PostMessageW(FindWindowExW(main, nullptr, WC_BUTTONW, L"Launch the Selected Emulator"), BM_CLICK, 0, 0);
    std::string record = TakeRecord(recordPath);
    // The executable one argument, blanks and all (unquoted, Windows would
    // try "...\Emu" first); the emulator's folder its own.
    EXPECT_NE(record.find("argc=2\r\nargv0=" + Narrow(emulators) + "epsxe.exe\r\nargv1=-slowboot\r\ncwd=" +
                          Narrow(emulators.substr(0, emulators.size() - 1)) + "\r\n"),
              std::string::npos)
        << record;
    EXPECT_TRUE(IsIconic(main));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Answer(L"Spawned Application Still Running", IDOK));
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(main); }, 20000)) << "back after the emulator ended with 259";
    // From the disc in Q:, its profile imported first.
    TypeKeys(main, {'F', 'R'}, true);  // File > Launch CD&ROM
    record = TakeRecord(recordPath);
    EXPECT_NE(record.find("argv1=-slowboot\r\nargv2=-nogui\r\n"), std::string::npos) << "the field's switches first";
    EXPECT_NE(record.find("registry=disc profile\r\n"), std::string::npos) << record;
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(main); }, 20000));

    TypeKeys(main, {'F', 'O'}, true);  // File > C&onfigure Emulator
    HWND settings = WaitForWindow(L"CorvaneForm", L"Corvane: Configure ePSXe");
    ASSERT_NE(settings, nullptr);
    // A BIOS path of 150 characters, one of them outside ASCII.
    const std::wstring bios = L"C:\\ePSXe\\bios\\caf\u00E9 " + std::wstring(130, L'b') + L".bin";
    SetWindowTextW(FindWindowExW(settings, nullptr, WC_EDITW, nullptr), bios.c_str());
    // Card 1: "New..." onto a card is refused at the system's question,
    // then a new name gets an empty card.
    PostMessageW(FindWindowExW(settings, nullptr, WC_BUTTONW, L"New..."), BM_CLICK, 0, 0);
    HWND save = WaitForWindow(L"#32770", L"Save New Memory Card As...");
    ASSERT_NE(save, nullptr);
    SetDlgItemTextW(save, 1148, (card + L"mine.mcr").c_str());  // the name box
    PostMessageW(save, WM_COMMAND, IDOK, 0);
    HWND question = nullptr;  // the box over the dialog, with its caption
    ASSERT_TRUE(WaitFor([&] { return (question = FindWindowW(L"#32770", L"Save New Memory Card As...")) != save; }))
        << "the system asks before replacing";
    PostMessageW(question, WM_COMMAND, IDNO, 0);
    WaitUntilClosed(question);
    EXPECT_EQ(readFile(L"cards\\mine.mcr"), "my saved games");
    SetDlgItemTextW(save, 1148, (card + L"n\u00E9w").c_str());
    PostMessageW(save, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return readFile(L"cards\\n\u00E9w.mcr") == clsMemCard::EmptyCard(); }))
        << "the default extension and the exact bytes";
    PostMessageW(FindWindowExW(settings, nullptr, WC_BUTTONW, L"OK"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntilClosed(settings));
    EXPECT_EQ(GetForegroundWindow(), main) << "the owner active again, no other program's window";
    EXPECT_EQ(AnsiValue("BiosName"), "C:\\ePSXe\\bios\\caf\xE9 " + std::string(130, 'b') + ".bin");
    EXPECT_EQ(AnsiValue("Memcard1"), Narrow(card) + "n\xE9w.mcr") << "in the window's code page";

    // The Help menu before the Configuration page, where Alt+H is an
    // option's access key, as a dialog's controls come before its menu.
    HWND tabs = FindWindowExW(main, nullptr, WC_TABCONTROLW, nullptr);
    // This prefix has no program for ".txt": Notepad opens the read me.
    TypeKeys(main, {'H', 'R'}, true);  // Help > &Read Me
    EXPECT_TRUE(WaitFor([&] { return FindWindowW(L"Notepad", nullptr) != nullptr; }, 20000));
    PostMessageW(FindWindowW(L"Notepad", nullptr), WM_CLOSE, 0, 0);
    TypeKeys(main, {'V', 'C'}, true);  // View > &Configuration
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(FocusOf(main), tabs) << "the page has the keyboard";
    // The prefix has 23 drives: their list is longer than a 64-character buffer.
    wchar_t drives[128] = {};
    ASSERT_GE(GetLogicalDriveStringsW(128, drives), 23u * 4);
    bool listed = false;
    for (HWND combo = nullptr; (combo = FindWindowExW(main, combo, WC_COMBOBOXW, nullptr));)
        listed = listed || SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(L"Q:\\")) != CB_ERR;
    EXPECT_TRUE(listed) << "the CD-ROM drive among them";

    TypeKeys(main, {'X'}, true);  // the Exit button, by its access key
    EXPECT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
    EXPECT_TRUE(logHas("Configuration Profile Detected for GameID: SLUS_004.26; Loading..."));
}
}  // namespace
