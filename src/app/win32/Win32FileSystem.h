#pragma once

#include "app/FileSystem.h"

class Win32FileSystem : public IFileSystem {
public:
    std::vector<FileEntry> find(const std::string& pattern) override;
    bool anyMatch(const std::string& pattern) override;
    bool isDirectory(const std::string& path) override;
    bool setCurrentDirectory(const std::string& path) override;
    bool createDirectory(const std::string& path) override;
    std::string tempFolder() override;
    std::string shortPath(const std::string& path) override;
    bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override;
    bool moveFile(const std::string& from, const std::string& to) override;
    bool deleteFile(const std::string& path) override;
    bool replaceFile(const std::string& from, const std::string& to) override;
    bool appendToFile(const std::string& path, const std::string& bytes) override;
    std::optional<std::string> readFile(const std::string& path, std::uint64_t limit) override;
    bool shellFileOperation(ShellOperation operation, const std::string& from, const std::string& to,
                            unsigned flags, const std::string& progressTitle, WindowHandle owner) override;
};
