// Extraction of one entry: its checks, folders, target and data.
#include <algorithm>

#include "files/ZipCodes.h"
#include "files/ZipDetails.h"
#include "files/ZipNames.h"
#include "files/ZipRun.h"

EntryOutcome ZipRun::refusal(const ZipEntry& entry) const {
    std::string reason = entry.utf8Name() ? RefusalOfUtf8Name(entry.storedName) : "";
    if (reason.empty()) reason = RefusalOfName(entry.name);
    if (!reason.empty()) return {ZipCode::kEntrySkipped, reason};
    if (entry.isSymbolicLink()) return {ZipCode::kEntrySkipped, "it is a symbolic link"};
    if (entry.encrypted()) return {ZipCode::kUnsupported, "it is encrypted"};
    if (!IsSupportedMethod(entry.method))
        return {ZipCode::kUnsupported, "its compression method " + MethodName(entry) + " is not supported"};
    if (entry.size > kEntryCap) return {ZipCode::kEntrySkipped, "it is larger than 256 MiB"};
    return {};
}

EntryOutcome ZipRun::makeFolders(const std::vector<std::string>& parts, std::size_t count, std::string& path) {
    path = destination_;
    for (std::size_t i = 0; i < count; ++i) {
        path += "\\" + parts[i];
        if (knownFolders_.count(path) != 0) continue;
        const PathKind kind = files_.kind(path);
        if (kind == PathKind::Link) return {ZipCode::kEntrySkipped, "a folder on its path is a link"};
        if (kind == PathKind::Missing && !files_.createFolder(path))
            return {ZipCode::kEntrySkipped, "its folder cannot be created"};
        if (kind == PathKind::File || kind == PathKind::Other)
            return {ZipCode::kEntrySkipped, "a file stands where its folder should be"};
        knownFolders_.insert(path);
    }
    return {};
}

EntryOutcome ZipRun::checkTarget(const std::string& target) {
    const PathKind kind = files_.kind(target);
    if (kind == PathKind::Link) return {ZipCode::kEntrySkipped, "its target is a link"};
    if (kind == PathKind::Folder || kind == PathKind::Other)
        return {ZipCode::kEntrySkipped, "something other than a file stands at its target"};
    return {};
}

EntryOutcome ZipRun::writeEntry(IArchiveSource& archive, const ZipEntry& entry, const std::string& target) {
    std::unique_ptr<IExtractedFile> file;
    if (!testOnly_) {
        file = files_.createBeside(target);
        if (!file) return {ZipCode::kEntrySkipped, "its file cannot be created"};
    }
    const auto write = [&](const unsigned char* data, std::size_t count) { return !file || file->write(data, count); };
    const DecodeResult result = decoder_.decode(archive, entry, kRunCap - std::min(kRunCap, runWritten_), write);
    runWritten_ += result.written;
    if (result.code != 0) return {result.code, result.problem};
    if (file && !file->commit(DosDateTime(entry.dosDate, entry.dosTime)))
        return {ZipCode::kEntrySkipped, "it cannot replace the file at its target"};
    return {};
}

EntryOutcome ZipRun::extractEntry(IArchiveSource& archive, const ZipEntry& entry) {
    const std::vector<std::string> parts = SplitEntryName(entry.name);
    std::string path;
    if (testOnly_) return entry.isFolder() ? EntryOutcome{} : writeEntry(archive, entry, path);
    if (entry.isFolder()) return makeFolders(parts, parts.size(), path);
    EntryOutcome outcome = makeFolders(parts, parts.size() - 1, path);
    path += "\\" + parts.back();
    if (outcome.code == 0) outcome = checkTarget(path);
    return outcome.code == 0 ? writeEntry(archive, entry, path) : outcome;
}
