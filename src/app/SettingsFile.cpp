#include "app/SettingsFile.h"

#include <algorithm>

bool WriteWholeIniFile(IIniFile& ini, IFileSystem& files, const std::string& path,
                       const std::vector<IniSection>& sections) {
    const std::string fresh = path + ".new";
    // A leftover from an interrupted write is stale by now.
    if (files.anyMatch(fresh) && !files.deleteFile(fresh)) return false;
    // Begun with the UTF-16 byte-order mark, the file is written by the
    // profile API as UTF-16, which keeps every character of names and
    // paths; without it the API would write the ANSI code page.
    if (!files.appendToFile(fresh, kUtf16Mark)) return false;
    for (const auto& section : sections)
        for (const auto& entry : section.entries)
            if (!ini.writeString(fresh, section.name, entry.key, entry.value)) return false;
    return ini.flush(fresh) && files.replaceFile(fresh, path);
}

std::string ReadIniText(IIniFile& ini, const std::string& file, const std::string& section, const std::string& key,
                        const std::string& defaultValue) {
    std::string text = ini.readString(file, section, key, defaultValue);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}
