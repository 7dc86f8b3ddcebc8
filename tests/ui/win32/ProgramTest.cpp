// The real corvane.exe, started from a prepared program folder, driven the
// way a user would: its windows found by caption, its buttons pressed.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ui/win32/ProgramFixture.h"
#include "files/TestZip.h"
#include "app/WholeFile.h"

namespace {
using ProgramTest = ProgramFixture;

// The suite's prefix reports Windows 7, the oldest Windows Corvane runs on.
TEST_F(ProgramTest, StartsOnceAsksBeforeQuittingAndWritesItsSettings) {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExW(&version));
    EXPECT_EQ(version.dwMajorVersion * 10 + version.dwMinorVersion, 61u) << "Windows 7";
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
              "LConfigDetails=0\r\nCDRomSelection=0\r\n[Emulators]\r\nName1=PCSX\r\nSystem1=6\r\nType1=PCSX\r\n"
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
                                         text.find("CDRomSelection=0\r\n") != std::string::npos))
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

    const std::string log = logWith("Initial plugin enumeration complete...");
    EXPECT_NE(log.find("]: Found Fixture GPU (gpuFixture.dll) of PSX type GPU\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("]: zlib.dll is in list of DLL exclusions; ignored...\r\n"), std::string::npos);
    EXPECT_NE(log.find("]: Found Fixture N64 Graphics (n64GfxFixture.dll) of N64 type GFX\r\n"), std::string::npos) << log;

    // The first list is the PSX graphics list: one row.
    HWND gpuList = FindWindowExW(main, nullptr, L"SysListView32", nullptr);
    ASSERT_NE(gpuList, nullptr);
    EXPECT_EQ(SendMessageW(gpuList, LVM_GETITEMCOUNT, 0, 0), 1);
    ClickFirstRow(gpuList);

    PostMessageW(FindWindowExW(main, nullptr, L"Button", L"Test the Pl&ugin"), BM_CLICK, 0, 0);
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
// The lines "name=value" of the fake emulator's record, once it has one.
std::map<std::string, std::string> WaitForRecord(const std::wstring& path, int milliseconds = 20000) {
    std::map<std::string, std::string> record;
    for (int waited = 0; waited < milliseconds && record.empty(); waited += 100) {
        Sleep(100);
        const auto text = Win32FileSystem().readFile(Narrow(path), kWholeFile);
        if (!text) continue;
        for (const std::string& line : TextLines(*text)) {
            const auto equals = line.find('=');
            if (equals != std::string::npos) record[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return record;
}

// The executable field holds a switch, as older settings files may.
TEST_F(ProgramTest, LaunchesTheEmulatorPlainFromTheDiscAndWithAnImageLoadingTheirProfiles) {
    const std::wstring emulators = folder + L"Emu Dir\\";
    CreateDirectoryW(emulators.c_str(), nullptr);
    const std::wstring fake = Widen(WindowsPath(CORVANE_FIXTURES) + "\\fakeEmulator.exe");
    CopyFileW(fake.c_str(), (emulators + L"epsxe.exe").c_str(), FALSE);
    // Windows would try "...\Emu.exe" first for an unquoted path with a blank.
    CopyFileW(fake.c_str(), (folder + L"Emu.exe").c_str(), FALSE);
    files.appendToFile(Narrow(emulators) + "sleep-ms.txt", "1500");
    files.appendToFile(Narrow(emulators) + "exit-code.txt", "259");
    CreateDirectoryW((folder + L"Configurations").c_str(), nullptr);
    const auto profile = [&](const std::string& name, const std::string& probe) {
        files.appendToFile(Narrow(folder) + "Configurations\\" + name,
                           kUtf16Mark + Utf8ToUtf16("Windows Registry Editor Version 5.00\r\n\r\n"
                                                    "[HKEY_CURRENT_USER\\Software\\epsxe\\config]\r\n\"Probe\"=\"" +
                                                    probe + "\"\r\n\r\n[Corvane]\r\nConfigName=x\r\n"));
    };
    profile("SLUS_004.26.cfg", "disc profile");
    profile("Crash Bandicoot.cfg", "image profile");
    const std::wstring image = folder + L"My Games\\Crash Bandicoot.bin";
    CreateDirectoryW((folder + L"My Games").c_str(), nullptr);
    files.appendToFile(Narrow(image), "image");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\epsxe\\config", L"Probe");
    writeSettings("[Configuration]\r\nSplash=1\r\nExit=0\r\nLogging=-1\r\nLastEmu=1\r\n[Emulators]\r\nName1=ePSXe\r\n"
                  "System1=6\r\nType1=ePSXe\r\nExe1=" + Narrow(emulators) + "epsxe.exe -slowboot\r\nPlugins1=" +
                  Narrow(emulators) + "plugins\r\n");
    const UniqueHandle program = start();
    HWND main = WaitForWindow(L"CorvaneForm", caption.c_str());
    ASSERT_NE(main, nullptr);
    const std::wstring recordPath = emulators + L"fake-emulator-run.txt";

    // Plain: the window waits minimized and will not quit meanwhile.
    PostMessageW(FindWindowExW(main, nullptr, L"Button", L"Launch the Selected Emulator"), BM_CLICK, 0, 0);
    auto record = WaitForRecord(recordPath);
    EXPECT_EQ(record["argc"], "2");
    EXPECT_EQ(record["argv0"], Narrow(emulators) + "epsxe.exe") << "one argument, blanks and all";
    EXPECT_EQ(record["argv1"], "-slowboot");
    EXPECT_EQ(record["cwd"] + "\\", Narrow(emulators));
    EXPECT_TRUE(IsIconic(main));
    PostMessageW(main, WM_CLOSE, 0, 0);
    HWND refusal = WaitForWindow(L"#32770", L"Spawned Application Still Running");
    ASSERT_NE(refusal, nullptr);
    PostMessageW(refusal, WM_COMMAND, IDOK, 0);
    for (int waited = 0; waited < 20000 && IsIconic(main); waited += 100) Sleep(100);
    EXPECT_FALSE(IsIconic(main)) << "back after the emulator ended with 259";
    EXPECT_EQ(WaitForSingleObject(program.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_FALSE(files.anyMatch(Narrow(folder) + "fake-emulator-run.txt")) << "the decoy never ran";

    // From the disc in Q:, its profile imported first.
    DeleteFileW(recordPath.c_str());
    TypeKeys(main, {'F', 'R'}, true);  // File > Launch CD&ROM
    record = WaitForRecord(recordPath);
    EXPECT_EQ(record["argv1"] + " " + record["argv2"], "-slowboot -nogui") << "the field's switches first";
    EXPECT_EQ(record["registry"], "disc profile");
    for (int waited = 0; waited < 20000 && IsIconic(main); waited += 100) Sleep(100);

    // With an image from a folder with blanks: its short form, its profile.
    DeleteFileW(recordPath.c_str());
    // File > Launch &ISO/ROM, third from the bottom ("&I" leads to the Import menu first).
    TypeKeys(main, {'F', VK_UP, VK_UP, VK_UP, VK_RETURN}, true);
    HWND chooser = WaitForWindow(L"#32770", L"Select the file you want to launch:");
    ASSERT_NE(chooser, nullptr);
    SetDlgItemTextW(chooser, 1148, image.c_str());  // the file name box
    PostMessageW(chooser, WM_COMMAND, IDOK, 0);
    record = WaitForRecord(recordPath);
    EXPECT_EQ(record["argc"], "5");
    EXPECT_EQ(record["argv3"], "-loadbin");
    EXPECT_EQ(record["argv4"].find(' '), std::string::npos) << record["argv4"];
    EXPECT_EQ(record["registry"], "image profile");
    for (int waited = 0; waited < 20000 && IsIconic(main); waited += 100) Sleep(100);
    EXPECT_FALSE(IsIconic(main));

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
    const std::string log = readFile(L"corvane.log");
    EXPECT_NE(log.find("]: Configuration Profile Detected for GameID: SLUS_004.26; Loading...\r\n"), std::string::npos);
    EXPECT_NE(log.find("]: Configuration Profile Detected for file: " + Narrow(image) + "; Loading...\r\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("]: External thread execution has ended; returning control to application...\r\n"),
              std::string::npos);
    EXPECT_NE(log.find("]: Executing \"" + Narrow(emulators) + "epsxe.exe\" -slowboot -nogui in PID:"),
              std::string::npos)
        << "what was started";
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\epsxe\\config", L"Probe");
}
std::vector<BYTE> RegistryBytes(const wchar_t* key, const wchar_t* value) {
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_ANY, nullptr, nullptr, &size) != 0) return {};
    std::vector<BYTE> bytes(size);
    RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_ANY, nullptr, bytes.data(), &size);
    return bytes;
}

TEST_F(ProgramTest, AProfileSavedThroughTheDialogIsOneUtf16FileAndLoadingItRestoresTheKeys) {
    const wchar_t* key = L"Software\\Vision Thing\\PSEmu Pro\\GPU";
    const std::wstring value = L"\u041A \u021A \u221A \u4E1A";  // bytes 0x1A among them
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Vision Thing");
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Name", REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    const auto saved = RegistryBytes(key, L"Name");
    // No Configurations folder: the save makes it.
    writeSettings("[Configuration]\r\nSplash=1\r\nExit=0\r\n");
    const UniqueHandle program = start();
    HWND main = WaitForWindow(L"CorvaneForm", caption.c_str());
    ASSERT_NE(main, nullptr);

    // From the Configuration page nothing is checked beforehand.
    TypeKeys(main, {'V', 'C'}, true);  // View > &Configuration
    TypeKeys(main, {'F', 'S'}, true);  // File > &Save Configuration
    HWND save = WaitForWindow(L"CorvaneForm", L"Corvane: Save Configuration");
    ASSERT_NE(save, nullptr);
    const auto checked = [&save](const wchar_t* box) {
        return SendMessageW(FindWindowExW(save, nullptr, L"Button", box), BM_GETCHECK, 0, 0) == BST_CHECKED;
    };
    EXPECT_FALSE(checked(L"PSX Plugins"));
    PostMessageW(save, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntilClosed(save));

    // From the PSX page its box is checked once: after a box the user's
    // choice stands.
    TypeKeys(main, {'V', 'P'}, true);  // View > &PSX Plugins
    TypeKeys(main, {'F', 'S'}, true);
    save = WaitForWindow(L"CorvaneForm", L"Corvane: Save Configuration");
    ASSERT_NE(save, nullptr);
    EXPECT_TRUE(checked(L"PSX Plugins"));
    SendMessageW(FindWindowExW(save, nullptr, L"Button", L"PSX Plugins"), BM_CLICK, 0, 0);
    PostMessageW(FindWindowExW(save, nullptr, L"Button", L"Save"), BM_CLICK, 0, 0);
    EXPECT_TRUE(Answer(L"Profile Unnamed!", IDOK));
    EXPECT_FALSE(checked(L"PSX Plugins")) << "activated again, still unchecked";
    SendMessageW(FindWindowExW(save, nullptr, L"Button", L"PSX Plugins"), BM_CLICK, 0, 0);
    SetWindowTextW(FindWindowExW(save, nullptr, L"Edit", nullptr), L"Racing \u00E9t\u00E9");
    SendMessageW(FindWindowExW(save, nullptr, L"Button", L"Save"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntilClosed(save)) << "saved and closed";
    const std::string written = readFile(L"Configurations\\Racing \u00E9t\u00E9.cfg");
    ASSERT_EQ(written.substr(0, 2), kUtf16Mark);
    const std::string text = Utf16ToUtf8(written.substr(2));
    EXPECT_EQ(text.find(kUtf16Mark), std::string::npos);
    EXPECT_EQ(text.find("Windows Registry Editor", 5), std::string::npos) << text;
    EXPECT_NE(text.find("[Corvane]\r\nConfigSpec=1\r\nConfigName=Racing \xC3\xA9t\xC3\xA9\r\nConfigSystem=6\r\n"),
              std::string::npos)
        << text;

    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Vision Thing");
    TypeKeys(main, {'F', 'L'}, true);  // File > &Load Configuration
    HWND load = WaitForWindow(L"CorvaneForm", L"Corvane: Load Configuration");
    ASSERT_NE(load, nullptr);
    SetWindowTextW(FindWindowExW(load, nullptr, L"Edit", nullptr), L"Racing \u00E9t\u00E9.cfg");
    SendMessageW(FindWindowExW(load, nullptr, L"Button", L"Load"), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntilClosed(load));
    EXPECT_EQ(RegistryBytes(key, L"Name"), saved) << "restored byte for byte";
    EXPECT_TRUE(files.find(files.tempFolder() + "*.merge").empty()) << "no snapshot is left";

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Vision Thing");
}
// The text a control of another process holds.
std::wstring ControlText(HWND control) {
    wchar_t text[4096] = L"";
    SendMessageW(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST_F(ProgramTest, ASharedProfileShowsWhatItWouldChangeAndWritesOnlyItsOwnKeys) {
    const wchar_t* run = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    RegDeleteKeyValueW(HKEY_CURRENT_USER, run, L"ceoEvil");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pcsx");
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\CeoKeep", L"Mine", REG_SZ, L"kept", 10);
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Pcsx", L"gpu", REG_SZ, L"gpuMine.dll", 24);
    CreateDirectoryW((folder + L"Configurations").c_str(), nullptr);
    files.appendToFile(Narrow(folder) + "Configurations\\Shared.cfg",
                       kUtf16Mark + Utf8ToUtf16("Windows Registry Editor Version 5.00\r\n\r\n"
                                                "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
                                                "\"ceoEvil\"=\"C:\\\\ceo\\\\evil.exe\"\r\n\r\n"
                                                "[-HKEY_CURRENT_USER\\Software\\CeoKeep]\r\n\r\n"
                                                "[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n\"gpu\"=\"gpuShared.dll\"\r\n\r\n"
                                                "[Corvane]\r\nConfigSpec=1\r\nConfigName=Shared\r\nConfigSystem=6\r\n"));
    writeSettings("[Configuration]\r\nSplash=1\r\nExit=0\r\nLogging=-1\r\nLConfigDetails=-1\r\n");
    const UniqueHandle program = start();
    HWND main = WaitForWindow(L"CorvaneForm", caption.c_str());
    ASSERT_NE(main, nullptr);

    TypeKeys(main, {'F', 'L'}, true);  // File > &Load Configuration
    HWND load = WaitForWindow(L"CorvaneForm", L"Corvane: Load Configuration");
    ASSERT_NE(load, nullptr);
    ClickFirstRow(FindWindowExW(load, nullptr, L"SysListView32", nullptr));
    HWND name = FindWindowExW(load, nullptr, L"Edit", nullptr);
    HWND preview = FindWindowExW(load, FindWindowExW(load, name, L"Edit", nullptr), L"Edit", nullptr);
    ASSERT_TRUE(WaitFor([&] { return !ControlText(preview).empty(); }));
    const std::string shown = Narrow(ControlText(preview));
    EXPECT_NE(shown.find("HKEY_CURRENT_USER\\Software\\Pcsx\r\n    gpu: \"gpuMine.dll\" \xE2\x86\x92 \"gpuShared.dll\""),
              std::string::npos)
        << shown;
    EXPECT_NE(shown.find("    HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\r\n"
                         "    HKEY_CURRENT_USER\\Software\\CeoKeep (deletion of the key)\r\n"),
              std::string::npos)
        << shown;
    EXPECT_EQ(RegistryText(L"Software\\Pcsx", L"gpu"), L"gpuMine.dll") << "looking changes nothing";

    // Posted: the click returns only once the box it raises is answered.
    PostMessageW(FindWindowExW(load, nullptr, L"Button", L"Load"), BM_CLICK, 0, 0);
    HWND box = WaitForWindow(L"#32770", L"Profile Entries Not Loaded");
    ASSERT_NE(box, nullptr);
    std::wstring said;
    for (HWND text = nullptr; (text = FindWindowExW(box, text, L"Static", nullptr)) != nullptr;) said += ControlText(text);
    EXPECT_NE(said.find(L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\r\n"), std::wstring::npos)
        << Narrow(said);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntilClosed(load));
    EXPECT_EQ(RegistryText(L"Software\\Pcsx", L"gpu"), L"gpuShared.dll") << "the rest is loaded";
    EXPECT_EQ(RegistryText(run, L"ceoEvil"), L"") << "no program started at logon";
    EXPECT_EQ(RegistryText(L"Software\\CeoKeep", L"Mine"), L"kept") << "no key deleted";

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
    const std::string log = readFile(L"corvane.log");
    EXPECT_NE(log.find("]: Configuration profile entry not loaded: HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\"
                       "CurrentVersion\\Run\r\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("]: Configuration profile entry not loaded: HKEY_CURRENT_USER\\Software\\CeoKeep (deletion of the "
                       "key)\r\n"),
              std::string::npos);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, run, L"ceoEvil");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\CeoKeep");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pcsx");
}

TEST_F(ProgramTest, TheN64PathDialogRewritesItsListWhole) {
    writeSettings("[Configuration]\r\nSplash=1\r\nExit=0\r\n");
    files.appendToFile(Narrow(folder) + "n64paths.dat", "[N64Plugins]\r\n1Name=Glide64\r\n1Path=HKEY_CURRENT_USER\\Software\\Glide64\r\n");
    const UniqueHandle program = start();
    HWND main = WaitForWindow(L"CorvaneForm", caption.c_str());
    ASSERT_NE(main, nullptr);
    TypeKeys(main, {'T', 'C'}, true);  // Tools > &Configure N64 Registry Paths
    HWND dialog = WaitForWindow(L"CorvaneForm", L"Corvane: Configure N64 Registry Paths");
    ASSERT_NE(dialog, nullptr);
    HWND name = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
    HWND path = FindWindowExW(dialog, name, L"Edit", nullptr);
    HWND add = FindWindowExW(dialog, nullptr, L"Button", L"&Add");
    EXPECT_FALSE(IsWindowEnabled(add));
    SetWindowTextW(name, L"Jabo \u00DC");
    SetWindowTextW(path, L"HKEY_CURRENT_USER\\Software\\Jabo");
    EXPECT_TRUE(IsWindowEnabled(add)) << "both boxes hold text";
    SendMessageW(add, BM_CLICK, 0, 0);
    SendMessageW(FindWindowExW(dialog, nullptr, L"Button", L"OK"), BM_CLICK, 0, 0);
    WaitUntilClosed(dialog);
    EXPECT_EQ(readText(L"n64paths.dat"), "[N64Plugins]\r\n1Name=Glide64\r\n1Path=HKEY_CURRENT_USER\\Software\\Glide64\r\n"
                                         "2Name=Jabo \xC3\x9C\r\n2Path=HKEY_CURRENT_USER\\Software\\Jabo\r\n");
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
}
TEST_F(ProgramTest, ImportsAZipIntoTheFolderOnScreenAndRefusesAHostileOne) {
    writeSettings("[Configuration]\r\nSplash=1\r\nExit=0\r\nLogging=-1\r\n");
    const std::string plugin = files.readFile(WindowsPath(CORVANE_FIXTURES) + "\\gpuFixture.dll", kWholeFile).value_or("");
    ASSERT_FALSE(plugin.empty());
    files.appendToFile(Narrow(folder) + "good.zip", BuildZip({TestEntry("gpuFixture.dll", plugin)}));
    files.appendToFile(Narrow(folder) + "evil.zip",
                       BuildZip({TestEntry("spuOk.dll", "x"), TestEntry("../outside.dll", "escaped")}));
    const UniqueHandle program = start();
    HWND main = WaitForWindow(L"CorvaneForm", caption.c_str());
    ASSERT_NE(main, nullptr);
    const auto importZip = [&](const std::wstring& archive) {
        TypeKeys(main, {'F', 'I', 'Z'}, true);  // File > Import Plugins > Zip Archive
        HWND chooser = WaitForWindow(L"#32770", L"Select the zip archive you want to import from:");
        ASSERT_NE(chooser, nullptr);
        SetDlgItemTextW(chooser, 1148, (folder + archive).c_str());
        PostMessageW(chooser, WM_COMMAND, IDOK, 0);
    };

    importZip(L"good.zip");
    HWND gpuList = FindWindowExW(main, nullptr, L"SysListView32", nullptr);
    EXPECT_EQ(RowsOnceThere(gpuList, 1), 1) << "listed after the import";
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW((folder + L"PSXPlugins\\gpuFixture.dll").c_str(), GetFileExInfoStandard, &data));
    FILETIME local;
    SYSTEMTIME written;
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &written);
    EXPECT_EQ(written.wYear * 10000 + written.wMonth * 100 + written.wDay, 20240315) << "the archive's date";

    importZip(L"evil.zip");
    HWND refusal = WaitForWindow(L"#32770", L"Error While Importing!");
    ASSERT_NE(refusal, nullptr);
    PostMessageW(refusal, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(files.anyMatch(Narrow(folder) + "outside.dll")) << "nothing outside the folder";
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
    const std::string log = readFile(L"corvane.log");
    EXPECT_NE(log.find("]: Entry not imported: ..\\outside.dll: "), std::string::npos) << log;
}
// The control that has the keyboard focus in the program's window.
HWND FocusOf(HWND main) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
    return info.hwndFocus;
}

TEST_F(ProgramTest, CopiesRenamesAndDeletesAPluginFromTheKeyboard) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pcsx");
    const std::wstring plugins = folder + L"pl\u00FCgins\\";
    DeleteFileW((folder + L"settings.ini").c_str());
    files.appendToFile(Narrow(folder) + "settings.ini",
                       kUtf16Mark + Utf8ToUtf16("[Configuration]\r\nSplash=1\r\nExit=0\r\nLastEmu=1\r\nLogging=-1\r\n"
                                                "[Emulators]\r\nName1=PCSX\r\nSystem1=6\r\nType1=PCSX\r\n"
                                                "Exe1=C:\\pcsx\\pcsx.exe\r\nPlugins1=" +
                                                Narrow(plugins.substr(0, plugins.size() - 1)) + "\r\n"));
    addPlugin("gpuFixture.dll", L"pl\u00FCgins\\gpuFixture.dll");
    addPlugin("longNameFixture.dll", L"pl\u00FCgins\\longNameFixture.dll");
    const UniqueHandle program = start();
    HWND main = WaitForWindow(L"CorvaneForm", caption.c_str());
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(RemoveDirectoryW((folder + L"PSXPlugins").c_str())) << "made at start-up, empty";
    HWND gpuList = ListNumber(main, 0);
    ASSERT_EQ(SendMessageW(gpuList, LVM_GETITEMCOUNT, 0, 0), 2);
    ClickFirstRow(gpuList);

    TypeKeys(main, {'E', 'C', VK_RETURN}, true);  // Edit > Copy > Tool Backups
    const auto copies = files.find(Narrow(folder) + "PSXPlugins\\*.dll");
    ASSERT_EQ(copies.size(), 1u) << "the central folder made again and the selected plug-in copied into it";
    const std::wstring chosen = Widen(copies[0].name);
    const std::wstring other = chosen == L"gpuFixture.dll" ? L"longNameFixture.dll" : L"gpuFixture.dll";

    // Again through the list's context menu, from the keyboard: its last
    // entry, Copy, then Tool Backups.
    const std::wstring copy = folder + L"PSXPlugins\\" + chosen;
    ASSERT_TRUE(DeleteFileW(copy.c_str()));
    TypeKeys(main, {VK_APPS, VK_UP, VK_RIGHT, VK_RETURN}, false);
    EXPECT_TRUE(WaitFor([&] { return GetFileAttributesW(copy.c_str()) != INVALID_FILE_ATTRIBUTES; }))
        << "copied from the context menu";

    const auto rename = [&](const std::wstring& name) {
        HWND editor = FocusOf(main);
        SetWindowTextW(editor, name.c_str());
        TypeKeys(main, {VK_RETURN}, false);
    };
    TypeKeys(main, {'E', 'R'}, true);  // Edit > Rename
    ASSERT_TRUE(IsWindowVisible(FocusOf(main))) << "the editor over the row";
    rename(L"renamed.DLL");
    EXPECT_TRUE(Answer(L"Illegal Filename", IDOK)) << "only .dll names";
    rename(other);
    EXPECT_TRUE(Answer(L"Illegal Filename", IDOK)) << "the other plug-in's name";
    rename(L"r\u00E9nomm\u00E9.dll");
    EXPECT_TRUE(Answer(L"Rename Plugin", IDYES));
    EXPECT_EQ(FocusOf(main), gpuList) << "the keyboard back on the list";
    EXPECT_EQ(GetFileAttributesW((plugins + chosen).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW((plugins + L"r\u00E9nomm\u00E9.dll").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW((plugins + other).c_str()), INVALID_FILE_ATTRIBUTES) << "the clash left alone";

    TypeKeys(main, {'E', 'D'}, true);  // Edit > Delete: into the recycle bin, unasked
    Sleep(500);
    EXPECT_EQ(GetFileAttributesW((plugins + L"r\u00E9nomm\u00E9.dll").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(SendMessageW(gpuList, LVM_GETITEMCOUNT, 0, 0), 1);
    wchar_t xdg[MAX_PATH];
    if (GetEnvironmentVariableW(L"XDG_DATA_HOME", xdg, MAX_PATH) != 0) {
        std::wstring trash = L"Z:" + std::wstring(xdg) + L"/Trash/files/r\u00E9nomm\u00E9.dll";
        for (auto& c : trash)
            if (c == L'/') c = L'\\';
        EXPECT_NE(GetFileAttributesW(trash.c_str()), INVALID_FILE_ATTRIBUTES) << Narrow(trash);
    }

    // Deleting for good, declined: the file stays and nothing is logged.
    TypeKeys(main, {'V', 'C'}, true);  // View > &Configuration
    SendMessageW(FindWindowExW(main, nullptr, L"Button",
                               L"&Immediately delete plugins instead of sending them to the recycle bin"),
                 BM_CLICK, 0, 0);
    TypeKeys(main, {'V', 'P'}, true);  // View > &PSX Plugins
    ClickFirstRow(gpuList);
    TypeKeys(main, {'E', 'D'}, true);
    EXPECT_TRUE(Answer(L"Delete Plugin", IDNO));
    EXPECT_NE(GetFileAttributesW((plugins + other).c_str()), INVALID_FILE_ATTRIBUTES);

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
    const std::string log = readFile(L"corvane.log");
    EXPECT_NE(log.find("]: Renamed plugin " + Narrow(chosen) + " to r\xC3\xA9nomm\xC3\xA9.dll\r\n"), std::string::npos)
        << log;
    EXPECT_EQ(log.find("]: Deleting plugin " + Narrow(other)), std::string::npos) << log;
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pcsx");
}
// (Wine's folder picker ignores a typed path and a drop cannot be posted
// from another process: folder imports and drops are tested natively.)
TEST_F(ProgramTest, ImportsPickedFilesIntoTheFolderOnScreen) {
    writeSettings("[Configuration]\r\nSplash=1\r\nExit=0\r\nLogging=-1\r\n");
    addPlugin("padFixture.dll", L"d\u00E9p\u00F4t\\padFixture.dll");
    addPlugin("gpuFixture.dll", L"d\u00E9p\u00F4t\\gpuFixture.dll");
    const UniqueHandle program = start();
    HWND main = WaitForWindow(L"CorvaneForm", caption.c_str());
    ASSERT_NE(main, nullptr);

    TypeKeys(main, {'F', 'I', 'F'}, true);  // File > Import Plugins > File(s)
    HWND chooser = WaitForWindow(L"#32770", L"Select the file(s) to import");
    ASSERT_NE(chooser, nullptr);
    SetDlgItemTextW(chooser, 1148, (folder + L"d\u00E9p\u00F4t\\padFixture.dll").c_str());
    PostMessageW(chooser, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(RowsOnceThere(ListNumber(main, 3), 1), 1) << "listed at once";
    EXPECT_NE(GetFileAttributesW((folder + L"PSXPlugins\\padFixture.dll").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW((folder + L"d\u00E9p\u00F4t\\padFixture.dll").c_str()), INVALID_FILE_ATTRIBUTES)
        << "copied, not moved";
    EXPECT_EQ(SendMessageW(ListNumber(main, 0), LVM_GETITEMCOUNT, 0, 0), 0) << "only the file picked";

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
}
}  // namespace
