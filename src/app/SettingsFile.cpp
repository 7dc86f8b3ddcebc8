#include "app/SettingsFile.h"

bool WriteWholeIniFile(IIniFile& ini, IFileSystem& files, const std::string& path,
                       const std::vector<IniSection>& sections) {
    const std::string fresh = path + ".new";
    // A leftover from an interrupted write is stale by now.
    if (files.anyMatch(fresh) && !files.deleteFile(fresh)) return false;
    for (const auto& section : sections)
        for (const auto& entry : section.entries)
            if (!ini.writeString(fresh, section.name, entry.key, entry.value)) return false;
    return ini.flush(fresh) && files.replaceFile(fresh, path);
}
