#pragma once

#include <string>
#include <vector>

#include "app/FileSystem.h"
#include "app/IniFile.h"
#include "app/Utf16.h"

struct IniEntry {
    std::string key, value;
};

struct IniSection {
    std::string name;
    std::vector<IniEntry> entries;
};

// Writes a whole INI file anew, as UTF-16LE text after a byte-order mark:
// the sections and keys in the order given, and nothing else. The new file is written completely beside the old one,
// then replaces it in one step, so a crash or power cut at any moment leaves
// either the old file or the new one, never a part of either.
bool WriteWholeIniFile(IIniFile& ini, IFileSystem& files, const std::string& path,
                       const std::vector<IniSection>& sections);

// A value read as the program reads text from its INI files: through the
// 250-character buffer, NUL characters dropped.
std::string ReadIniText(IIniFile& ini, const std::string& file, const std::string& section, const std::string& key,
                        const std::string& defaultValue);

// "-1" for true and "0" for false, as stored booleans are written.
inline std::string StoredBoolean(bool value) { return value ? "-1" : "0"; }
