// The Win32 extraction service against the shared contract, and whole
// extractions on the real file system: nothing lands outside the
// destination, no temporary file stays, file times come back.
#include <windows.h>

#include <algorithm>

#include "app/WholeFile.h"
#include "app/ExtractionContracts.h"
#include "app/win32/Win32ExtractionFiles.h"
#include "app/win32/Win32FileSystem.h"
#include "app/win32/WideText.h"
#include "app/WholeFile.h"
#include "files/TestZip.h"
#include "files/clsUnzip.h"

namespace {
struct Win32ExtractionPlatform {
    Win32FileSystem fileSystem;
    Win32ExtractionFiles files;
    std::string folder;

    Win32ExtractionPlatform() {
        static int serial = 0;
        folder = fileSystem.tempFolder() + "corvane-extract-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++serial) + "\\";
        fileSystem.createDirectory(folder);
    }
    ~Win32ExtractionPlatform() {
        fileSystem.shellFileOperation(ShellOperation::Delete, folder.substr(0, folder.size() - 1), "",
                                      ShellFlags::kSilent | ShellFlags::kNoConfirmation | ShellFlags::kNoErrorUi,
                                      "", 0);
    }
    IExtractionFiles& extraction() { return files; }
    std::string scratch() const { return folder; }
    void addFile(const std::string& path, const std::string& bytes) { fileSystem.appendToFile(path, bytes); }
    std::string contents(const std::string& path) { return fileSystem.readFile(path, kWholeFile).value_or(""); }
    std::vector<std::string> names(const std::string& path) {
        std::vector<std::string> found;
        for (const auto& entry : fileSystem.find(path + "*")) found.push_back(entry.name);
        std::sort(found.begin(), found.end());
        return found;
    }
    // Every path below the folder, relative to it.
    std::vector<std::string> tree(const std::string& path, const std::string& prefix = "") {
        std::vector<std::string> found;
        for (const auto& name : names(path)) {
            found.push_back(prefix + name);
            if (fileSystem.isDirectory(path + name))
                for (const auto& inner : tree(path + name + "\\", prefix + name + "\\")) found.push_back(inner);
        }
        return found;
    }
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ExtractionContract, Win32ExtractionPlatform);

TEST(Win32Extraction, HostileEntriesStayInsideTheDestinationBesideAMarkerFolder) {
    Win32ExtractionPlatform platform;
    platform.fileSystem.createDirectory(platform.folder + "marker");
    platform.addFile(platform.folder + "marker\\keep.txt", "marker");
    const std::string archive = platform.folder + "plugin.zip";
    TestEntry descended{"gpu/sub/gpuPeteOpenGL2.dll", std::string(70000, 'g')};
    descended.dataDescriptor = true;
    TestEntry broken{"gpu/old.dll", "new bytes"};
    broken.crc = 1;
    TestEntry readme{"readme.txt", "read me"};
    readme.dosDate = (2024 - 1980) << 9 | 2 << 5 | 30;  // 30 February: written on the 29th
    platform.addFile(archive, BuildZip({{"../marker/evil.dll", "x"},
                                        {"..\\marker\\evil2.dll", "x"},
                                        {platform.folder + "marker\\abs.dll", "x"},
                                        {"gpu/NUL.txt", "x"},
                                        {"gpu/a:b", "x"},
                                        descended,
                                        broken,
                                        readme}));
    const std::string destination = platform.folder + "dest\\plugins";
    platform.fileSystem.createDirectory(platform.folder + "dest");
    platform.fileSystem.createDirectory(destination);
    platform.fileSystem.createDirectory(destination + "\\gpu");
    platform.addFile(destination + "\\gpu\\old.dll", "working plug-in");

    clsUnzip unzip(platform.files);
    std::vector<std::string> lines;
    unzip.Progress = [&](std::int32_t, const std::string& line) { lines.push_back(line); };
    unzip.PromptToOverwrite(false);
    unzip.OverwriteExisting(true);
    unzip.UseFolderNames(true);
    unzip.ZipFile(archive);
    unzip.UnzipFolder(destination);
    unzip.Directory();
    EXPECT_FALSE(unzip.Unzip());
    EXPECT_EQ(unzip.ReturnCode(), 2);
    EXPECT_EQ(lines.size(), 6u);

    EXPECT_EQ(platform.tree(platform.folder + "marker\\"), std::vector<std::string>{"keep.txt"});
    EXPECT_EQ(platform.tree(destination + "\\"),
              (std::vector<std::string>{"gpu", "gpu\\old.dll", "gpu\\sub", "gpu\\sub\\gpuPeteOpenGL2.dll",
                                        "readme.txt"}));
    EXPECT_EQ(platform.contents(destination + "\\gpu\\old.dll"), "working plug-in");
    EXPECT_EQ(platform.contents(destination + "\\gpu\\sub\\gpuPeteOpenGL2.dll"), std::string(70000, 'g'));

    const DateTime written = platform.files.lastWriteLocal(destination + "\\readme.txt");
    EXPECT_EQ((std::vector<int>{written.year, written.month, written.day, written.hour, written.minute,
                                written.second}),
              (std::vector<int>{2024, 2, 29, 10, 30, 16}));
}

TEST(Win32Extraction, AMissingDestinationIsCreatedAndNamesOutsideTheAnsiCodePageSurvive) {
    Win32ExtractionPlatform platform;
    const std::string archive = platform.folder + "\xD0\xB0\xD1\x80\xD1\x85\xD0\xB8\xD0\xB2.zip";  // архив
    TestEntry unicode{"\xE6\x8F\x92\xE4\xBB\xB6/\xCE\xB1.dll", "alpha"};  // 插件/α.dll
    unicode.utf8 = true;
    platform.addFile(archive, BuildZip({unicode}));
    clsUnzip unzip(platform.files);
    unzip.UseFolderNames(true);
    unzip.ZipFile(archive);
    unzip.UnzipFolder(platform.folder + "new\\deeper");
    EXPECT_TRUE(unzip.Unzip());
    EXPECT_EQ(platform.contents(platform.folder + "new\\deeper\\\xE6\x8F\x92\xE4\xBB\xB6\\\xCE\xB1.dll"), "alpha");
}

TEST(Win32Extraction, NothingIsWrittenThroughASymbolicLinkedFolder) {
    Win32ExtractionPlatform platform;
    platform.fileSystem.createDirectory(platform.folder + "marker");
    platform.fileSystem.createDirectory(platform.folder + "dest");
    // Wine 8 answers success without making the link: the test then has
    // nothing to show.
    if (!CreateSymbolicLinkW(Widen(platform.folder + "dest\\linked").c_str(), Widen(platform.folder + "marker").c_str(),
                             SYMBOLIC_LINK_FLAG_DIRECTORY) ||
        platform.files.kind(platform.folder + "dest\\linked") == PathKind::Missing)
        GTEST_SKIP() << "no symbolic links here";
    ASSERT_EQ(platform.files.kind(platform.folder + "dest\\linked"), PathKind::Link);
    platform.addFile(platform.folder + "a.zip", BuildZip({{"linked/evil.dll", "x"}}));
    clsUnzip unzip(platform.files);
    unzip.UseFolderNames(true);
    unzip.ZipFile(platform.folder + "a.zip");
    unzip.UnzipFolder(platform.folder + "dest");
    EXPECT_FALSE(unzip.Unzip());
    EXPECT_EQ(unzip.ReturnCode(), 1);
    EXPECT_TRUE(platform.names(platform.folder + "marker\\").empty());
}
