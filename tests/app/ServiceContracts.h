#pragma once

// Behaviour that every implementation of the platform services must share:
// the test doubles run these natively, the Win32 services run them under
// Wine, so a double cannot drift from what the system really does.
// A platform type provides ini(), registry(), files(), scratch() (an empty
// folder with a trailing backslash) and registryRoot() (an empty key path).

#include <gtest/gtest.h>

#include <string>

#include "app/FileSystem.h"
#include "app/IniFile.h"
#include "app/Registry.h"
#include "files/PluginFileNames.h"
#include "app/WholeFile.h"

template <typename Platform>
class ServiceContract : public ::testing::Test {
protected:
    Platform platform;
};
TYPED_TEST_SUITE_P(ServiceContract);

TYPED_TEST_P(ServiceContract, IniReadsDefaultsWritesAndCutsLongValues) {
    IIniFile& ini = this->platform.ini();
    const std::string file = this->platform.scratch() + "settings.ini";
    EXPECT_EQ(ini.readString(file, "Configuration", "Interval", "60"), "60") << "missing file";
    EXPECT_EQ(ini.readInt(file, "Configuration", "Splash", 7), 7);

    ASSERT_TRUE(ini.writeString(file, "Configuration", "Interval", "abc"));
    ASSERT_TRUE(ini.writeString(file, "Configuration", "Logging", "-1"));
    ASSERT_TRUE(ini.writeString(file, "Configuration", "Splash", "12abc"));
    ASSERT_TRUE(ini.writeString(file, "Emulators", "Name1", "\"ePSXe 1.6\""));
    ASSERT_TRUE(ini.writeString(file, "Configuration", "Interval", "15"));
    EXPECT_EQ(ini.readString(file, "configuration", "INTERVAL", "60"), "15") << "names ignore case";
    EXPECT_EQ(ini.readString(file, "Configuration", "LastEmu", "0"), "0") << "missing key";
    EXPECT_EQ(ini.readString(file, "Emulators", "Name1", "empty"), "ePSXe 1.6") << "quotes dropped";
    EXPECT_EQ(ini.readInt(file, "Configuration", "Logging", 0), -1);
    EXPECT_EQ(ini.readInt(file, "Configuration", "Splash", 0), 12) << "leading digits";
    EXPECT_EQ(ini.readInt(file, "Emulators", "Name1", 5), 0) << "no number";
    EXPECT_EQ(ini.readInt(file, "Configuration", "Missing", 5), 5);

    // Emulator paths may pass 249 characters: values come back whole.
    const std::string longValue = "C:\\" + std::string(300, 'x') + "\u00e9\\epsxe.exe";
    ASSERT_TRUE(ini.writeString(file, "Emulators", "Exe1", longValue));
    EXPECT_EQ(ini.readString(file, "Emulators", "Exe1", ""), longValue);
    EXPECT_EQ(ini.readString(file, "Emulators", "Exe9", longValue), longValue) << "the default too";
}

