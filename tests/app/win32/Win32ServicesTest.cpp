// The Win32 services against the real system (under Wine here): the shared
// contracts, and what only the real services can show.
#include <windows.h>

#include <gtest/gtest.h>


#include "app/DigestsContract.h"
#include "app/WholeFile.h"
#include "app/NotifyIconContract.h"
#include "app/ServiceContracts.h"
#include "app/clsRegistry.h"
#include "app/win32/Handles.h"
#include "app/win32/Win32Clock.h"
#include "app/win32/Win32Digests.h"
#include "app/win32/Win32Drives.h"
#include "app/win32/Win32FileSystem.h"
#include "app/win32/Win32IniFile.h"
#include "app/win32/Win32NotifyIcon.h"
#include "app/win32/Win32Registry.h"
#include "app/win32/Win32WindowServices.h"
#include "app/win32/WideText.h"

namespace {
// A fresh folder below the temporary folder and a fresh registry key, both
// removed again afterwards.
struct Win32Platform {
    Win32FileSystem fileSystem;
    Win32IniFile iniFile;
    Win32Registry realRegistry;
    std::string folder;
    std::string key;

    Win32Platform() {
        static int serial = 0;
        const std::string unique = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
        folder = fileSystem.tempFolder() + "corvane-test-" + unique + "\\";
        key = "Software\\CorvaneTests\\" + unique;
        fileSystem.createDirectory(folder);
    }
    ~Win32Platform() {
        fileSystem.shellFileOperation(ShellOperation::Delete, folder.substr(0, folder.size() - 1), "",
                                      ShellFlags::kSilent | ShellFlags::kNoConfirmation | ShellFlags::kNoErrorUi,
                                      "", 0);
        RegDeleteTreeW(HKEY_CURRENT_USER, Widen(key).c_str());
    }
    IIniFile& ini() { return iniFile; }
    IRegistry& registry() { return realRegistry; }
    IFileSystem& files() { return fileSystem; }
    std::string scratch() const { return folder; }
    std::string registryRoot() const { return key; }
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ServiceContract, Win32Platform);

TEST(Win32NotifyIcon, PutsTheProgramsIconIntoTheShellsNotificationArea) {
    // A hidden top-level window, as the tray's own.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"SysTray", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    Win32NotifyIcon tray;
    CheckNotifyIconContract(tray, reinterpret_cast<WindowHandle>(window));
    DestroyWindow(window);
}

TEST(Win32Digests, HashThroughTheSystemsCryptography) {
    Win32Digests digests;
    CheckDigestsContract(digests);
}

namespace {
class Win32Services : public ::testing::Test {
protected:
    Win32Platform platform;
};

TEST_F(Win32Services, RegistryReportsExpandAndMultiStringsAsOtherTypes) {
    const std::wstring key = Widen(platform.key);
    const wchar_t expand[] = L"%TEMP%\\x";
    const wchar_t noNul[] = {L'a', L'b'};
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Expand", REG_EXPAND_SZ, expand, sizeof expand), 0);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Multi", REG_MULTI_SZ, L"a\0b\0", 10), 0);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"NoNul", REG_SZ, noNul, sizeof noNul), 0);

    Win32Registry registry;
    EXPECT_EQ(registry.queryValue(platform.key, "Expand")->type, RegistryValueType::ExpandString);
    EXPECT_EQ(registry.queryValue(platform.key, "Multi")->type, RegistryValueType::Other);
    const BYTE shortNumber[2] = {7, 0};
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Short", REG_DWORD, shortNumber, 2), 0);
    EXPECT_EQ(registry.queryValue(platform.key, "Short")->type, RegistryValueType::Other) << "two bytes: no number";
    EXPECT_EQ(registry.queryValue(platform.key, "NoNul")->text, "ab") << "the whole buffer when no NUL";
    clsRegistry reader(registry);
    EXPECT_EQ(reader.GetRegString(clsRegistry::kCurrentUser, platform.key, "Expand", "invalid"), "invalid");
    EXPECT_EQ(reader.GetRegString(clsRegistry::kCurrentUser, platform.key, "NoNul", "invalid"), "ab");
    reader.SaveRegString(clsRegistry::kCurrentUser, platform.key + "\\New\\Deep", "Pad1", "pad.dll");
    EXPECT_EQ(reader.GetRegString(clsRegistry::kCurrentUser, platform.key + "\\New\\Deep", "Pad1"), "pad.dll");

    ASSERT_TRUE(registry.setString(platform.key, "Name", "Zoë's plug-in"));
    DWORD size = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Name", RRF_RT_REG_SZ, nullptr, nullptr, &size), 0);
    EXPECT_EQ(size, 2 * (13 + 1)) << "UTF-16 with its NUL";
    EXPECT_EQ(registry.queryValue(platform.key, "Name")->text, "Zoë's plug-in");
}

