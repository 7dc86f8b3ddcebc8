#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/WindowHandle.h"

// A file time as the system stores it: 100-nanosecond intervals since
// 1 January 1601, UTC.
using FileTime = std::uint64_t;

struct FileEntry {
    std::string name;  // the name alone, without its folder
    bool isDirectory = false;
    std::uint64_t size = 0;
    FileTime creationTime = 0;
    FileTime lastWriteTime = 0;
};

// The shell's file operations and the flags the program passes to them.
enum class ShellOperation { Move = 1, Copy = 2, Delete = 3, Rename = 4 };
namespace ShellFlags {
constexpr unsigned kConfirmMouse = 0x0002;
constexpr unsigned kSilent = 0x0004;          // no progress dialog
constexpr unsigned kNoConfirmation = 0x0010;  // answer "Yes to all"
constexpr unsigned kAllowUndo = 0x0040;       // deletes go to the recycle bin
constexpr unsigned kFilesOnly = 0x0080;        // a wildcard takes files, not folders
constexpr unsigned kNoErrorUi = 0x0400;
constexpr unsigned kWantNukeWarning = 0x4000;  // ask before deleting what the recycle bin cannot take
}  // namespace ShellFlags

class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    // Entries matching a path whose last part may hold * and ? wildcards
    // (letter case ignored), in the system's order. The "." and ".." entries
    // of a folder are left out.
    virtual std::vector<FileEntry> find(const std::string& pattern) = 0;
    // True when the system's find-first search on the pattern finds any
    // entry, "." and ".." included (so "C:\Folder\*" is true for an empty
    // folder and a folder path itself counts).
    virtual bool anyMatch(const std::string& pattern) = 0;

    virtual bool isDirectory(const std::string& path) = 0;
    virtual bool setCurrentDirectory(const std::string& path) = 0;
    virtual bool createDirectory(const std::string& path) = 0;

    // The system's temporary folder, with its trailing backslash.
    virtual std::string tempFolder() = 0;
    // The short (8.3) form of an existing path; empty text when the path
    // does not exist.
    virtual std::string shortPath(const std::string& path) = 0;

    virtual bool copyFile(const std::string& from, const std::string& to, bool failIfExists) = 0;
    // Renames or moves a file; fails when the target exists.
    virtual bool moveFile(const std::string& from, const std::string& to) = 0;
    virtual bool deleteFile(const std::string& path) = 0;
    // Puts a file in the place of another in one step, after its contents
    // have reached the disk; the target may or may not exist.
    virtual bool replaceFile(const std::string& from, const std::string& to) = 0;

    // Appends bytes to a file, creating it when missing; the file is closed
    // again before the call returns.
    virtual bool appendToFile(const std::string& path, const std::string& bytes) = 0;
    // The whole file; nothing when it is missing, unreadable or larger than
    // limit bytes (refused before any of it is read, so a huge or foreign
    // file never takes the memory of a 32-bit process).
    virtual std::optional<std::string> readFile(const std::string& path, std::uint64_t limit) = 0;

    // The shell's file operation on one source (and target, for move, copy
    // and rename). True when it completed: false when it failed or the user
    // aborted any part of it.
    virtual bool shellFileOperation(ShellOperation operation, const std::string& from,
                                    const std::string& to, unsigned flags,
                                    const std::string& progressTitle, WindowHandle owner) = 0;
};
