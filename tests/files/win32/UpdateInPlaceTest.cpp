// Files of an update moved into a plug-in folder while an emulator holds a
// plug-in loaded, on the real file system.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/win32/BuildPaths.h"
#include "app/win32/Win32FileSystem.h"
#include "files/ArchiveImport.h"
#include "app/WholeFile.h"

namespace {
TEST(UpdateInPlace, ALoadedPluginIsReplacedAndTheOldOneSetAside) {
    Win32FileSystem files;
    const std::string folder = files.tempFolder() + "corvane-inplace-" + std::to_string(GetCurrentProcessId()) + "\\";
    const std::string staging = folder + "~corvane-update\\";
    const std::string fixtures = WindowsPath(CORVANE_FIXTURES) + "\\";
    files.createDirectory(folder);
    files.createDirectory(staging);
    ASSERT_TRUE(files.copyFile(fixtures + "gpuFixture.dll", folder + "held.dll", false));
    ASSERT_TRUE(files.copyFile(fixtures + "spuFixture.dll", staging + "held.dll", false));
    const std::string update = files.readFile(staging + "held.dll", kWholeFile).value_or("");
    HMODULE held = LoadLibraryA((folder + "held.dll").c_str());
    ASSERT_NE(held, nullptr) << "an emulator holds the plug-in";

    EXPECT_TRUE(MoveStagedFiles(files, staging, folder));
    EXPECT_EQ(files.readFile(folder + "held.dll", kWholeFile).value_or(""), update);
    EXPECT_FALSE(files.isDirectory(staging)) << "no staging folder left";

    FreeLibrary(held);
    for (const auto& entry : files.find(folder + "*")) files.deleteFile(folder + entry.name);
    RemoveDirectoryA(folder.c_str());
}
}  // namespace
