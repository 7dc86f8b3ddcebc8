#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/FileSystem.h"

// An in-memory file system with Windows path rules: "\" separators, letter
// case ignored and kept, drive C: present. Files hold bytes and times.
class FakeFileSystem : public IFileSystem {
public:
    FakeFileSystem();

    // Test set-up and inspection.
    void addFile(const std::string& path, const std::string& bytes = "", FileTime lastWrite = 0);
    void addDirectory(const std::string& path);
    bool exists(const std::string& path) const;
    std::string contents(const std::string& path) const;
    // Paths the shell moved to the recycle bin, in order.
    const std::vector<std::string>& recycled() const { return recycled_; }
    // Paths whose writes fail, as on a read-only folder or a locked file.
    void makeReadOnly(const std::string& path);
    // The short (8.3) form of an existing path; without one a path is its
    // own short form, as on a volume with short names switched off.
    void setShortPath(const std::string& path, const std::string& shortForm) { shortPaths_[key(path)] = shortForm; }
    std::vector<FileEntry> find(const std::string& pattern) override;
    bool anyMatch(const std::string& pattern) override;
    bool isDirectory(const std::string& path) override;
    bool setCurrentDirectory(const std::string& path) override;
    const std::string& currentDirectory() const { return currentDirectory_; }
    bool createDirectory(const std::string& path) override;
    std::string tempFolder() override { return tempFolder_; }
    std::string shortPath(const std::string& path) override;
    bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override;
    bool moveFile(const std::string& from, const std::string& to) override;
    bool deleteFile(const std::string& path) override;
    bool replaceFile(const std::string& from, const std::string& to) override;
    bool appendToFile(const std::string& path, const std::string& bytes) override;
    std::optional<std::string> readFile(const std::string& path, std::uint64_t limit) override;
    bool shellFileOperation(ShellOperation operation, const std::string& from, const std::string& to,
                            unsigned flags, const std::string& progressTitle, WindowHandle owner) override;

private:
    struct Node {
        std::string path;  // as first created, letter case kept
        bool isDirectory = false;
        std::string bytes;
        FileTime lastWriteTime = 0;
    };
    static std::string key(const std::string& path);
    const Node* node(const std::string& path) const;
    bool parentExists(const std::string& path) const;
    bool writable(const std::string& path) const;
    // Takes a file or a folder with everything below it away.
    void removeTree(const std::string& path);

    std::map<std::string, Node> nodes_;
    std::vector<std::string> readOnly_;
    std::map<std::string, std::string> shortPaths_;
    std::vector<std::string> recycled_;
    std::string tempFolder_ = "C:\\TEMP\\";
    std::string currentDirectory_ = "C:\\";
};

// Windows wildcard match of a single name: * and ?, letter case ignored,
// "*.*" matching every name.
bool WildcardMatch(const std::string& pattern, const std::string& name);
