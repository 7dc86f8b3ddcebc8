// The Win32 services against the real system (under Wine here): the shared
// contracts, and what only the real services can show.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/ServiceContracts.h"
#include "app/WholeFile.h"
#include "app/win32/ScratchFolder.h"
#include "app/win32/Win32Clock.h"
#include "app/win32/Win32Digests.h"
#include "app/win32/Win32IniFile.h"
#include "app/win32/Win32NotifyIcon.h"
#include "app/win32/Win32Registry.h"
#include "app/win32/Win32WindowServices.h"
#include "app/win32/WideText.h"

namespace {
// A scratch folder and a fresh registry key, both removed afterwards.
struct Win32Platform {
    ScratchFolder folder;
    Win32IniFile iniFile;
    Win32Registry realRegistry;
    const std::string key = "Software\\CorvaneTests\\" + folder.unique;

    ~Win32Platform() { RegDeleteTreeW(HKEY_CURRENT_USER, Widen(key).c_str()); }
    IIniFile& ini() { return iniFile; }
    IRegistry& registry() { return realRegistry; }
    IFileSystem& files() { return folder.files; }
    std::string scratch() const { return folder.path; }
    std::string registryRoot() const { return key; }
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ServiceContract, Win32Platform);

namespace {
// A top-level window, never shown: the tray icon's owner, a layered window.
HWND NewWindow(DWORD style, DWORD extendedStyle) {
    return CreateWindowExW(extendedStyle, L"STATIC", L"window", style, 0, 0, 200, 100, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(Win32Services, TheTrayIconAndTheDigestsKeepTheirContracts) {
    HWND window = NewWindow(WS_OVERLAPPED, WS_EX_TOOLWINDOW);
    ASSERT_NE(window, nullptr);
    Win32NotifyIcon tray;
    CheckNotifyIconContract(tray, reinterpret_cast<WindowHandle>(window));
    DestroyWindow(window);
    Win32Digests digests;
    CheckDigestsContract(digests);
}

TEST(Win32Services, RegistryValuesAsOtherProgramsWriteAndReadThem) {
    Win32Platform platform;
    const std::wstring key = Widen(platform.key);
    const wchar_t expand[] = L"%TEMP%\\x", noNul[] = {L'a', L'b'};
    const BYTE shortNumber[2] = {7, 0};
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Expand", REG_EXPAND_SZ, expand, sizeof expand), 0);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Multi", REG_MULTI_SZ, L"a\0b\0", 10), 0);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"NoNul", REG_SZ, noNul, sizeof noNul), 0);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Short", REG_DWORD, shortNumber, 2), 0);
    Win32Registry& registry = platform.realRegistry;
    EXPECT_EQ(registry.queryValue(platform.key, "Expand")->type, RegistryValueType::ExpandString);
    EXPECT_EQ(registry.queryValue(platform.key, "Multi")->type, RegistryValueType::Other);
    EXPECT_EQ(registry.queryValue(platform.key, "Short")->type, RegistryValueType::Other) << "two bytes: no number";
    EXPECT_EQ(registry.queryValue(platform.key, "NoNul")->text, "ab") << "the whole buffer when no NUL";

    ASSERT_TRUE(registry.setString(platform.key, "Name", "Zo\xC3\xAB's plug-in"));
    DWORD size = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Name", RRF_RT_REG_SZ, nullptr, nullptr, &size), 0);
    EXPECT_EQ(size, 2 * (13 + 1)) << "UTF-16 with its NUL";
    EXPECT_EQ(registry.queryValue(platform.key, "Name")->text, "Zo\xC3\xAB's plug-in");
}

TEST(Win32Services, SettingsArePlainTextAndFoldersHaveShortPaths) {
    ScratchFolder scratch;
    const std::string& folder = scratch.path;
    Win32IniFile ini;
    ASSERT_TRUE(ini.writeString(folder + "settings.ini", "Configuration", "Splash", "0") &&
                ini.writeString(folder + "settings.ini", "Emulators", "Name1", "ePSXe"));
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, Widen(folder + "settings.ini").c_str());
    EXPECT_EQ(scratch.files.readFile(folder + "settings.ini", kWholeFile),
              std::optional<std::string>("[Configuration]\r\nSplash=0\r\n[Emulators]\r\nName1=ePSXe\r\n"))
        << "plain text";

    const std::string temp = scratch.files.tempFolder();
    EXPECT_TRUE(temp.back() == '\\' && scratch.files.isDirectory(temp));
    ASSERT_TRUE(scratch.files.createDirectory(folder + "Program Files Long Name"));
    const std::string shortForm = scratch.files.shortPath(folder + "Program Files Long Name");
    EXPECT_TRUE(!shortForm.empty() && shortForm.find(' ') == std::string::npos && scratch.files.isDirectory(shortForm))
        << shortForm;
    EXPECT_EQ(scratch.files.shortPath(folder + "missing folder"), "");
    EXPECT_NE(scratch.files.find(folder + "Program*").at(0).lastWriteTime, 0u);
}

TEST(Win32Services, TheClockFormatsAsTheTestClockAndWindowsTakeAlpha) {
    Win32Clock clock;
    EXPECT_GE(clock.now().year, 2024);
    const DateTime date{2026, 12, 5, 14, 30, 15, 0};
    // Wine's default user locale here is English (United States), as the
    // test clock's.
    EXPECT_EQ(clock.formatDate(date, "MMMM d, yyyy"), "December 5, 2026");
    EXPECT_EQ(clock.formatGeneral(date), "12/5/2026 2:30:15 PM");
    EXPECT_EQ(clock.formatShortDate(date), "12/5/2026");
    EXPECT_EQ(clock.formatDate(date, "MM'" + clock.dateSeparator() + "'dd'/'yyyy"), "12/05/2026");

    HWND window = NewWindow(WS_OVERLAPPEDWINDOW, 0);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Win32WindowServices().setWindowAlpha(reinterpret_cast<WindowHandle>(window), 100));
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) && alpha == 100 && (flags & LWA_ALPHA));
    DestroyWindow(window);
}

TEST(Win32Services, DeletingWithUndoGoesToTheRecycleBin) {
    ScratchFolder folder;
    const std::string name = "recycled-" + folder.unique + ".dll";
    ASSERT_TRUE(folder.files.appendToFile(folder.path + name, "x"));
    ASSERT_TRUE(folder.files.shellFileOperation(ShellOperation::Delete, folder.path + name, "",
                                                ShellFlags::kAllowUndo | ShellFlags::kNoConfirmation |
                                                    ShellFlags::kSilent,
                                                "", 0));
    // Wine keeps its recycle bin in the freedesktop trash folder.
    wchar_t xdg[MAX_PATH];
    if (GetEnvironmentVariableW(L"XDG_DATA_HOME", xdg, MAX_PATH) == 0) GTEST_SKIP() << "no trash folder to look in";
    std::string trash = "Z:" + Narrow(xdg) + "/Trash/files/" + name;
    for (char& c : trash)
        if (c == '/') c = '\\';
    EXPECT_TRUE(folder.files.anyMatch(trash)) << trash;
}
}  // namespace