TYPED_TEST_P(ServiceContract, RegistryTellsTypesAndMissingFromEmpty) {
    IRegistry& registry = this->platform.registry();
    const std::string key = this->platform.registryRoot() + "\\Emu\\config";
    EXPECT_FALSE(registry.queryValue(key, "Pad1").has_value()) << "missing key";
    EXPECT_FALSE(registry.keyExists(key));

    ASSERT_TRUE(registry.setString(key, "Pad1", "padSeguD.dll"));
    ASSERT_TRUE(registry.setString(key, "Empty", ""));
    ASSERT_TRUE(registry.setDword(key, "Version", 0x00010600));
    ASSERT_TRUE(registry.setBinary(key, "Bytes", {1, 2, 3}));
    EXPECT_TRUE(registry.keyExists(key)) << "writing created the whole path";

    const auto pad = registry.queryValue(key, "PAD1");
    ASSERT_TRUE(pad.has_value());
    EXPECT_EQ(pad->type, RegistryValueType::String);
    EXPECT_EQ(pad->text, "padSeguD.dll");
    const auto empty = registry.queryValue(key, "Empty");
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->type, RegistryValueType::String);
    EXPECT_EQ(empty->text, "");
    const auto version = registry.queryValue(key, "Version");
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(version->type, RegistryValueType::Dword);
    EXPECT_EQ(version->number, 0x00010600u);
    EXPECT_EQ(registry.queryValue(key, "Bytes")->bytes, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(registry.queryValue(key, "Missing").has_value());

    EXPECT_TRUE(registry.deleteValue(key, "Pad1"));
    EXPECT_FALSE(registry.queryValue(key, "Pad1").has_value());
    EXPECT_FALSE(registry.deleteValue(key, "Pad1"));

    const std::string parent = this->platform.registryRoot() + "\\Emu";
    EXPECT_NE(registry.deleteKey(parent), 0) << "a key with subkeys stays";
    EXPECT_TRUE(registry.keyExists(key));
    EXPECT_EQ(registry.deleteKey(key), 0);
    EXPECT_FALSE(registry.keyExists(key));
    EXPECT_NE(registry.deleteKey(key), 0);
    EXPECT_TRUE(registry.createKey(key));
    EXPECT_TRUE(registry.keyExists(key));
}

TYPED_TEST_P(ServiceContract, FilesAreFoundByWildcardAndCopiedMovedDeleted) {
    IFileSystem& files = this->platform.files();
    const std::string dir = this->platform.scratch();
    ASSERT_TRUE(files.createDirectory(dir + "plugins"));
    EXPECT_TRUE(files.isDirectory(dir + "plugins"));
    EXPECT_TRUE(files.anyMatch(dir + "plugins\\*")) << "an empty folder holds . and ..";
    EXPECT_TRUE(files.find(dir + "plugins\\*").empty()) << ". and .. are not listed";
    EXPECT_TRUE(files.anyMatch(dir + "plugins")) << "a folder counts";
    EXPECT_FALSE(files.anyMatch(dir + "nothing.dll"));

    ASSERT_TRUE(files.appendToFile(dir + "plugins\\gpuA.dll", "MZ"));
    ASSERT_TRUE(files.appendToFile(dir + "plugins\\gpuA.dll", "12"));
    ASSERT_TRUE(files.appendToFile(dir + "plugins\\readme.txt", "hi"));
    EXPECT_EQ(files.readFile(dir + "plugins\\gpuA.dll", kWholeFile), std::optional<std::string>("MZ12"));
    EXPECT_FALSE(files.readFile(dir + "plugins\\none.dll", kWholeFile).has_value());
    EXPECT_FALSE(files.readFile(dir + "plugins\\gpuA.dll", 3).has_value()) << "larger than the limit";
    EXPECT_EQ(files.readFile(dir + "plugins\\gpuA.dll", 4), std::optional<std::string>("MZ12"));

    const auto dlls = files.find(dir + "plugins\\*.DLL");
    ASSERT_EQ(dlls.size(), 1u);
    EXPECT_EQ(dlls[0].name, "gpuA.dll");
    EXPECT_FALSE(dlls[0].isDirectory);
    EXPECT_EQ(dlls[0].size, 4u);
    EXPECT_EQ(files.find(dir + "plugins\\gpu?.dll").size(), 1u);
    EXPECT_EQ(files.find(dir + "plugins\\*.*").size(), 2u);
    EXPECT_TRUE(files.anyMatch(dir + "plugins\\*.dll"));
    EXPECT_FALSE(files.isDirectory(dir + "plugins\\gpuA.dll"));

    EXPECT_TRUE(files.copyFile(dir + "plugins\\gpuA.dll", dir + "gpuB.dll", true));
    EXPECT_FALSE(files.copyFile(dir + "plugins\\gpuA.dll", dir + "gpuB.dll", true)) << "target exists";
    EXPECT_TRUE(files.copyFile(dir + "plugins\\readme.txt", dir + "gpuB.dll", false));
    EXPECT_EQ(files.readFile(dir + "gpuB.dll", kWholeFile), std::optional<std::string>("hi"));
    EXPECT_FALSE(files.moveFile(dir + "gpuB.dll", dir + "plugins\\gpuA.dll")) << "target exists";
    EXPECT_TRUE(files.moveFile(dir + "gpuB.dll", dir + "plugins\\gpuC.dll"));
    EXPECT_FALSE(files.anyMatch(dir + "gpuB.dll"));
    EXPECT_TRUE(files.deleteFile(dir + "plugins\\gpuC.dll"));
    EXPECT_FALSE(files.deleteFile(dir + "plugins\\gpuC.dll"));
    EXPECT_FALSE(files.deleteFile(dir + "plugins")) << "a folder is no file";
}

