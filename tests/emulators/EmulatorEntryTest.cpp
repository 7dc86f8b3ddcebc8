#include "emulators/EmulatorEntry.h"

#include <gtest/gtest.h>

#include "doubles/FakeFileSystem.h"
#include "doubles/FakeIniFile.h"

namespace {
TEST(EmulatorEntries, LoadingStopsAtTheFirstMissingOrEmptyName) {
    FakeFileSystem files;
    FakeIniFile ini(files);
    files.addFile("C:\\c\\settings.ini",
                  "[Emulators]\r\nName1=PCSX\r\nType1=PCSX\r\nExe1=C:\\pcsx\\pcsx.exe\r\nPlugins1=C:\\pcsx\\plugin\r\n"
                  "Name3=Lost\r\nSystem3=6\r\n");
    auto entries = LoadEmulatorEntries(ini, "C:\\c\\settings.ini");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(SelectorText(entries[0]), "PCSX  (N64)") << "a missing System key";

    files.addFile("C:\\c\\settings.ini", "[Emulators]\r\nName1=A\r\nSystem1=7\r\nName2=empty\r\nName3=B\r\n");
    entries = LoadEmulatorEntries(ini, "C:\\c\\settings.ini");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Type, "empty");
}

}  // namespace
