#include "files/ArchiveImport.h"

#include "app/Helpers.h"
#include "files/clsUnzip.h"

namespace {
struct Placed {
    std::string target, setAside;  // setAside empty when nothing stood there
};

// Every file below a folder, as paths relative to it.
void FilesBelow(IFileSystem& files, const std::string& folder, const std::string& relative,
                std::vector<std::string>& found) {
    for (const FileEntry& entry : files.find(folder + relative + "*")) {
        if (entry.isDirectory)
            FilesBelow(files, folder, relative + entry.name + "\\", found);
        else
            found.push_back(relative + entry.name);
    }
}

bool MakeFolders(IFileSystem& files, const std::string& destination, const std::string& relative) {
    std::string path = destination;
    for (std::size_t slash; (slash = relative.find('\\', path.size() - destination.size())) != std::string::npos;) {
        path = destination + relative.substr(0, slash + 1);
        if (!files.isDirectory(path) && !files.createDirectory(path)) return false;
    }
    return true;
}

// The old file is renamed aside, not deleted: it can come back when a later
// file fails, and a library a running emulator holds can be renamed where
// it cannot be deleted.
bool Place(IFileSystem& files, const std::string& staged, const std::string& target, Placed& placed) {
    placed.target = target;
    if (files.anyMatch(target)) {
        placed.setAside = target + kSetAsideSuffix;
        if (files.anyMatch(placed.setAside)) files.deleteFile(placed.setAside);
        if (!files.moveFile(target, placed.setAside)) return false;
    }
    if (files.moveFile(staged, target)) return true;
    if (!placed.setAside.empty()) files.moveFile(placed.setAside, target);
    return false;
}

void PutBack(IFileSystem& files, const std::vector<Placed>& placed) {
    for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
        files.deleteFile(it->target);
        if (!it->setAside.empty()) files.moveFile(it->setAside, it->target);
    }
}

// The old files once every new one is in place; one still held stays until
// the next scan of its folder.
void DropSetAside(IFileSystem& files, const std::vector<Placed>& placed) {
    for (const Placed& done : placed)
        if (!done.setAside.empty()) files.deleteFile(done.setAside);
}
}  // namespace

std::string ArchiveResult::problem() const {
    if (!refused.empty()) return refused.front();
    return "the archive is damaged or no zip archive (code " + std::to_string(code) + ")";
}

ArchiveResult ExtractArchive(IExtractionFiles& files, const std::string& archive, const std::string& folder,
                             bool testOnly) {
    ArchiveResult result;
    clsUnzip unzip(files);
    unzip.Progress = [&](std::int32_t, const std::string& message) { result.refused.push_back(message); };
    unzip.PromptToOverwrite(false);
    unzip.OverwriteExisting(true);
    unzip.UseFolderNames(true);
    unzip.TestZip(testOnly);
    unzip.ZipFile(archive);
    unzip.UnzipFolder(folder);
    unzip.Directory();
    if (unzip.ReturnCode() == 0) unzip.Unzip();
    result.code = unzip.ReturnCode();
    return result;
}

bool MoveStagedFiles(IFileSystem& files, const std::string& staging, const std::string& destination,
                     const std::function<bool(const std::string& target)>& beforePlace) {
    std::vector<std::string> staged;
    FilesBelow(files, staging, "", staged);
    std::vector<Placed> placed;
    bool ok = true;
    for (const std::string& relative : staged) {
        Placed next;
        if (!MakeFolders(files, destination, relative) || (beforePlace && !beforePlace(destination + relative)) ||
            !Place(files, staging + relative, destination + relative, next)) {
            ok = false;
            break;
        }
        placed.push_back(next);
    }
    if (ok)
        DropSetAside(files, placed);
    else
        PutBack(files, placed);
    RemoveFolderTree(files, staging);
    return ok;
}

void DropSetAsideFiles(IFileSystem& files, const std::string& folder) {
    std::vector<std::string> below;
    FilesBelow(files, folder, "", below);
    const std::string suffix = kSetAsideSuffix;
    for (const std::string& relative : below)
        if (relative.size() > suffix.size() && relative.compare(relative.size() - suffix.size(), suffix.size(), suffix) == 0)
            files.deleteFile(folder + relative);
}