TYPED_TEST_P(ServiceContract, ShellOperationsRenameCopyAndRecycle) {
    IFileSystem& files = this->platform.files();
    const std::string dir = this->platform.scratch();
    const unsigned quiet = ShellFlags::kSilent | ShellFlags::kNoConfirmation | ShellFlags::kNoErrorUi;
    ASSERT_TRUE(files.appendToFile(dir + "spu.dll", "x"));
    ASSERT_TRUE(files.createDirectory(dir + "central"));

    EXPECT_TRUE(files.shellFileOperation(ShellOperation::Rename, dir + "spu.dll", dir + "spuNew.dll", quiet, "", 0));
    EXPECT_TRUE(files.anyMatch(dir + "spuNew.dll"));
    EXPECT_FALSE(files.anyMatch(dir + "spu.dll"));
    EXPECT_TRUE(files.shellFileOperation(ShellOperation::Copy, dir + "spuNew.dll", dir + "central", quiet, "", 0));
    EXPECT_TRUE(files.anyMatch(dir + "central\\spuNew.dll"));
    EXPECT_TRUE(files.shellFileOperation(ShellOperation::Delete, dir + "spuNew.dll", "",
                                         quiet | ShellFlags::kAllowUndo, "", 0));
    EXPECT_FALSE(files.anyMatch(dir + "spuNew.dll"));
    EXPECT_FALSE(files.shellFileOperation(ShellOperation::Delete, dir + "gone.dll", "", quiet, "", 0))
        << "a failure is not reported as success";

    EXPECT_FALSE(files.shellFileOperation(ShellOperation::Copy, dir + "gone.dll", dir + "central", quiet, "", 0))
        << "copying a missing file";
    EXPECT_FALSE(files.shellFileOperation(ShellOperation::Copy, dir + "central\\spuNew.dll",
                                          dir + "central\\spuNew.dll", quiet, "", 0))
        << "copying a file onto itself";
    ASSERT_TRUE(files.createDirectory(dir + "more"));
    ASSERT_TRUE(files.appendToFile(dir + "more\\a.dll", "a"));
    ASSERT_TRUE(files.appendToFile(dir + "more\\b.dll", "b"));
    EXPECT_TRUE(files.shellFileOperation(ShellOperation::Copy, dir + "more\\*.*", dir + "central",
                                         quiet | ShellFlags::kFilesOnly, "", 0));
    EXPECT_TRUE(files.anyMatch(dir + "central\\b.dll")) << "a wildcard copies every file";
    EXPECT_FALSE(files.moveFile(dir + "more\\a.dll", dir + "more\\B.DLL")) << "no rename onto another file";
    EXPECT_TRUE(RenamePluginFile(files, dir + "more", "a.dll", "A.dll"));
    const auto renamed = files.find(dir + "more\\a.dll");
    ASSERT_EQ(renamed.size(), 1u);
    EXPECT_EQ(renamed[0].name, "A.dll") << "a new letter case alone";
}

REGISTER_TYPED_TEST_SUITE_P(ServiceContract, IniReadsDefaultsWritesAndCutsLongValues,
                            RegistryTellsTypesAndMissingFromEmpty, FilesAreFoundByWildcardAndCopiedMovedDeleted,
                            ShellOperationsRenameCopyAndRecycle);
