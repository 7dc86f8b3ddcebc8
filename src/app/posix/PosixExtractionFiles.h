#pragma once

#include "app/ExtractionFiles.h"

// The extraction's file calls on a POSIX system, for the native build: "\"
// in a path is taken as "/", links are never followed.
class PosixExtractionFiles : public IExtractionFiles {
public:
    std::unique_ptr<IArchiveSource> openArchive(const std::string& path) override;
    PathKind kind(const std::string& path) override;
    DateTime lastWriteLocal(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    std::unique_ptr<IExtractedFile> createBeside(const std::string& target) override;
};
