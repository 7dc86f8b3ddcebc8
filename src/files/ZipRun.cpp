#include "files/ZipRun.h"

#include <algorithm>

#include "files/ZipCodes.h"

ZipRun::ZipRun(IExtractionFiles& files, std::string destination, bool testOnly, const ZipReport& report)
    : files_(files), destination_(std::move(destination)), testOnly_(testOnly), report_(report) {}

void ZipRun::report(const std::string& name, const std::string& problem) {
    if (!report_) return;
    std::string line = (name + ": " + problem).substr(0, 1023);
    // A control character in a name must not break the line.
    const auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; };
    std::replace_if(line.begin(), line.end(), control, '?');
    std::replace(line.begin(), line.end(), '/', '\\');
    report_(line);
}

int ZipRun::run(const std::string& archivePath) {
    if (archivePath.empty()) return ZipCode::kBadOptions;
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
    return extract(directory, *archive);
}

int ZipRun::extract(CentralDirectory& directory, IArchiveSource& archive) {
    while (destination_.size() > 1 && (destination_.back() == '\\' || destination_.back() == '/'))
        destination_.pop_back();
    if (!testOnly_ && !ensureDestination()) {
        report(destination_, "the destination folder cannot be created");
        return destination_.empty() ? ZipCode::kBadOptions : ZipCode::kWriteFailed;
    }
    std::vector<ZipEntry>& entries = directory.entries;
    std::vector<std::string> headerProblems;
    for (auto& entry : entries) headerProblems.push_back(ReadLocalHeader(archive, entry, directory.start));
    const std::vector<bool> overlapping = FindOverlaps(entries);
    int worst = ZipCode::kOk;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EntryOutcome outcome = refusal(entries[i]);
        if (outcome.code == 0 && !headerProblems[i].empty()) outcome = {ZipCode::kFormat, headerProblems[i]};
        if (outcome.code == 0 && overlapping[i]) outcome = {ZipCode::kFormat, "its data overlap another entry's"};
        if (outcome.code == 0) outcome = extractEntry(archive, entries[i]);
        if (outcome.code != 0) report(entries[i].name, outcome.problem);
        worst = std::max(worst, outcome.code);
    }
    return worst;
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
