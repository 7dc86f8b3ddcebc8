#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/ZipCrypto.h"
#include "files/ZipEngine.h"
#include "files/ZipDecoder.h"
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
    int extract(const CentralDirectory& directory, IArchiveSource& archive);
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
    std::optional<std::string> password_;  // the last password that opened an entry
    std::uint64_t runWritten_ = 0;  // what every entry yielded, failed ones too
    bool replaceAll_ = false, replaceNone_ = false;
};
    EntryDecoder decoder_;
