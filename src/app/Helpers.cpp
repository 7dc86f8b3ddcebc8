#include "app/Helpers.h"

#include <algorithm>

std::string QualifyPath(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path;
    return path + "\\";
}

std::string ParseFileName(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ParsePath(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool FileExists(IFileSystem& files, const std::string& path) { return files.anyMatch(path); }

void RemoveFolderTree(IFileSystem& files, const std::string& folder) {
    files.shellFileOperation(ShellOperation::Delete, folder.substr(0, folder.size() - 1), "",
                             ShellFlags::kSilent | ShellFlags::kNoConfirmation | ShellFlags::kNoErrorUi, "", 0);
}

std::string BrowseForFolder(IWindowServices& windows, WindowHandle owner, const std::string& title) {
    const auto chosen = windows.browseForFolder(owner, title);
    if (!chosen) return "\\";
    return QualifyPath(chosen->substr(0, chosen->find('\0')));
}

namespace {
constexpr std::uint64_t kTicksPerSecond = 10000000;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }
}  // namespace

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<DateTime> FileTimeToDate(FileTime time) {
    // The system refuses times with the top bit set.
    if (time > 0x7FFFFFFFFFFFFFFFull) return std::nullopt;
    DateTime result;
    result.millisecond = static_cast<int>(time / 10000 % 1000);
    std::uint64_t seconds = time / kTicksPerSecond;
    result.second = static_cast<int>(seconds % 60);
    result.minute = static_cast<int>(seconds / 60 % 60);
    result.hour = static_cast<int>(seconds / 3600 % 24);
    std::uint64_t days = seconds / 86400;
    while (days >= static_cast<std::uint64_t>(IsLeapYear(result.year) ? 366 : 365)) {
        days -= IsLeapYear(result.year) ? 366 : 365;
        ++result.year;
    }
    while (days >= static_cast<std::uint64_t>(DaysInMonth(result.year, result.month))) {
        days -= DaysInMonth(result.year, result.month);
        ++result.month;
    }
    result.day = static_cast<int>(days) + 1;
    return result;
}

std::string FormatFileDate(IClock& clock, FileTime time) {
    const auto date = FileTimeToDate(time);
    return date ? clock.formatDate(*date, "MMMM d, yyyy") : std::string();
}

std::string FormatVersionLong(std::uint32_t value) {
    return std::to_string(value >> 16 & 0xFF) + "." + std::to_string(value >> 8 & 0xFF) + "." +
           std::to_string(value & 0xFF);
}

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

bool IsExcludedDll(std::string& fileName, const std::vector<std::string>& exclusions) {
    fileName.erase(std::remove(fileName.begin(), fileName.end(), '\0'), fileName.end());
    const std::string lowered = LowerCase(fileName);
    return std::any_of(exclusions.begin(), exclusions.end(),
                       [&](const std::string& name) { return LowerCase(name) == lowered; });
}

std::string CentralFolder(const std::string& programFolder, EmuSystem system) {
    return QualifyPath(programFolder) + CentralFolderName(system);
}

std::vector<std::string> TextLines(const std::string& text) {
    // Split by hand: a string stream would set up the C++ locale machinery,
    // hundreds of kilobytes of every start's memory, for a few lines.
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

long WholeNumber(const std::string& text) {
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || value > 100000000) break;
        value = value * 10 + (c - '0');
    }
    return value;
}
