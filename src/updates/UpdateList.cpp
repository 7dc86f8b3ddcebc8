#include "updates/UpdateList.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "app/Helpers.h"

namespace {
const char* const kMonths[] = {"january", "february", "march",     "april",   "may",      "june",
                               "july",    "august",   "september", "october", "november", "december"};

bool IsDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool ValidDate(int year, int month, int day) {
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return year >= 1601 && month >= 1 && month <= 12 && day >= 1 && day <= kDays[month - 1] &&
           !(month == 2 && day == 29 && !(year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)));
}

std::optional<DayNumber> Day(const std::string& year, const std::string& month, const std::string& day) {
    if (!IsDigits(year) || !IsDigits(month) || !IsDigits(day) || year.size() != 4 || month.size() > 2 ||
        day.size() > 2)
        return std::nullopt;
    const int y = std::stoi(year), m = std::stoi(month), d = std::stoi(day);
    if (!ValidDate(y, m, d)) return std::nullopt;
    return DayOf(y, m, d);
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

// A record as the comma-delimited reader gave it, less the comma rule:
// leading blanks skipped, enclosing quotes removed.
std::string RecordText(std::string line) {
    line.erase(0, std::min(line.find_first_not_of(' '), line.size()));
    if (line.size() >= 2 && line.front() == '"') {
        const auto close = line.find('"', 1);
        if (close != std::string::npos) line = line.substr(1, close - 1);
    }
    return line;
}

const char* const kWarning = "<b>Warning</b>:";
const std::string kDigestPrefix = "sha256:";

// A list's lines, whichever line ends its server writes.
std::vector<std::string> ListLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find_first_of("\r\n", start)) != std::string::npos;) {
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// The sixth field: "" when there is none or it is no digest field, the
// digest in lower case, nothing when it is one but not 64 hex digits.
std::optional<std::string> DigestField(const std::vector<std::string>& fields) {
    if (fields.size() < 6 || fields[5].compare(0, kDigestPrefix.size(), kDigestPrefix) != 0) return std::string();
    const std::string digest = LowerCase(fields[5].substr(kDigestPrefix.size()));
    const bool hex = digest.size() == 64 && digest.find_first_not_of("0123456789abcdef") == std::string::npos;
    return hex ? std::optional<std::string>(digest) : std::nullopt;
}
}  // namespace

DayNumber DayOf(int year, int month, int day) {
    // Days from 1 January 1601 (a proleptic Gregorian count).
    const int y = month <= 2 ? year - 1 : year;
    const int era = y / 400, yearOfEra = y % 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<DayNumber>(era) * 146097 + dayOfEra - 584694;
}

DayNumber DayOf(FileTime time) { return static_cast<DayNumber>(time / (10000000ull * 86400)); }

std::optional<DayNumber> ParseListDate(const std::string& raw) {
    const std::string text = RecordText(raw);
    const auto dashes = Split(text, '-');
    if (dashes.size() == 3) return Day(dashes[0], dashes[1], dashes[2]);
    const auto slashes = Split(text, '/');
    if (slashes.size() == 3) return Day(slashes[2], slashes[0], slashes[1]);
    // "June 18, 2003"
    const auto words = Split(text, ' ');
    if (words.size() != 3 || words[1].empty() || words[1].back() != ',') return std::nullopt;
    for (int month = 0; month < 12; ++month)
        if (LowerCase(words[0]) == kMonths[month])
            return Day(words[2], std::to_string(month + 1), words[1].substr(0, words[1].size() - 1));
    return std::nullopt;
}

std::optional<float> ParsePsxVersion(const std::string& raw) {
    std::string text = LowerCase(raw == "n/a" ? "0" : raw);
    text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'g'; }), text.end());
    const auto parts = Split(text, '.');
    // More than nine digits before the point is no version a plug-in has
    // (and past what a 32-bit long holds).
    if (parts.size() > 2 || !IsDigits(parts[0]) || parts[0].size() > 9 || (parts.size() == 2 && !IsDigits(parts[1])))
        return std::nullopt;
    float value = static_cast<float>(std::stol(parts[0]));
    if (parts.size() == 2) {
        float scale = 0.1f;
        for (char digit : parts[1]) {
            value += static_cast<float>(digit - '0') * scale;
            scale /= 10;
        }
    }
    return value;
}

std::string VersionText(float version) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", static_cast<double>(version));
    return text;
}

UpdateList ReadUpdateList(const std::string& text, EmuSystem system,
                          const std::function<void(const std::string&)>& skipped) {
    UpdateList list;
    for (const std::string& line : ListLines(text)) {
        const std::string record = RecordText(line);
        if (record.empty()) continue;
        if (record.find(kWarning) != std::string::npos) {
            list.warning = true;
            break;
        }
        const auto fields = Split(record, '\t');
        const auto released = fields.size() >= 5 ? ParseListDate(fields[3]) : std::nullopt;
        const auto version = fields.size() >= 5 ? ParsePsxVersion(fields[2]) : std::nullopt;
        const auto digest = DigestField(fields);
        if (!released || (system == EmuSystem::PSX && !version) || !digest) {
            if (skipped) skipped(line);
            continue;
        }
        list.records.push_back(UpdateRecord{fields[0], fields[1], fields[2], version.value_or(0), *released,
                                            fields[4], *digest, {}, {}});
    }
    return list;
}

std::vector<UpdateRecord> FindCandidates(const PluginCatalogue& installed, const UpdateList& list) {
    std::vector<UpdateRecord> candidates;
    const bool psx = installed.system == EmuSystem::PSX;
    const DayNumber excluded = DayOf(2003, 6, 18);
    // Records by what a row matches them by: the whole file name for PSX,
    // its first seven characters for N64; each list is looked through once.
    const auto keyOf = [psx](const std::string& fileName) { return psx ? fileName : fileName.substr(0, 7); };
    std::unordered_multimap<std::string, const UpdateRecord*> byKey;
    for (const UpdateRecord& record : list.records) byKey.emplace(keyOf(record.fileName), &record);
    for (const auto& rows : installed.lists)
        for (const PluginRecord& row : rows) {
            if (row.core) continue;
            const DayNumber rowDay = DayOf(row.released);
            const auto version = psx ? ParsePsxVersion(row.version) : std::nullopt;
            const auto [first, last] = byKey.equal_range(keyOf(row.fileName));
            std::vector<const UpdateRecord*> matches;
            for (auto it = first; it != last; ++it) matches.push_back(it->second);
            // In the order of the list.
            std::sort(matches.begin(), matches.end());
            for (const UpdateRecord* record : matches) {
                const bool newer = psx ? record->pluginName.find("Tessarin") == std::string::npos && version &&
                                             *version < record->version
                                       : record->released != excluded;
                if (!newer || rowDay >= record->released) continue;
                candidates.push_back(*record);
                candidates.back().installedName = row.name;
                candidates.back().installedFile = row.fileName;
            }
        }
    return candidates;
}
