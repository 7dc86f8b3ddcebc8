#include "profiles/N64RegistryPaths.h"

#include "app/Helpers.h"
#include "app/SettingsFile.h"

namespace {
const char* const kSection = "N64Plugins";
const char* const kMissing = "empty";

std::string ReadText(IIniFile& ini, const std::string& file, const std::string& key) {
    return ReadIniText(ini, file, kSection, key, kMissing);
}
}  // namespace

std::string N64PathsFile(const std::string& programFolder) { return QualifyPath(programFolder) + "n64paths.dat"; }

std::vector<N64RegistryPath> LoadN64Paths(IIniFile& ini, const std::string& file) {
    std::vector<N64RegistryPath> paths;
    for (int i = 1;; ++i) {
        const std::string number = std::to_string(i);
        N64RegistryPath entry{ReadText(ini, file, number + "Name"), ReadText(ini, file, number + "Path")};
        if (entry.name == kMissing) break;
        paths.push_back(entry);
    }
    return paths;
}

bool StoreN64Paths(IIniFile& ini, IFileSystem& files, const std::string& file,
                   const std::vector<N64RegistryPath>& paths) {
    if (paths.empty()) return !files.anyMatch(file) || files.deleteFile(file);
    IniSection section{kSection, {}};
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        section.entries.push_back({number + "Name", paths[i].name});
        section.entries.push_back({number + "Path", paths[i].path});
    }
    return WriteWholeIniFile(ini, files, file, {section});
}

bool IsUnusableN64Text(const std::string& text) { return text.empty() || text == kMissing; }
