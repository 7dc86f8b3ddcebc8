#include "doubles/FakeIniFile.h"

#include <cstdlib>
#include <optional>
#include <sstream>
#include <vector>

#include "app/Helpers.h"
#include "app/Utf16.h"

namespace {
std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<std::string> SectionName(const std::string& line) {
    const std::string trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[') return std::nullopt;
    const auto close = trimmed.find(']');
    return Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

bool IsKeyLine(const std::string& line, const std::string& key) {
    const auto equals = line.find('=');
    return equals != std::string::npos && LowerCase(Trim(line.substr(0, equals))) == LowerCase(key);
}

// Index of the section's header line, or -1.
int FindSection(const std::vector<std::string>& lines, const std::string& section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i]);
        if (name && LowerCase(*name) == LowerCase(section)) return static_cast<int>(i);
    }
    return -1;
}

// Index one past the section's last line that is not blank.
std::size_t SectionEnd(const std::vector<std::string>& lines, std::size_t header) {
    std::size_t end = header + 1;
    for (std::size_t i = header + 1; i < lines.size() && !SectionName(lines[i]); ++i)
        if (!Trim(lines[i]).empty()) end = i + 1;
    return end;
}

std::string Unquote(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}
}  // namespace

std::string FakeIniFile::readString(const std::string& file, const std::string& section, const std::string& key,
                                    const std::string& defaultValue) {
    const auto lines = TextLines(TextOfFile(files_.contents(file)));
    const int header = FindSection(lines, section);
    if (header >= 0) {
        for (std::size_t i = header + 1; i < lines.size() && !SectionName(lines[i]); ++i) {
            if (!IsKeyLine(lines[i], key)) continue;
            const std::string value = Unquote(Trim(lines[i].substr(lines[i].find('=') + 1)));
            return value;
        }
    }
    return defaultValue;
}

int FakeIniFile::readInt(const std::string& file, const std::string& section, const std::string& key,
                         int defaultValue) {
    const std::string text = readString(file, section, key, "");
    if (text.empty()) return defaultValue;
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

bool FakeIniFile::writeString(const std::string& file, const std::string& section, const std::string& key,
                              const std::string& value) {
    // A file that starts with the UTF-16 mark is read and written as
    // UTF-16; any other is 8-bit text.
    const std::string before = files_.contents(file);
    const bool wide = before.rfind(kUtf16Mark, 0) == 0;
    auto lines = TextLines(TextOfFile(before));
    const std::string entry = key + "=" + value;
    int header = FindSection(lines, section);
    if (header < 0) {
        lines.push_back("[" + section + "]");
        header = static_cast<int>(lines.size()) - 1;
    }
    const std::size_t end = SectionEnd(lines, header);
    std::size_t at = header + 1;
    while (at < end && !IsKeyLine(lines[at], key)) ++at;
    if (at < end)
        lines[at] = entry;
    else
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end), entry);

    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    if (files_.exists(file) && !files_.deleteFile(file)) return false;
    return files_.appendToFile(file, wide ? kUtf16Mark + Utf8ToUtf16(text) : text);
}
