#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "files/ZipCrypto.h"
#include "files/ZipDecoder.h"
#include "files/ZipEngine.h"
#include "files/ZipFormat.h"

// What became of one entry.
struct EntryOutcome {
    int code = 0;                 // ZipCode
    std::string problem;          // plain English when code is not 0
    bool passwordProblem = false; // no or a wrong password
    bool extracted = false;
};

// The state of one engine run over one archive.
class ZipRun {
public:
    ZipRun(IExtractionFiles& files, const DCL& options, USERFUNCTIONS& callbacks, std::vector<std::string> include,
           std::vector<std::string> exclude);
    int run();

private:
    int list(const CentralDirectory& directory);
    // Fills in the entries' local header fields as it goes.
    int extract(CentralDirectory& directory, IArchiveSource& archive);
    bool wanted(const ZipEntry& entry);
    bool ensureDestination();
    EntryOutcome extractEntry(IArchiveSource& archive, const ZipEntry& entry);
    EntryOutcome refusal(const ZipEntry& entry) const;
    EntryOutcome makeFolders(const std::vector<std::string>& parts, std::size_t count, std::string& path);
    EntryOutcome checkTarget(const std::string& target, bool& keep);
    bool answerReplace(const std::string& target);
    EntryOutcome unlock(IArchiveSource& archive, const ZipEntry& entry, std::unique_ptr<TraditionalCipher>& cipher);
    EntryOutcome writeEntry(IArchiveSource& archive, const ZipEntry& entry, TraditionalCipher* cipher,
                            const std::string& target);
    void report(const std::string& name, const std::string& problem);
    void fillTotals(const CentralDirectory& directory);

    IExtractionFiles& files_;
    const DCL& options_;
    USERFUNCTIONS& callbacks_;
    std::vector<std::string> include_, exclude_;
    std::vector<bool> includeMatched_;
    std::string destination_;
    // Folders below the destination this run found or made. Entries never
    // make links, so each folder is checked once, not again for every
    // entry below it.
    std::unordered_set<std::string> knownFolders_;
    std::optional<std::string> password_;  // the last password that opened an entry
    EntryDecoder decoder_;
    std::uint64_t runWritten_ = 0;  // what every entry yielded, failed ones too
    bool replaceAll_ = false, replaceNone_ = false;
};
