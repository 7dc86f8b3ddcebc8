#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/Clock.h"
#include "app/FileSystem.h"

// A file an update run wrote: the copy of what it replaced, or none when the
// run added it.
struct BackupEntry {
    std::string path;
    std::string copy;  // a file name in the backup's folder; empty: added
};

// What one update run replaced and added, kept in a folder of its own
// (Backups\<yyyy-mm-dd hhmmss>\ below the program folder) with the list
// "files.txt", so that the run can be undone.
class UpdateBackup {
public:
    UpdateBackup(IFileSystem& files, const std::string& root, const DateTime& started);

    // Before `target` is written: a copy of it is kept when it exists, and
    // the list notes it. False when the copy could not be made.
    bool keep(const std::string& target);
    // Writes the list; a run that wrote nothing leaves no folder. The
    // newest `kept` backups stay, older ones go.
    void finish(std::size_t kept);
    // Removes what was kept: the run changed nothing.
    void drop();

private:
    IFileSystem& files_;
    std::string root_, folder_;
    std::vector<BackupEntry> entries_;
};

// The newest backup: its folder and what it holds.
struct Backup {
    std::string folder;
    std::vector<BackupEntry> entries;
};
std::optional<Backup> NewestBackup(IFileSystem& files, const std::string& root);
// Puts every replaced file back, removes the added ones; the backup goes
// when everything is as before. The paths that could not be restored.
std::vector<std::string> RestoreBackup(IFileSystem& files, const Backup& backup);
