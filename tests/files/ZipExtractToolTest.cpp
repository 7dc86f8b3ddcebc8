// The zipextract tool's output: refused entries, then the code per archive.
#include <sstream>

#include "files/ZipFixture.h"
#include "files/zipextract.h"

namespace {
using ZipExtractTool = ZipFixture;

TEST_F(ZipExtractTool, PrintsEachRefusalThenTheCodeOfEachArchive) {
    files.addFile("C:\\a.zip", BuildZip({{"../up.dll", "x"}, {"gpu/gpu.dll", "gpu"}}));
    files.addFile("C:\\b.zip", BuildZip({{"spu.dll", "spu"}}));
    files.addFile("C:\\dest\\gpu\\gpu.dll", "old");
    std::ostringstream out;
    EXPECT_EQ(RunZipExtract(extraction, {"C:\\a.zip", "C:\\dest", "C:\\b.zip", "C:\\dest", "C:\\none.zip", "C:\\x"},
                            out),
              9);
    EXPECT_EQ(out.str(), "..\\up.dll: it has a parent-folder component\nrc=1\nrc=0\n"
                         "C:\\none.zip: the archive cannot be opened\nrc=9\n");
    EXPECT_EQ(files.contents("C:\\dest\\gpu\\gpu.dll"), "gpu") << "existing files are replaced";
    EXPECT_EQ(files.contents("C:\\dest\\spu.dll"), "spu");
}

TEST_F(ZipExtractTool, WantsPairsOfArguments) {
    std::ostringstream out;
    EXPECT_EQ(RunZipExtract(extraction, {"C:\\a.zip"}, out), 2);
    EXPECT_EQ(out.str(), "usage: zipextract ARCHIVE FOLDER [ARCHIVE FOLDER ...]\n");
}
}  // namespace
