// Downloads from the project's local update service, which misbehaves on
// request, through WinINet.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "app/win32/BuildPaths.h"
#include "app/win32/Win32Downloads.h"
#include "app/win32/Win32FileSystem.h"
#include "app/WholeFile.h"

namespace {
class Downloads : public ::testing::Test {
protected:
    Downloads() {
        const auto port = files.readFile(WindowsPath(CORVANE_SERVICE_PORT_FILE), kWholeFile);
        base = "http://127.0.0.1:" + port.value_or("0") + "/";
        target = files.tempFolder() + "corvane-download-" + std::to_string(GetCurrentProcessId()) + ".tmp";
    }
    ~Downloads() override { files.deleteFile(target); }
    std::optional<std::string> get(const std::string& address, std::uint64_t maxBytes = 1 << 20,
                                   unsigned timeoutMs = 30000, unsigned deadlineMs = 600000,
                                   std::function<bool()> cancelled = {}) {
        files.deleteFile(target);
        return downloads.download(DownloadRequest{address, target, maxBytes, timeoutMs, deadlineMs, cancelled});
    }

    Win32FileSystem files;
    Win32Downloads downloads;
    std::string base, target;
};

TEST_F(Downloads, AWholeAnswerBecomesTheFileAndNothingElseDoes) {
    ASSERT_FALSE(get(base + "zip.php?id=1")) << base;
    EXPECT_NE(files.readFile(target, kWholeFile).value_or("").find("gpuFixture.dll\tFixture GPU\t"), std::string::npos);
    ASSERT_FALSE(get(base + "files/gpuFixture.zip", 64 << 20));
    EXPECT_EQ(files.readFile(target, kWholeFile).value_or("").substr(0, 2), "PK");

    for (const char* misbehaviour : {"404/", "500/", "cut/"}) {
        const auto problem = get(base + misbehaviour + "files/gpuFixture.zip", 64 << 20);
        EXPECT_TRUE(problem.has_value()) << misbehaviour;
        EXPECT_FALSE(files.anyMatch(target)) << misbehaviour << ": no file";
        EXPECT_FALSE(files.anyMatch(target + ".part")) << misbehaviour << ": no leftover";
    }
    EXPECT_TRUE(get(base + "endless/zip.php?id=1").has_value()) << "a list of more than 1 MiB";
    EXPECT_TRUE(get(base + "stall/zip.php?id=1", 1 << 20, 2000).has_value()) << "a server that never answers";
    // A server that holds the answer past the download's deadline, and a
    // download cancelled while it waits.
    EXPECT_EQ(get(base + "stall/zip.php?id=1", 1 << 20, 30000, 1000).value_or(""),
              "The download from " + base + "stall/zip.php?id=1 took longer than 1 seconds.");
    int asked = 0;
    EXPECT_EQ(get(base + "stall/files/gpuFixture.zip", 64 << 20, 30000, 600000, [&asked] { return ++asked > 3; })
                  .value_or(""),
              "The download from " + base + "stall/files/gpuFixture.zip was cancelled.");
    EXPECT_TRUE(get("ftp://127.0.0.1/zip.php").has_value()) << "web addresses only";
    EXPECT_FALSE(files.anyMatch(target));
}
}  // namespace
