#include "files/clsUnzip.h"

#include <algorithm>
#include <stdexcept>

#include "files/ZipCodes.h"
#include "files/modUnzip.h"

clsUnzip::clsUnzip(IExtractionFiles& files) : files_(files) {}

void clsUnzip::ZipFile(const std::string& path) {
    zipFile_ = path;
    entries_.clear();
}

const clsUnzip::Entry& clsUnzip::at(int index) const {
    if (index < 1 || index > FileCount()) throw std::out_of_range("no entry " + std::to_string(index));
    return entries_[static_cast<std::size_t>(index - 1)];
}

clsUnzip::Entry& clsUnzip::at(int index) {
    return const_cast<Entry&>(static_cast<const clsUnzip&>(*this).at(index));
}

void clsUnzip::Directory() {
    std::string archive = zipFile_, folder(1, '\0');
    options_.lpszZipFN = archive.data();
    options_.lpszExtractDir = folder.data();
    options_.nvflag = 1;
    returnCode_ = RunUnzip(*this, files_, options_, {}, {});
    options_.lpszZipFN = options_.lpszExtractDir = nullptr;
}

std::vector<std::string> clsUnzip::selectedPaths() const {
    std::vector<std::string> paths;
    for (const auto& entry : entries_) {
        if (!entry.selected) continue;
        std::string path = entry.folder.empty() ? entry.name : entry.folder + "/" + entry.name;
        std::replace(path.begin(), path.end(), '\\', '/');
        paths.push_back(path);
    }
    if (paths.size() == entries_.size()) paths.clear();  // every entry
    return paths;
}

bool clsUnzip::Unzip() {
    if (zipFile_.empty()) {
        returnCode_ = ZipCode::kBadOptions;
        return false;
    }
    const std::vector<std::string> include = selectedPaths();
    if (!entries_.empty() && include.empty() &&
        std::none_of(entries_.begin(), entries_.end(), [](const Entry& e) { return e.selected; })) {
        returnCode_ = ZipCode::kOk;  // nothing asked for, nothing done
        return true;
    }
    std::string archive = zipFile_, folder = unzipFolder_;
    options_.lpszZipFN = archive.data();
    options_.lpszExtractDir = folder.data();
    options_.nvflag = 0;
    returnCode_ = RunUnzip(*this, files_, options_, include, {});
    options_.lpszZipFN = options_.lpszExtractDir = nullptr;
    return returnCode_ == ZipCode::kOk;
}

void clsUnzip::RaiseProgress(std::int32_t count, const std::string& message) {
    if (Progress) Progress(count, message);
}

void clsUnzip::RaiseOverwritePrompt(const std::string& file, std::int32_t& response) {
    if (OverwritePrompt) OverwritePrompt(file, response);
}

void clsUnzip::RaisePasswordRequest(std::string& password, bool& cancel) {
    if (PasswordRequest) PasswordRequest(password, cancel);
}

void clsUnzip::RaiseCancel(const std::string& message, bool& cancel) {
    if (Cancel) Cancel(message, cancel);
}
