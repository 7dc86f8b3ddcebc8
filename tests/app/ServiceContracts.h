#pragma once

// Behaviour that every implementation of the platform services must share:
// the test doubles run these natively, the Win32 services run them under
// Wine (the tray icon's record in the 32-bit suite too, where it has
// another size), so a double cannot drift from what the system really does.
// A platform type provides ini(), registry(), files(), scratch() (an empty
// folder with a trailing backslash) and registryRoot() (an empty key path).

#include <gtest/gtest.h>

#include <string>

#include "app/Digests.h"
#include "app/FileSystem.h"
#include "app/IniFile.h"
#include "app/NotifyIcon.h"
#include "app/Registry.h"
#include "app/WholeFile.h"
#include "files/PluginFileNames.h"

template <typename Platform>
class ServiceContract : public ::testing::Test {
protected:
    Platform platform;
    const std::string dir = platform.scratch();
};
TYPED_TEST_SUITE_P(ServiceContract);

TYPED_TEST_P(ServiceContract, IniReadsDefaultsWritesAndLongValues) {
    IIniFile& ini = this->platform.ini();
    const std::string file = this->dir + "settings.ini";
    EXPECT_EQ(ini.readString(file, "Configuration", "Interval", "60"), "60") << "missing file";
    const std::string longValue = "C:\\" + std::string(300, 'x') + "\u00e9\\epsxe.exe";  // past 249 characters
    for (const auto& [key, value] : {std::pair{"Interval", "abc"}, {"Logging", "-1"}, {"Splash", "12abc"},
                                     {"Name1", "\"ePSXe 1.6\""}, {"Interval", "15"}, {"Exe1", longValue.c_str()}})
        ASSERT_TRUE(ini.writeString(file, "Configuration", key, value));
    EXPECT_EQ(ini.readString(file, "configuration", "INTERVAL", "60"), "15") << "names ignore case";
    EXPECT_EQ(ini.readString(file, "Configuration", "LastEmu", "0"), "0") << "missing key";
    EXPECT_EQ(ini.readString(file, "Configuration", "Name1", ""), "ePSXe 1.6") << "quotes dropped";
    EXPECT_EQ(ini.readString(file, "Configuration", "Exe1", ""), longValue);
    EXPECT_EQ(ini.readString(file, "Configuration", "Exe9", longValue), longValue) << "the default too";
    for (const auto& [key, number] : {std::pair{"Logging", -1}, {"Splash", 12}, {"Name1", 0}, {"Missing", 5}})
        EXPECT_EQ(ini.readInt(file, "Configuration", key, 5), number) << key;
}

