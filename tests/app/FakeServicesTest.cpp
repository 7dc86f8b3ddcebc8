// The test doubles against the behaviour the Win32 services show under Wine.
#include "app/DigestsContract.h"
#include "app/NotifyIconContract.h"
#include "app/ServiceContracts.h"
#include "doubles/FakeDigests.h"
#include "doubles/FakeFileSystem.h"
#include "doubles/FakeIniFile.h"
#include "doubles/FakeNotifyIcon.h"
#include "doubles/FakeRegistry.h"

namespace {
struct FakePlatform {
    FakeFileSystem fileSystem;
    FakeIniFile iniFile{fileSystem};
    FakeRegistry fakeRegistry;

    FakePlatform() { fileSystem.addDirectory("C:\\scratch"); }
    IIniFile& ini() { return iniFile; }
    IRegistry& registry() { return fakeRegistry; }
    IFileSystem& files() { return fileSystem; }
    std::string scratch() const { return "C:\\scratch\\"; }
    std::string registryRoot() const { return "Software\\CorvaneTests"; }
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Fakes, ServiceContract, FakePlatform);

TEST(FakeNotifyIcon, KeepsTheProgramsIconAsTheShellDoes) {
    FakeNotifyIcon tray;
    CheckNotifyIconContract(tray, 0x1234);
}

TEST(FakeDigests, HashAsTheSystemDoes) {
    FakeDigests digests;
    CheckDigestsContract(digests);
}

TEST(FakeFileSystem, RecordsRecycledFilesAndUserAborts) {
    FakeFileSystem files;
    files.addFile("C:\\emu\\plugins\\gpu.dll");
    files.abortNextShellOperation();
    EXPECT_FALSE(files.shellFileOperation(ShellOperation::Delete, "C:\\emu\\plugins\\gpu.dll", "",
                                          ShellFlags::kAllowUndo, "", 0));
    EXPECT_TRUE(files.exists("C:\\emu\\plugins\\gpu.dll"));
    EXPECT_TRUE(files.shellFileOperation(ShellOperation::Delete, "C:\\emu\\plugins\\gpu.dll", "",
                                         ShellFlags::kAllowUndo, "", 0));
    EXPECT_EQ(files.recycled(), std::vector<std::string>{"C:\\emu\\plugins\\gpu.dll"});
}