TEST_F(Win32Services, StringsReachAReaderOfTheAnsiApiWhole) {
    clsRegistry writer(platform.registry());
    writer.SaveRegString(clsRegistry::kCurrentUser, platform.key, "BiosName", "C:\\ePSXe\\bios\\scph1001.bin");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, platform.key.c_str(), 0, KEY_READ, &key), 0);
    char text[64] = {};
    DWORD size = sizeof text, type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "BiosName", nullptr, &type, reinterpret_cast<BYTE*>(text), &size), 0);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(text, "C:\\ePSXe\\bios\\scph1001.bin");
    EXPECT_EQ(size, sizeof "C:\\ePSXe\\bios\\scph1001.bin") << "every character and the NUL";
}

TEST_F(Win32Services, IniFileIsPlainTextTheSystemWrites) {
    const std::string file = platform.folder + "settings.ini";
    Win32IniFile ini;
    ASSERT_TRUE(ini.writeString(file, "Configuration", "Splash", "0"));
    ASSERT_TRUE(ini.writeString(file, "Configuration", "SysTray", "1"));
    ASSERT_TRUE(ini.writeString(file, "Emulators", "Name1", "ePSXe"));
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, Widen(file).c_str());
    EXPECT_EQ(platform.fileSystem.readFile(file, kWholeFile),
              std::optional<std::string>("[Configuration]\r\nSplash=0\r\nSysTray=1\r\n[Emulators]\r\nName1=ePSXe\r\n"));
}

TEST_F(Win32Services, PathsAndFolders) {
    Win32FileSystem files;
    const std::string temp = files.tempFolder();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_TRUE(files.isDirectory(temp));

    const std::string spaced = platform.folder + "Program Files Long Name";
    ASSERT_TRUE(files.createDirectory(spaced));
    const std::string shortForm = files.shortPath(spaced);
    EXPECT_FALSE(shortForm.empty());
    EXPECT_EQ(shortForm.find(' '), std::string::npos) << shortForm;
    EXPECT_TRUE(files.isDirectory(shortForm));
    EXPECT_EQ(files.shortPath(platform.folder + "missing folder"), "");

    const auto entries = files.find(platform.folder + "*");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].isDirectory);
    EXPECT_NE(entries[0].lastWriteTime, 0u);
}

TEST_F(Win32Services, DeletingWithUndoGoesToTheRecycleBin) {
    Win32FileSystem files;
    const std::string name = "recycled-" + std::to_string(GetTickCount()) + ".dll";
    ASSERT_TRUE(files.appendToFile(platform.folder + name, "x"));
    ASSERT_TRUE(files.shellFileOperation(ShellOperation::Delete, platform.folder + name, "",
                                         ShellFlags::kAllowUndo | ShellFlags::kNoConfirmation | ShellFlags::kSilent,
                                         "", 0));
    EXPECT_FALSE(files.anyMatch(platform.folder + name));
    // Wine keeps its recycle bin in the freedesktop trash folder.
    wchar_t xdg[MAX_PATH];
    if (GetEnvironmentVariableW(L"XDG_DATA_HOME", xdg, MAX_PATH) == 0) GTEST_SKIP() << "no trash folder to look in";
    std::string trash = "Z:" + Narrow(xdg) + "/Trash/files/" + name;
    for (auto& c : trash)
        if (c == '/') c = '\\';
    EXPECT_TRUE(files.anyMatch(trash)) << trash;
}

TEST_F(Win32Services, DrivesIncludeTheSystemDrive) {
    Win32Drives drives;
    const auto roots = drives.logicalDrives();
    ASSERT_FALSE(roots.empty());
    bool sawC = false;
    for (const auto& root : roots) {
        EXPECT_EQ(root.size(), 3u);
        EXPECT_EQ(root.substr(1), ":\\");
        sawC = sawC || root == "C:\\";
    }
    EXPECT_TRUE(sawC);
    EXPECT_EQ(drives.driveType("C:\\"), DriveType::Fixed);
    EXPECT_EQ(drives.driveType("B:\\"), DriveType::NoRootDir);
}

TEST_F(Win32Services, ClockFormatsInTheUserLocale) {
    Win32Clock clock;
    const DateTime now = clock.now();
    EXPECT_GE(now.year, 2024);
    const DateTime date{2026, 12, 5, 14, 30, 15, 0};
    // Wine's default user locale here is English (United States).
    EXPECT_EQ(clock.formatDate(date, "MMMM d, yyyy"), "December 5, 2026");
    EXPECT_EQ(clock.formatGeneral(date), "12/5/2026 2:30:15 PM");
    EXPECT_EQ(clock.dateSeparator(), "/");
    EXPECT_EQ(clock.formatShortDate(date), "12/5/2026") << "as the test clock gives it";
    EXPECT_EQ(clock.formatDate(date, "MM'" + clock.dateSeparator() + "'dd'/'yyyy"), "12/05/2026")
        << "the same as the test clock gives";
}

TEST_F(Win32Services, WindowAlphaMakesTheWindowLayered) {
    HWND window = CreateWindowExW(0, L"STATIC", L"alpha", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    Win32WindowServices windows;
    EXPECT_TRUE(windows.setWindowAlpha(reinterpret_cast<WindowHandle>(window), 100));
    EXPECT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 100);
    EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
    DestroyWindow(window);
}
}  // namespace
