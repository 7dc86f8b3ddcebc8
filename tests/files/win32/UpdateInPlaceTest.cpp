// Files of an update moved into a plug-in folder while an emulator holds a
// plug-in loaded, on the real file system.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/WholeFile.h"
#include "app/win32/BuildPaths.h"
#include "app/win32/ScratchFolder.h"
#include "files/ArchiveImport.h"

namespace {
TEST(UpdateInPlace, ALoadedPluginIsReplacedAndTheOldOneSetAside) {
    ScratchFolder scratch;
    Win32FileSystem& files = scratch.files;
    const std::string folder = scratch.path, staging = folder + "~corvane-update\\";
    const std::string fixtures = WindowsPath(CORVANE_FIXTURES) + "\\";
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
}
}  // namespace
