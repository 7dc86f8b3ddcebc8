#include "files/PluginFileNames.h"

#include <algorithm>

#include "app/Helpers.h"

namespace {
std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The form the file system compares a path in: its long form's short form
// when it exists, letter case folded, a folder ending in its separator.
std::string Comparable(IFileSystem& files, const std::string& path) {
    std::string plain = path;
    while (plain.size() > 3 && plain.back() == '\\') plain.pop_back();
    const std::string shortForm = files.shortPath(plain);
    return LowerCase(shortForm.empty() ? plain : shortForm);
}
}  // namespace

std::string CleanPluginFileName(const std::string& typed) {
    std::string name = typed;
    name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return c == '/' || c == '\\'; }), name.end());
    return Trim(name);
}

std::optional<std::string> RenameProblem(IFileSystem& files, const std::string& folder, const std::string& old,
                                         const std::string& name) {
    if (!EndsWith(name, ".dll")) return "Illegal filename, plugins must end in .dll";
    const bool forbidden = std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || std::string(":*?\"<>|").find(c) != std::string::npos;
    });
    if (forbidden) return "Illegal filename, a filename cannot hold any of the characters : * ? \" < > |";
    const bool caseOnly = LowerCase(name) == LowerCase(old);
    if (!caseOnly && files.anyMatch(QualifyPath(folder) + name))
        return "File already exists, please choose a different filename.";
    return std::nullopt;
}

bool RenamePluginFile(IFileSystem& files, const std::string& folder, const std::string& old,
                      const std::string& name) {
    const std::string from = QualifyPath(folder) + old, to = QualifyPath(folder) + name;
    if (LowerCase(old) != LowerCase(name)) return files.moveFile(from, to);
    const std::string between = to + ".renaming";
    if (!files.moveFile(from, between)) return false;
    if (files.moveFile(between, to)) return true;
    files.moveFile(between, from);
    return false;
}

bool SamePath(IFileSystem& files, const std::string& a, const std::string& b) {
    return Comparable(files, a) == Comparable(files, b);
}

bool HasFiles(IFileSystem& files, const std::string& folder) {
    const auto entries = files.find(QualifyPath(folder) + "*");
    return std::any_of(entries.begin(), entries.end(), [](const FileEntry& entry) { return !entry.isDirectory; });
}
