#include "plugins/ProbeStore.h"

#include "app/Helpers.h"

namespace {
// The first message of the store and of its journal: a format tag, its
// version, and the program folder it belongs to.
constexpr const char* kTag = "Corvane plug-in check";
// Some hundred bytes an entry: room for far more libraries than any folder
// holds, and a bound on what a foreign file can make the program read.
constexpr std::uint64_t kLargestFile = 64 << 20;
constexpr const char* kVersion = "1";

std::string Header(const std::string& programFolder) { return EncodeMessage({kTag, kVersion, programFolder}); }

std::string Key(const std::string& path) { return LowerCase(path); }

std::string DateText(const DateTime& date) {
    return std::to_string(date.year) + "-" + std::to_string(date.month) + "-" + std::to_string(date.day);
}

std::optional<DateTime> DateOf(const std::string& text) {
    const auto first = text.find('-');
    const auto second = text.find('-', first == std::string::npos ? first : first + 1);
    if (second == std::string::npos) return std::nullopt;
    const auto year = ParseNumber(text.substr(0, first));
    const auto month = ParseNumber(text.substr(first + 1, second - first - 1));
    const auto day = ParseNumber(text.substr(second + 1));
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31 || *year > 30827)
        return std::nullopt;
    DateTime date;
    date.year = static_cast<int>(*year);
    date.month = static_cast<int>(*month);
    date.day = static_cast<int>(*day);
    return date;
}

const char* StatusText(ProbeStatus status) {
    switch (status) {
        case ProbeStatus::Answered: return "answered";
        case ProbeStatus::OtherArchitecture: return "foreign";
        default: return "failed";
    }
}

std::optional<ProbeStatus> StatusOf(const std::string& text) {
    if (text == "answered") return ProbeStatus::Answered;
    if (text == "foreign") return ProbeStatus::OtherArchitecture;
    if (text == "failed") return ProbeStatus::Failed;
    return std::nullopt;
}
}  // namespace

std::string FailureDate(IClock& clock, const StoredProbe& entry) {
    return clock.formatDate(entry.failedOn, "MMMM d, yyyy");
}

std::string EncodeStoredProbe(const StoredProbe& entry) {
    Message fields{"entry", entry.file.path, std::to_string(entry.file.size), std::to_string(entry.file.written),
                   StatusText(entry.status), entry.retry ? "1" : "0", entry.reason, DateText(entry.failedOn)};
    for (std::string& field : AnswerFields(entry.answer)) fields.push_back(std::move(field));
    return EncodeMessage(fields);
}

std::optional<StoredProbe> DecodeStoredProbe(const Message& message) {
    if (message.size() != 11 || message[0] != "entry" || message[1].empty()) return std::nullopt;
    const auto size = ParseNumber(message[2]);
    const auto written = ParseNumber(message[3]);
    const auto status = StatusOf(message[4]);
    const auto failedOn = DateOf(message[7]);
    const auto answer = AnswerOf(message, 8);
    if (!size || !written || !status || (message[5] != "0" && message[5] != "1") || !failedOn || !answer)
        return std::nullopt;
    // A failure always has its reason.
    if (*status == ProbeStatus::Failed && message[6].empty()) return std::nullopt;
    StoredProbe entry;
    entry.file = FileIdentity{message[1], *size, *written};
    entry.status = *status;
    entry.retry = message[5] == "1";
    entry.reason = message[6];
    entry.failedOn = *failedOn;
    entry.answer = *answer;
    return entry;
}

ProbeStore::ProbeStore(IFileSystem& files, const std::string& programFolder)
    : files_(files), programFolder_(QualifyPath(programFolder)), path_(programFolder_ + kFileName),
      journalPath_(programFolder_ + kJournalName) {}

bool ProbeStore::load() {
    if (loaded_) return true;
    loaded_ = true;
    const bool taken = !files_.anyMatch(path_) || readFile(path_, false);
    // What a run that ended early left in its journal joins the store now,
    // before a new journal replaces it.
    if (files_.anyMatch(journalPath_)) {
        readFile(journalPath_, true);
        if (!readOnly_) save();
    }
    return taken;
}

bool ProbeStore::readFile(const std::string& path, bool journal) {
    const auto bytes = files_.readFile(path, kLargestFile);
    if (!bytes) return false;
    MessageReader reader;
    reader.append(*bytes);
    const auto header = reader.next();
    if (!header || EncodeMessage(*header) != Header(programFolder_)) return false;
    std::map<std::string, StoredProbe> read;
    while (const auto message = reader.next()) {
        if (!journal && message->size() == 2 && (*message)[0] == "end") {
            // The store counts its entries at its end: a cut file is damaged.
            if (ParseNumber((*message)[1]) != read.size() || !reader.empty()) return false;
            entries_ = std::move(read);
            return true;
        }
        const auto entry = DecodeStoredProbe(*message);
        if (!entry) break;
        read[Key(entry->file.path)] = *entry;
    }
    // A journal keeps its whole records, up to any damage; a store without
    // its end is damaged.
    if (!journal) return false;
    for (auto& [key, entry] : read) entries_[key] = std::move(entry);
    return true;
}

const StoredProbe* ProbeStore::findPath(const std::string& path) const {
    const auto found = entries_.find(Key(path));
    return found == entries_.end() ? nullptr : &found->second;
}

const StoredProbe* ProbeStore::find(const FileIdentity& file) const {
    const StoredProbe* entry = findPath(file.path);
    if (!entry || entry->file.size != file.size || entry->file.written != file.written) return nullptr;
    return entry;
}

void ProbeStore::record(StoredProbe entry) {
    append(entry);
    entries_[Key(entry.file.path)] = std::move(entry);
}

void ProbeStore::retry(const std::string& path) {
    const auto found = entries_.find(Key(path));
    if (found == entries_.end()) return;
    found->second.retry = true;
    append(found->second);
}

// Each result reaches the journal as it arrives: a Corvane that ends
// mid-scan loses none.
void ProbeStore::append(const StoredProbe& entry) {
    if (readOnly_) return;
    std::string bytes;
    if (!journalStarted_) {
        files_.deleteFile(journalPath_);
        bytes = Header(programFolder_);
        journalStarted_ = true;
    }
    files_.appendToFile(journalPath_, bytes + EncodeStoredProbe(entry));
}

std::vector<StoredProbe> ProbeStore::quarantined() const {
    std::vector<StoredProbe> result;
    for (const auto& [key, entry] : entries_)
        if (entry.quarantined()) result.push_back(entry);
    return result;
}

void ProbeStore::save() {
    if (readOnly_) return;
    std::string bytes = Header(programFolder_);
    for (const auto& [key, entry] : entries_) bytes += EncodeStoredProbe(entry);
    bytes += EncodeMessage({"end", std::to_string(entries_.size())});
    const std::string temporary = path_ + ".tmp";
    files_.deleteFile(temporary);
    if (!files_.appendToFile(temporary, bytes) || !files_.replaceFile(temporary, path_)) return;
    files_.deleteFile(journalPath_);
    journalStarted_ = false;
}
