#include "files/UpdateBackup.h"

#include <algorithm>
#include <cstdio>

#include "app/Helpers.h"

namespace {
const char* const kList = "files.txt";
// A list of every file of every plug-in folder would be far less.
constexpr std::uint64_t kLargestList = 16u << 20;

// The backups below the root, oldest first: their names sort by time.
std::vector<std::string> BackupFolders(IFileSystem& files, const std::string& root) {
    std::vector<std::string> names;
    for (const FileEntry& entry : files.find(root + "*"))
        if (entry.isDirectory && entry.name != "." && entry.name != "..") names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    std::vector<std::string> folders;
    for (const std::string& name : names) folders.push_back(root + name + "\\");
    return folders;
}

std::string FolderName(const DateTime& time) {
    char name[32];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d %02d%02d%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return name;
}
}  // namespace

UpdateBackup::UpdateBackup(IFileSystem& files, const std::string& root, const DateTime& started)
    : files_(files), root_(root) {
    // Two runs in one second get a number after the time.
    folder_ = root + FolderName(started) + "\\";
    for (int run = 2; files_.isDirectory(folder_); ++run)
        folder_ = root + FolderName(started) + " " + std::to_string(run) + "\\";
}

bool UpdateBackup::keep(const std::string& target) {
    // The first state of a file is what an undo puts back.
    for (const BackupEntry& entry : entries_)
        if (LowerCase(entry.path) == LowerCase(target)) return true;
    if (entries_.empty() && !(files_.isDirectory(root_) || files_.createDirectory(root_))) return false;
    if (entries_.empty() && !files_.createDirectory(folder_)) return false;
    BackupEntry entry{target, {}};
    if (files_.anyMatch(target)) {
        entry.copy = std::to_string(entries_.size() + 1) + " " + ParseFileName(target);
        if (!files_.copyFile(target, folder_ + entry.copy, true)) return false;
    }
    entries_.push_back(entry);
    return true;
}

void UpdateBackup::finish(std::size_t kept) {
    if (entries_.empty()) return;
    std::string list;
    for (const BackupEntry& entry : entries_)
        list += (entry.copy.empty() ? "added\t" + entry.path : "replaced\t" + entry.path + "\t" + entry.copy) + "\r\n";
    files_.appendToFile(folder_ + kList, list);
    const std::vector<std::string> folders = BackupFolders(files_, root_);
    for (std::size_t i = 0; i + kept < folders.size(); ++i) RemoveFolderTree(files_, folders[i]);
}

void UpdateBackup::drop() {
    if (!entries_.empty()) RemoveFolderTree(files_, folder_);
}

std::optional<Backup> NewestBackup(IFileSystem& files, const std::string& root) {
    const std::vector<std::string> folders = BackupFolders(files, root);
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        const auto list = files.readFile(*folder + kList, kLargestList);
        if (!list) continue;
        Backup backup{*folder, {}};
        for (const std::string& line : TextLines(*list)) {
            const auto tab = line.find('\t'), second = line.find('\t', tab + 1);
            if (line.compare(0, tab, "added") == 0) backup.entries.push_back({line.substr(tab + 1), {}});
            if (line.compare(0, tab, "replaced") == 0 && second != std::string::npos)
                backup.entries.push_back({line.substr(tab + 1, second - tab - 1), line.substr(second + 1)});
        }
        return backup;
    }
    return std::nullopt;
}

std::vector<std::string> RestoreBackup(IFileSystem& files, const Backup& backup) {
    std::vector<std::string> failed;
    for (const BackupEntry& entry : backup.entries) {
        const bool restored = entry.copy.empty() ? !files.anyMatch(entry.path) || files.deleteFile(entry.path)
                                                 : files.copyFile(backup.folder + entry.copy, entry.path, false);
        if (!restored) failed.push_back(entry.path);
    }
    if (failed.empty()) RemoveFolderTree(files, backup.folder);
    return failed;
}
