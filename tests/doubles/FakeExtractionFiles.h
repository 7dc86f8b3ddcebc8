#pragma once

#include <set>
#include <string>

#include "app/ExtractionFiles.h"
#include "doubles/FakeFileSystem.h"

// The extraction's file calls over the in-memory file system. Links are
// paths the test declares; nothing is ever written through one.
class FakeExtractionFiles : public IExtractionFiles {
public:
    explicit FakeExtractionFiles(FakeFileSystem& files) : files_(files) {}

    void addLink(const std::string& path);
    // The next write to a temporary file fails, as on a full disk.
    void failNextWrite() { failNextWrite_ = true; }

    std::unique_ptr<IArchiveSource> openArchive(const std::string& path) override;
    PathKind kind(const std::string& path) override;
    DateTime lastWriteLocal(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    std::unique_ptr<IExtractedFile> createBeside(const std::string& target) override;

private:
    friend class FakeExtractedFile;
    FakeFileSystem& files_;
    std::set<std::string> links_;
    bool failNextWrite_ = false;
    int serial_ = 0;
};
