#include "files/ZipRun.h"

#include <algorithm>

#include "app/Helpers.h"
#include "files/ZipCodes.h"
#include "files/ZipDetails.h"

namespace {
std::string Normalised(std::string name, bool caseSensitive) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return caseSensitive ? name : LowerCase(name);
}

// The run's code from its entries' outcomes: the most severe code, except
// that password failures give 82 only when nothing else happened.
int CombinedCode(const std::vector<EntryOutcome>& outcomes) {
    int worst = 0;
    bool passwordFailed = false, anyDone = false;
    for (const auto& outcome : outcomes) {
        if (outcome.passwordProblem)
            passwordFailed = true;
        else
            worst = std::max(worst, outcome.code);
        anyDone = anyDone || outcome.extracted;
    }
    if (!passwordFailed) return worst;
    return anyDone || worst != 0 ? std::max(worst, static_cast<int>(ZipCode::kEntrySkipped)) : ZipCode::kBadPassword;
}
}  // namespace

ZipRun::ZipRun(IExtractionFiles& files, const DCL& options, USERFUNCTIONS& callbacks,
               std::vector<std::string> include, std::vector<std::string> exclude)
    : files_(files), options_(options), callbacks_(callbacks), include_(std::move(include)),
      exclude_(std::move(exclude)), includeMatched_(include_.size(), false) {}

void ZipRun::report(const std::string& name, const std::string& problem) {
    if (!callbacks_.print) return;
    std::string shown = name;  // a control character in a name must not break the line
    std::replace_if(shown.begin(), shown.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '?');
    std::string line = (shown + ": " + problem).substr(0, 1023);
    callbacks_.print(line.data(), static_cast<unsigned long>(line.size()));
}

void ZipRun::fillTotals(const CentralDirectory& directory) {
    std::uint64_t packed = 0, size = 0;
    for (const auto& entry : directory.entries) {
        packed += entry.packedSize;
        size += entry.size;
    }
    callbacks_.TotalSizeComp = Clamp32(packed);
    callbacks_.TotalSize = Clamp32(size);
    callbacks_.CompFactor = static_cast<std::uint32_t>(CompressionFactor(size, packed));
    callbacks_.NumMembers = static_cast<std::uint32_t>(directory.entries.size());
}

int ZipRun::run() {
    const std::string archivePath = options_.lpszZipFN ? options_.lpszZipFN : "";
    if (archivePath.empty()) return ZipCode::kBadOptions;
    if (options_.ncflag != 0 || options_.nfflag != 0) {
        report(archivePath, "writing to standard output and freshening are not supported");
        return ZipCode::kBadOptions;
    }
    const auto archive = files_.openArchive(archivePath);
    if (!archive) {
        report(archivePath, "the archive cannot be opened");
        return ZipCode::kArchiveNotFound;
    }
    CentralDirectory directory = ReadCentralDirectory(*archive);
    if (directory.code != 0) {
        report(archivePath, directory.problem);
        return directory.code;
    }
    fillTotals(directory);
    return options_.nvflag != 0 ? list(directory) : extract(directory, *archive);
}

int ZipRun::list(const CentralDirectory& directory) {
    if (!callbacks_.SendApplicationMessage) return ZipCode::kOk;
    for (const auto& entry : directory.entries) {
        const DateTime date = DosDateTime(entry.dosDate, entry.dosTime);
        callbacks_.SendApplicationMessage(
            Clamp32(entry.size), Clamp32(entry.packedSize),
            static_cast<unsigned>(CompressionFactor(entry.size, entry.packedSize)), date.month, date.day, date.year,
            date.hour, date.minute, ' ', entry.name.c_str(), MethodName(entry).c_str(), entry.crc,
            entry.encrypted() ? 'E' : ' ');
    }
    return ZipCode::kOk;
}

bool ZipRun::wanted(const ZipEntry& entry) {
    const bool caseSensitive = options_.C_flag != 0;
    const std::string name = Normalised(entry.name, caseSensitive);
    for (const auto& excluded : exclude_)
        if (Normalised(excluded, caseSensitive) == name) return false;
    if (include_.empty()) return true;
    bool found = false;
    for (std::size_t i = 0; i < include_.size(); ++i) {
        if (Normalised(include_[i], caseSensitive) != name) continue;
        includeMatched_[i] = true;
        found = true;
    }
    return found;
}

int ZipRun::extract(CentralDirectory& directory, IArchiveSource& archive) {
    destination_ = options_.lpszExtractDir ? options_.lpszExtractDir : "";
    while (destination_.size() > 1 && (destination_.back() == '\\' || destination_.back() == '/'))
        destination_.pop_back();
    if (options_.ntflag == 0 && !ensureDestination()) {
        report(destination_, "the destination folder cannot be created");
        return destination_.empty() ? ZipCode::kBadOptions : ZipCode::kWriteFailed;
    }
    std::vector<ZipEntry>& entries = directory.entries;
    std::vector<std::string> headerProblems;
    for (auto& entry : entries) headerProblems.push_back(ReadLocalHeader(archive, entry, directory.start));
    const std::vector<bool> overlapping = FindOverlaps(entries);
    std::vector<EntryOutcome> outcomes;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ZipEntry& entry = entries[i];
        if (!wanted(entry)) continue;
        if (callbacks_.ServCallBk && callbacks_.ServCallBk(entry.name.c_str(), entry.name.size()) != 0)
            return ZipCode::kAborted;
        EntryOutcome outcome = refusal(entry);
        if (outcome.code == 0 && !headerProblems[i].empty()) outcome = {ZipCode::kFormat, headerProblems[i]};
        if (outcome.code == 0 && overlapping[i]) outcome = {ZipCode::kFormat, "its data overlap another entry's"};
        if (outcome.code == 0) outcome = extractEntry(archive, entry);
        if (outcome.code != 0) report(entry.name, outcome.problem);
        outcomes.push_back(outcome);
    }
    const bool noneMatched =
        !include_.empty() && std::none_of(includeMatched_.begin(), includeMatched_.end(), [](bool m) { return m; });
    return noneMatched ? static_cast<int>(ZipCode::kNoMatch) : CombinedCode(outcomes);
}

bool ZipRun::ensureDestination() {
    if (destination_.empty()) return false;
    std::vector<std::string> missing;
    std::string path = destination_;
    const auto isDrive = [](const std::string& p) { return p.size() == 2 && p[1] == ':'; };
    while (!path.empty() && !isDrive(path) && files_.kind(path) == PathKind::Missing) {
        missing.push_back(path);
        const std::size_t cut = path.find_last_of("\\/");
        path = cut == std::string::npos || cut == 0 ? std::string() : path.substr(0, cut);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
        if (!files_.createFolder(*it)) return false;
    const PathKind kind = files_.kind(destination_);
    return kind == PathKind::Folder || kind == PathKind::Link;
}