TYPED_TEST_P(ServiceContract, RegistryKeepsTypesAndTellsMissingFromEmpty) {
    IRegistry& registry = this->platform.registry();
    const std::string parent = this->platform.registryRoot() + "\\Emu", key = parent + "\\config";
    EXPECT_FALSE(registry.queryValue(key, "Pad1").has_value()) << "missing key";
    EXPECT_FALSE(registry.keyExists(key));
    ASSERT_TRUE(registry.setString(key, "Pad1", "padSeguD.dll") && registry.setString(key, "Empty", "") &&
                registry.setDword(key, "Version", 0x00010600) && registry.setBinary(key, "Bytes", {1, 2, 3}));
    EXPECT_TRUE(registry.keyExists(key)) << "writing created the whole path";
    const auto pad = registry.queryValue(key, "PAD1"), empty = registry.queryValue(key, "Empty"),
               version = registry.queryValue(key, "Version");
    ASSERT_TRUE(pad && empty && version);
    EXPECT_EQ(std::make_pair(pad->type, pad->text),
              std::make_pair(RegistryValueType::String, std::string("padSeguD.dll")));
    EXPECT_EQ(std::make_pair(empty->type, empty->text), std::make_pair(RegistryValueType::String, std::string()));
    EXPECT_EQ(std::make_pair(version->type, version->number), std::make_pair(RegistryValueType::Dword, 0x00010600u));
    EXPECT_EQ(registry.queryValue(key, "Bytes")->bytes, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(registry.queryValue(key, "Missing").has_value());

    EXPECT_TRUE(registry.deleteValue(key, "Pad1"));
    EXPECT_FALSE(registry.queryValue(key, "Pad1").has_value());
    EXPECT_FALSE(registry.deleteValue(key, "Pad1"));
    EXPECT_NE(registry.deleteKey(parent), 0) << "a key with subkeys stays";
    EXPECT_EQ(registry.deleteKey(key), 0);
    EXPECT_FALSE(registry.keyExists(key));
    EXPECT_NE(registry.deleteKey(key), 0);
    EXPECT_TRUE(registry.createKey(key) && registry.keyExists(key));
}

TYPED_TEST_P(ServiceContract, FilesAreFoundByWildcardAndReadCopiedMovedDeleted) {
    IFileSystem& files = this->platform.files();
    const std::string dir = this->dir, plugins = dir + "plugins\\";
    ASSERT_TRUE(files.createDirectory(dir + "plugins"));
    EXPECT_TRUE(files.isDirectory(dir + "plugins") && files.anyMatch(dir + "plugins"));
    EXPECT_TRUE(files.anyMatch(plugins + "*")) << "an empty folder holds . and ..";
    EXPECT_TRUE(files.find(plugins + "*").empty()) << ". and .. are not listed";
    EXPECT_FALSE(files.anyMatch(dir + "nothing.dll"));

    ASSERT_TRUE(files.appendToFile(plugins + "gpuA.dll", "MZ") && files.appendToFile(plugins + "gpuA.dll", "12") &&
                files.appendToFile(plugins + "readme.txt", "hi"));
    EXPECT_EQ(files.readFile(plugins + "gpuA.dll", 4), std::optional<std::string>("MZ12"));
    EXPECT_FALSE(files.readFile(plugins + "gpuA.dll", 3).has_value()) << "larger than the limit";
    EXPECT_FALSE(files.readFile(plugins + "none.dll", kWholeFile).has_value());
    const auto dlls = files.find(plugins + "*.DLL");
    ASSERT_EQ(dlls.size(), 1u);
    EXPECT_EQ(dlls[0].name, "gpuA.dll");
    EXPECT_FALSE(dlls[0].isDirectory || files.isDirectory(plugins + "gpuA.dll"));
    EXPECT_EQ(dlls[0].size, 4u);
    EXPECT_EQ(files.find(plugins + "gpu?.dll").size(), 1u);
    EXPECT_EQ(files.find(plugins + "*.*").size(), 2u);

    EXPECT_TRUE(files.copyFile(plugins + "gpuA.dll", dir + "gpuB.dll", true));
    EXPECT_FALSE(files.copyFile(plugins + "gpuA.dll", dir + "gpuB.dll", true)) << "target exists";
    EXPECT_TRUE(files.copyFile(plugins + "readme.txt", dir + "gpuB.dll", false));
    EXPECT_EQ(files.readFile(dir + "gpuB.dll", kWholeFile), std::optional<std::string>("hi"));
    EXPECT_FALSE(files.moveFile(dir + "gpuB.dll", plugins + "gpuA.dll")) << "target exists";
    EXPECT_FALSE(files.moveFile(plugins + "readme.txt", plugins + "GPUA.DLL")) << "nor in another letter case";
    EXPECT_TRUE(files.moveFile(dir + "gpuB.dll", plugins + "gpuC.dll"));
    EXPECT_FALSE(files.anyMatch(dir + "gpuB.dll"));
    EXPECT_TRUE(files.deleteFile(plugins + "gpuC.dll"));
    EXPECT_FALSE(files.deleteFile(plugins + "gpuC.dll"));
    EXPECT_FALSE(files.deleteFile(dir + "plugins")) << "a folder is no file";
    EXPECT_TRUE(RenamePluginFile(files, dir + "plugins", "gpuA.dll", "GPUa.dll"));
    EXPECT_EQ(files.find(plugins + "gpua.dll").at(0).name, "GPUa.dll") << "a new letter case alone";
}

TYPED_TEST_P(ServiceContract, ShellOperationsRenameCopyAndRecycle) {
    IFileSystem& files = this->platform.files();
    const std::string dir = this->dir;
    const auto shell = [&](ShellOperation operation, const std::string& from, const std::string& to,
                           unsigned flags = 0) {
        return files.shellFileOperation(operation, from, to,
                                        flags | ShellFlags::kSilent | ShellFlags::kNoConfirmation |
                                            ShellFlags::kNoErrorUi,
                                        "", 0);
    };
    ASSERT_TRUE(files.appendToFile(dir + "spu.dll", "x") && files.createDirectory(dir + "central"));
    EXPECT_TRUE(shell(ShellOperation::Rename, dir + "spu.dll", dir + "spuNew.dll"));
    EXPECT_TRUE(files.anyMatch(dir + "spuNew.dll") && !files.anyMatch(dir + "spu.dll"));
    EXPECT_TRUE(shell(ShellOperation::Copy, dir + "spuNew.dll", dir + "central"));
    EXPECT_TRUE(files.anyMatch(dir + "central\\spuNew.dll"));
    EXPECT_TRUE(shell(ShellOperation::Delete, dir + "spuNew.dll", "", ShellFlags::kAllowUndo));
    EXPECT_FALSE(files.anyMatch(dir + "spuNew.dll"));
    // Failures are not reported as success.
    EXPECT_FALSE(shell(ShellOperation::Delete, dir + "gone.dll", ""));
    EXPECT_FALSE(shell(ShellOperation::Copy, dir + "gone.dll", dir + "central"));
    EXPECT_FALSE(shell(ShellOperation::Copy, dir + "central\\spuNew.dll", dir + "central\\spuNew.dll"))
        << "onto itself";
    ASSERT_TRUE(files.createDirectory(dir + "more") && files.appendToFile(dir + "more\\a.dll", "a") &&
                files.appendToFile(dir + "more\\b.dll", "b"));
    EXPECT_TRUE(shell(ShellOperation::Copy, dir + "more\\*.*", dir + "central", ShellFlags::kFilesOnly));
    EXPECT_TRUE(files.anyMatch(dir + "central\\a.dll") && files.anyMatch(dir + "central\\b.dll"));
}

REGISTER_TYPED_TEST_SUITE_P(ServiceContract, IniReadsDefaultsWritesAndLongValues,
                            RegistryKeepsTypesAndTellsMissingFromEmpty,
                            FilesAreFoundByWildcardAndReadCopiedMovedDeleted, ShellOperationsRenameCopyAndRecycle);

// SHA-256 against the standard's vectors.
inline void CheckDigestsContract(IDigests& digests) {
    const std::pair<std::string, const char*> vectors[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& [bytes, digest] : vectors) EXPECT_EQ(digests.sha256(bytes), digest) << bytes.size() << " bytes";
}

// What the notification area does with the program's icon.
inline void CheckNotifyIconContract(INotifyIcon& tray, WindowHandle window) {
    NotifyIconRecord record;
    record.window = window;
    record.callbackMessage = 512;
    record.tip = "Orvisk's Corvane \xC3\xA9\xE6\x9D\xB1";
    EXPECT_FALSE(tray.modify(record)) << "no icon yet";
    ASSERT_TRUE(tray.add(record));
    EXPECT_TRUE(tray.setVersion(record, 3));
    NotifyIconRecord balloon = record;
    balloon.balloonText = std::string(300, 'm');  // longer than the record holds
    balloon.balloonTitle = "New Updates are Available";
    balloon.balloonIcon = BalloonIcon::Info;
    balloon.balloonTimeoutMs = 10000;
    EXPECT_TRUE(tray.modify(balloon));
    EXPECT_TRUE(tray.remove(record));
    EXPECT_FALSE(tray.remove(record) || tray.modify(record)) << "gone already";
    EXPECT_TRUE(tray.add(record) && tray.remove(record)) << "added again";
}
