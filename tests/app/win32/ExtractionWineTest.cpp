// The Win32 extraction service against the shared contract, and a whole
// extraction on the real file system: nothing lands outside the
// destination, no temporary file stays, names and file times come back.
#include <windows.h>

#include <algorithm>

#include "app/ExtractionContracts.h"
#include "app/WholeFile.h"
#include "app/win32/ScratchFolder.h"
#include "app/win32/Win32ExtractionFiles.h"
#include "app/win32/WideText.h"
#include "files/ArchiveImport.h"
#include "files/TestZip.h"

namespace {
struct Win32ExtractionPlatform : ScratchFolder {
    Win32ExtractionFiles extractionFiles;

    IExtractionFiles& extraction() { return extractionFiles; }
    std::string scratch() const { return path; }
    void addFile(const std::string& file, const std::string& bytes) { files.appendToFile(file, bytes); }
    std::string contents(const std::string& file) { return files.readFile(file, kWholeFile).value_or(""); }
    std::vector<std::string> names(const std::string& folder) {
        std::vector<std::string> found;
        for (const auto& entry : files.find(folder + "*")) found.push_back(entry.name);
        std::sort(found.begin(), found.end());
        return found;
    }
    // Wine 8 answers success without making the link.
    bool link(const std::string& at) {
        return CreateSymbolicLinkW(Widen(at).c_str(), Widen(path).c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
               extractionFiles.kind(at) != PathKind::Missing;
    }
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ExtractionContract, Win32ExtractionPlatform);

TEST(Win32Extraction, HostileEntriesStayInsideTheDestinationAndTheRestLandsWithItsNamesAndTimes) {
    Win32ExtractionPlatform platform;
    const std::string& folder = platform.path;
    platform.files.createDirectory(folder + "marker");
    platform.addFile(folder + "marker\\keep.txt", "marker");
    TestEntry descended{"gpu/sub/gpuPeteOpenGL2.dll", std::string(70000, 'g')}, broken{"gpu/old.dll", "new bytes"},
        readme{"readme.txt", "read me"}, unicode{"\xE6\x8F\x92\xE4\xBB\xB6/\xCE\xB1.dll", "alpha"};  // 插件/α.dll
    descended.dataDescriptor = true;
    unicode.utf8 = true;
    broken.crc = 1;
    readme.dosDate = (2024 - 1980) << 9 | 2 << 5 | 30;  // 30 February: written on the 29th
    const std::string archive = folder + "\xD0\xB0\xD1\x80\xD1\x85\xD0\xB8\xD0\xB2.zip";  // архив.zip
    platform.addFile(archive, BuildZip({{"../marker/evil.dll", "x"}, {"..\\marker\\evil2.dll", "x"},
                                        {folder + "marker\\abs.dll", "x"}, {"gpu/NUL.txt", "x"}, {"gpu/a:b", "x"},
                                        descended, broken, readme, unicode}));
    const std::string destination = folder + "dest\\plugins";  // not there yet

    const ArchiveResult result = ExtractArchive(platform.extractionFiles, archive, destination);
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.refused.size(), 6u);
    const std::string plugin = "\xE6\x8F\x92\xE4\xBB\xB6";  // 插件
    EXPECT_EQ(platform.names(folder + "marker\\"), std::vector<std::string>{"keep.txt"});
    EXPECT_EQ(platform.names(destination + "\\"), (std::vector<std::string>{"gpu", "readme.txt", plugin}));
    EXPECT_EQ(platform.names(destination + "\\gpu\\"), std::vector<std::string>{"sub"});
    EXPECT_EQ(platform.names(destination + "\\gpu\\sub\\"), std::vector<std::string>{"gpuPeteOpenGL2.dll"});
    EXPECT_EQ(platform.names(destination + "\\" + plugin + "\\"), std::vector<std::string>{"\xCE\xB1.dll"});
    EXPECT_EQ(platform.contents(destination + "\\gpu\\sub\\gpuPeteOpenGL2.dll"), std::string(70000, 'g'));
    EXPECT_EQ(platform.contents(destination + "\\" + plugin + "\\\xCE\xB1.dll"), "alpha");
    const DateTime written = platform.extractionFiles.lastWriteLocal(destination + "\\readme.txt");
    EXPECT_EQ((std::vector<int>{written.year, written.month, written.day, written.hour, written.minute,
                                written.second}),
              (std::vector<int>{2024, 2, 29, 10, 30, 16}));
}
