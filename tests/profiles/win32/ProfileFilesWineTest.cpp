// Profiles made and put back by the system's own registry tool, with the
// real registry, files and INI writer.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/Utf16.h"
#include "app/win32/WideText.h"
#include "app/win32/Win32FileSystem.h"
#include "app/win32/Win32IniFile.h"
#include "app/win32/Win32Processes.h"
#include "app/win32/Win32Registry.h"
#include "profiles/ProfileFiles.h"
#include "app/WholeFile.h"

namespace {
class ProfileFilesWine : public ::testing::Test {
protected:
    ProfileFilesWine() {
        const std::string unique = std::to_string(GetCurrentProcessId());
        folder = files.tempFolder() + "corvane-profiles-" + unique + "\\";
        files.createDirectory(folder);
        files.createDirectory(folder + "Configurations");
        key = "Software\\CorvaneTests\\Profiles" + unique;
    }
    ~ProfileFilesWine() override {
        files.shellFileOperation(ShellOperation::Delete, folder.substr(0, folder.size() - 1), "",
                                 ShellFlags::kSilent | ShellFlags::kNoConfirmation | ShellFlags::kNoErrorUi, "", 0);
        RegDeleteTreeW(HKEY_CURRENT_USER, Widen(key).c_str());
    }
    std::vector<BYTE> raw(const std::string& subkey, const wchar_t* name) {
        DWORD size = 0;
        const std::wstring path = Widen(key + subkey);
        if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY, nullptr, nullptr, &size) != 0) return {};
        std::vector<BYTE> bytes(size);
        RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY, nullptr, bytes.data(), &size);
        return bytes;
    }
    RegTool reg() {
        return RegTool([this](const ProcessStart& start) { return processes.run(start, nullptr); },
                       processes.systemFolder());
    }

    Win32FileSystem files;
    Win32IniFile ini;
    Win32Registry registry;
    Win32Processes processes;
    std::string folder, key;
};

TEST_F(ProfileFilesWine, ASavedProfileRestoresItsKeysByteForByte) {
    const std::wstring first = Widen(key + "\\Pcsx"), second = Widen(key + "\\ePSXe");
    const std::wstring text = L"gpu\u041A\u021A\u221A\u4E1A.dll";  // К Ț √ 业: bytes 0x1A among them
    RegSetKeyValueW(HKEY_CURRENT_USER, first.c_str(), L"gpu", REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    const DWORD number = 0x1A2B3C4D;
    RegSetKeyValueW(HKEY_CURRENT_USER, first.c_str(), L"a=b", REG_DWORD, &number, sizeof number);
    std::vector<BYTE> bytes(120);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<BYTE>(i * 7);
    RegSetKeyValueW(HKEY_CURRENT_USER, second.c_str(), L"Long", REG_BINARY, bytes.data(),
                    static_cast<DWORD>(bytes.size()));
    const auto gpu = raw("\\Pcsx", L"gpu");
    const auto flag = raw("\\Pcsx", L"a=b");

    RegTool tool = reg();
    ProfileFiles profiles(files, ini, registry, tool, folder);
    const std::vector<Snapshot> plan{{"pcsxreg.merge", "HKEY_CURRENT_USER\\" + key + "\\Pcsx"},
                                     {"epsxereg.merge", "HKEY_CURRENT_USER\\" + key + "\\ePSXe"},
                                     {"psxevenreg.merge", "HKEY_CURRENT_USER\\" + key + "\\Missing"}};
    std::vector<Snapshot> made;
    ASSERT_FALSE(profiles.Export(plan, made));
    ASSERT_EQ(made.size(), 2u) << "a missing key takes no part";
    const std::string path = folder + "Configurations\\Racing.cfg";
    ASSERT_FALSE(profiles.Join(made, {"Racing \u00C9t\u00E9", 6, "one\r\ntwo"}, path));
    profiles.RemoveSnapshots();
    EXPECT_TRUE(files.find(folder + "*.merge").empty()) << "no snapshot is left";

    const std::string written = files.readFile(path, kWholeFile).value_or("");
    ASSERT_EQ(written.substr(0, 2), kUtf16Mark);
    const std::string profile = Utf16ToUtf8(written.substr(2));
    EXPECT_EQ(profile.rfind("Windows Registry Editor Version 5.00\r\n", 0), 0u) << profile;
    EXPECT_EQ(profile.find("Windows Registry Editor", 10), std::string::npos) << "one header";
    EXPECT_EQ(ProfileFiles::ReadSection(ini, path).name, "Racing \u00C9t\u00E9");
    EXPECT_EQ(ProfileFiles::ReadSection(ini, path).comments, "one\r\ntwo");

    RegDeleteTreeW(HKEY_CURRENT_USER, Widen(key).c_str());
    ASSERT_FALSE(profiles.Import(path));
    EXPECT_EQ(raw("\\Pcsx", L"gpu"), gpu);
    EXPECT_EQ(raw("\\Pcsx", L"a=b"), flag);
    EXPECT_EQ(raw("\\ePSXe", L"Long"), bytes);
}

// One run of the system's tool of this build's word size: a profile as
// Corvane writes it lands in the registry with its names and data whole.
TEST_F(ProfileFilesWine, AProfileIsImportedByTheRegistryToolOfThisWordSize) {
    const std::string path = folder + "Configurations\\Imported.cfg";
    files.appendToFile(path, kUtf16Mark + Utf8ToUtf16("Windows Registry Editor Version 5.00\r\n\r\n"
                                                      "[HKEY_CURRENT_USER\\" + key + "\\ePSXe]\r\n"
                                                      "\"gpu\"=\"gpu\u041A\u4E1A.dll\"\r\n"
                                                      "\"Flags\"=dword:1a2b3c4d\r\n\r\n"
                                                      "[Corvane]\r\nName=Imported\r\nSystem=6\r\n"));
    RegTool tool = reg();
    ASSERT_FALSE(ProfileFiles(files, ini, registry, tool, folder).Import(path));
    const std::wstring gpu = L"gpu\u041A\u4E1A.dll";
    const auto* text = reinterpret_cast<const BYTE*>(gpu.c_str());
    EXPECT_EQ(raw("\\ePSXe", L"gpu"), std::vector<BYTE>(text, text + (gpu.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(raw("\\ePSXe", L"Flags"), (std::vector<BYTE>{0x4D, 0x3C, 0x2B, 0x1A}));
}

TEST_F(ProfileFilesWine, TheRegistryToolsFailuresAreSeen) {
    RegTool tool = reg();
    EXPECT_FALSE(tool.Export("HKEY_CURRENT_USER\\" + key + "\\Nothing", folder + "none.reg"));
    EXPECT_FALSE(tool.Import(folder + "missing.reg"));
    files.appendToFile(folder + "broken.reg", "this is no registry file");
    EXPECT_FALSE(tool.Import(folder + "broken.reg"));
}
}  // namespace
