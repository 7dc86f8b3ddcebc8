#pragma once

#include "app/ExtractionFiles.h"

// The extraction's file calls on Win32, through the wide-character API. A
// reparse point (symbolic link, junction, mount point) counts as a link.
class Win32ExtractionFiles : public IExtractionFiles {
public:
    std::unique_ptr<IArchiveSource> openArchive(const std::string& path) override;
    PathKind kind(const std::string& path) override;
    DateTime lastWriteLocal(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    std::unique_ptr<IExtractedFile> createBeside(const std::string& target) override;
};
