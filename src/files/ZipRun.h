#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "files/ZipDecoder.h"
#include "files/ZipEngine.h"
#include "files/ZipFormat.h"

// What became of one entry.
struct EntryOutcome {
    int code = 0;         // ZipCode
    std::string problem;  // plain English when code is not 0
};

// The state of one engine run over one archive.
class ZipRun {
public:
    ZipRun(IExtractionFiles& files, std::string destination, bool testOnly, const ZipReport& report);
    int run(const std::string& archivePath);

private:
    // Fills in the entries' local header fields as it goes.
    int extract(CentralDirectory& directory, IArchiveSource& archive);
    bool ensureDestination();
    EntryOutcome extractEntry(IArchiveSource& archive, const ZipEntry& entry);
    EntryOutcome refusal(const ZipEntry& entry) const;
    EntryOutcome makeFolders(const std::vector<std::string>& parts, std::size_t count, std::string& path);
    EntryOutcome checkTarget(const std::string& target);
    EntryOutcome writeEntry(IArchiveSource& archive, const ZipEntry& entry, const std::string& target);
    void report(const std::string& name, const std::string& problem);

    IExtractionFiles& files_;
    std::string destination_;
    const bool testOnly_;
    const ZipReport& report_;
    // Folders below the destination this run found or made. Entries never
    // make links, so each folder is checked once, not again for every
    // entry below it.
    std::unordered_set<std::string> knownFolders_;
    EntryDecoder decoder_;
    std::uint64_t runWritten_ = 0;  // what every entry yielded, failed ones too
};
