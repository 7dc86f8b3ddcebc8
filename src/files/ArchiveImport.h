#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/ExtractionFiles.h"
#include "app/FileSystem.h"

// What an extraction did: its code as unzip gives it, and each entry it
// refused ("name: reason").
struct ArchiveResult {
    int code = 0;
    std::vector<std::string> refused;
    bool ok() const { return code == 0; }
    // The first problem, in words for a message.
    std::string problem() const;
};

// Extracts a whole archive into a folder as the import does: folders kept,
// existing files replaced without a question. With testOnly, every entry
// is read and checked and nothing is written.
ArchiveResult ExtractArchive(IExtractionFiles& files, const std::string& archive, const std::string& folder,
                             bool testOnly = false);

// The suffix of a plug-in set aside because it was in use when its update
// came; the scan deletes such files later.
constexpr const char* kSetAsideSuffix = ".corvane-old";

// Moves every file of `staging` (folders kept) over its place in
// `destination`. A file in use is renamed aside first; when a file cannot
// be put in place at all, what was moved is put back and false returned.
// `beforePlace` hears of each place before it is written, and fails the
// move with false. The staging folder is removed in either case.
bool MoveStagedFiles(IFileSystem& files, const std::string& staging, const std::string& destination,
                     const std::function<bool(const std::string& target)>& beforePlace = {});

// Deletes the files set aside in a folder and below it; one still held by
// a running program stays.
void DropSetAsideFiles(IFileSystem& files, const std::string& folder);
