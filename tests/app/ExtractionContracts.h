#pragma once

// Behaviour every implementation of the extraction's file calls shares:
// the double and the POSIX service run these natively, the Win32 service
// under Wine. A platform type provides extraction(), scratch() (an empty
// folder, trailing separator included), addFile(path, bytes), contents(path),
// names(folder) (the names in a folder, sorted) and link(path) (a symbolic
// link to a folder; false where the system makes none).

#include <gtest/gtest.h>

#include <string>

#include "app/ExtractionFiles.h"

template <typename Platform>
class ExtractionContract : public ::testing::Test {
protected:
    Platform platform;
    IExtractionFiles& files = platform.extraction();
    std::string path(const std::string& relative) { return platform.scratch() + relative; }
    std::vector<std::string> names() { return platform.names(platform.scratch()); }
};
TYPED_TEST_SUITE_P(ExtractionContract);

TYPED_TEST_P(ExtractionContract, TellsKindsWithoutFollowingLinksAndCreatesOneFolderAtATime) {
    IExtractionFiles& files = this->files;
    EXPECT_EQ(files.kind(this->path("missing")), PathKind::Missing);
    EXPECT_FALSE(files.createFolder(this->path("a\\b"))) << "parent missing";
    EXPECT_TRUE(files.createFolder(this->path("a")));
    EXPECT_FALSE(files.createFolder(this->path("a"))) << "already there";
    EXPECT_TRUE(files.createFolder(this->path("a\\b")));
    EXPECT_EQ(files.kind(this->path("a\\b")), PathKind::Folder);
    this->platform.addFile(this->path("a\\file.txt"), "x");
    EXPECT_EQ(files.kind(this->path("a\\file.txt")), PathKind::File);
    EXPECT_FALSE(files.createFolder(this->path("a\\file.txt")));
    if (!this->platform.link(this->path("linked"))) GTEST_SKIP() << "no symbolic links here";
    EXPECT_EQ(files.kind(this->path("linked")), PathKind::Link) << "whatever it points at";
}

TYPED_TEST_P(ExtractionContract, ReadsTheArchiveAtAnyOffsetAndNotPastItsEnd) {
    EXPECT_EQ(this->files.openArchive(this->path("missing.zip")), nullptr);
    this->platform.addFile(this->path("some.zip"), "0123456789");
    const auto archive = this->files.openArchive(this->path("some.zip"));
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(archive->size(), 10u);
    char bytes[4] = {};
    ASSERT_TRUE(archive->read(6, bytes, 4));
    EXPECT_EQ(std::string(bytes, 4), "6789");
    EXPECT_FALSE(archive->read(7, bytes, 4));
    EXPECT_FALSE(archive->read(0xFFFFFFFFull, bytes, 1));
}

TYPED_TEST_P(ExtractionContract, OnlyACommittedFileReplacesItsTargetAndTakesItsTime) {
    IExtractionFiles& files = this->files;
    const std::string target = this->path("gpu.dll");
    this->platform.addFile(target, "working");
    const auto written = [&](const DateTime& time, bool commit) {
        const auto file = files.createBeside(target);
        EXPECT_EQ(this->names().size(), 2u) << "the temporary file beside it";
        return file && file->write("new ", 4) && file->write("bytes", 5) && (!commit || file->commit(time));
    };
    EXPECT_TRUE(written({}, false)) << "dropped";
    EXPECT_FALSE(written({2023, 2, 30, 12, 0, 0, 0}, true)) << "30 February does not exist";
    EXPECT_EQ(this->platform.contents(target), "working");
    EXPECT_TRUE(written({2021, 6, 30, 23, 59, 58, 0}, true));
    EXPECT_EQ(this->names(), std::vector<std::string>{"gpu.dll"});
    EXPECT_EQ(this->platform.contents(target), "new bytes");
    const DateTime time = files.lastWriteLocal(target);
    EXPECT_EQ((std::vector<int>{time.year, time.month, time.day, time.hour, time.minute, time.second}),
              (std::vector<int>{2021, 6, 30, 23, 59, 58}));
    EXPECT_EQ(files.createBeside(this->path("nofolder\\x.dll")), nullptr);
}

REGISTER_TYPED_TEST_SUITE_P(ExtractionContract, TellsKindsWithoutFollowingLinksAndCreatesOneFolderAtATime,
                            ReadsTheArchiveAtAnyOffsetAndNotPastItsEnd,
                            OnlyACommittedFileReplacesItsTargetAndTakesItsTime);
