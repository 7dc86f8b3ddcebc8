#include "profiles/ProfileFiles.h"

#include <map>
#include <utility>

#include "app/Helpers.h"
#include "app/SettingsFile.h"
#include "app/Utf16.h"

namespace {
const char* const kSection = "Corvane";
const char* const kHeader = "Windows Registry Editor Version 5.00";
const char* const kImportFile = "regimport.tmp";
const char* const kSnapshotNames[] = {"psxpluginsreg.merge", "epsxereg.merge",   "pcsxreg.merge",
                                      "psxevenreg.merge",    "poj64reg.merge",   "emu1964reg.merge"};
const char* const kUserRoot = "HKEY_CURRENT_USER";

// A whole file of at most kMaxFileBytes into `bytes`; otherwise why not:
// "" when it is missing or cannot be read.
std::optional<std::string> ReadWhole(IFileSystem& files, const std::string& path, std::string& bytes) {
    const std::vector<FileEntry> found = files.find(path);
    if (found.size() != 1 || found[0].isDirectory) return std::string();
    const std::string tooLarge = "it is larger than " + std::to_string(ProfileFiles::kMaxFileBytes >> 20) + " MiB";
    if (found[0].size > ProfileFiles::kMaxFileBytes) return tooLarge;
    // Nothing when it cannot be read or has grown past the limit meanwhile.
    auto read = files.readFile(path, ProfileFiles::kMaxFileBytes);
    if (!read) return std::string();
    bytes = std::move(*read);
    return std::nullopt;
}

// A profile read whole and sorted.
ProfileProblem ReadProfile(IFileSystem& files, const std::string& path, const ProfileKeys& allowed,
                           ProfileContents& contents) {
    std::string bytes;
    if (const auto why = ReadWhole(files, path, bytes))
        return why->empty() ? "The configuration profile " + path + " could not be read."
                            : "The configuration profile " + path + " is damaged: " + *why + ".";
    if (const auto why = SortProfile(bytes, allowed, contents))
        return "The configuration profile " + path + " is damaged: " + *why + ".";
    return std::nullopt;
}
}  // namespace

void ProfileFiles::RemoveSnapshots() {
    for (const char* name : kSnapshotNames)
        if (files_.anyMatch(tempFolder_ + name)) files_.deleteFile(tempFolder_ + name);
    for (const auto& entry : files_.find(tempFolder_ + "n64pluginsreg*.merge"))
        if (!entry.isDirectory) files_.deleteFile(tempFolder_ + entry.name);
}

ProfileProblem ProfileFiles::Export(const std::vector<Snapshot>& plan, std::vector<Snapshot>& made) {
    for (const Snapshot& snapshot : plan) {
        // A key of the user's hive that is not there takes no part; keys of
        // other roots cannot be looked at first, so their failure counts as
        // the key being missing.
        const std::string userRoot = std::string(kUserRoot) + "\\";
        const bool userKey = snapshot.key.rfind(userRoot, 0) == 0;
        if (userKey && !registry_.keyExists(snapshot.key.substr(userRoot.size()))) continue;
        const std::string file = tempFolder_ + snapshot.fileName;
        if (reg_.Export(snapshot.key, file) && files_.anyMatch(file))
            made.push_back(snapshot);
        else if (userKey)
            return "The registry key " + snapshot.key + " could not be exported.";
    }
    return std::nullopt;
}

std::optional<std::string> ProfileFiles::snapshotLines(const Snapshot& snapshot) {
    std::string bytes, text;
    ProfileEncoding encoding = ProfileEncoding::Utf16;
    if (ReadWhole(files_, tempFolder_ + snapshot.fileName, bytes) || DecodeRegText(bytes, encoding, text))
        return std::nullopt;
    // The profile has a header of its own.
    std::string lines;
    for (const std::string& line : RegTextLines(text))
        if (!IsRegHeader(line)) lines += line + "\r\n";
    return lines;
}

ProfileProblem ProfileFiles::Join(const std::vector<Snapshot>& made, const ProfileSection& section,
                                  const std::string& path) {
    std::string text = std::string(kHeader) + "\r\n";
    for (const Snapshot& snapshot : made) {
        const auto lines = snapshotLines(snapshot);
        if (!lines) return "The registry snapshot " + tempFolder_ + snapshot.fileName + " could not be read.";
        text += *lines;
    }
    const std::string fresh = path + ".new";
    const std::string problem = "The configuration profile " + path + " could not be written.";
    if (files_.anyMatch(fresh) && !files_.deleteFile(fresh)) return problem;
    const bool written = files_.appendToFile(fresh, kUtf16Mark + Utf8ToUtf16(text)) &&
                         ini_.writeString(fresh, kSection, "ConfigSpec", "1") &&
                         ini_.writeString(fresh, kSection, "ConfigName", section.name) &&
                         ini_.writeString(fresh, kSection, "ConfigSystem", std::to_string(section.system)) &&
                         ini_.writeString(fresh, kSection, "ConfigComments", EncodeComments(section.comments)) &&
                         ini_.flush(fresh) && files_.replaceFile(fresh, path);
    if (written) return std::nullopt;
    if (files_.anyMatch(fresh)) files_.deleteFile(fresh);
    return problem;
}

ProfileProblem ProfileFiles::Import(const std::string& path, const ProfileKeys& allowed,
                                    std::vector<std::string>& leftOut) {
    ProfileContents contents;
    if (ProfileProblem problem = ReadProfile(files_, path, allowed, contents)) return problem;
    leftOut = contents.leftOut;
    const std::string copy = tempFolder_ + kImportFile;
    const std::string problem = "The configuration profile " + path + " could not be imported into the registry.";
    // The registry tool must get this profile, never a copy left by an
    // earlier load.
    if (files_.anyMatch(copy) && !files_.deleteFile(copy)) return problem;
    if (!files_.appendToFile(copy, ImportCopy(contents))) return problem;
    return reg_.Import(copy) ? std::nullopt : ProfileProblem(problem);
}

ProfileProblem ProfileFiles::Preview(IFileSystem& files, IRegistry& registry, const std::string& path,
                                     const ProfileKeys& allowed, ProfilePreview& preview) {
    ProfileContents contents;
    if (ProfileProblem problem = ReadProfile(files, path, allowed, contents)) return problem;
    preview.leftOut = contents.leftOut;
    // A value set twice ends with the data set last.
    std::map<std::pair<std::string, std::string>, RegistryValue> last;
    for (const ProfileValue& value : contents.values)
        last[{ProfileKeys::Canonical(value.key), LowerCase(value.name)}] = value.data;
    for (const ProfileValue& value : contents.values) {
        const auto found = last.find({ProfileKeys::Canonical(value.key), LowerCase(value.name)});
        if (found == last.end()) continue;  // shown already
        ValueChange change{value.key, value.name, std::nullopt, true, found->second};
        last.erase(found);
        const std::string canonical = ProfileKeys::Canonical(value.key), user = LowerCase(kUserRoot);
        if (canonical.rfind(user + "\\", 0) == 0) {
            std::string subkey = value.key.substr(value.key.find('\\') + 1);
            while (!subkey.empty() && subkey.back() == '\\') subkey.pop_back();
            change.current = registry.queryValue(subkey, value.name);
            if (change.current && SameData(*change.current, change.profile)) continue;
        } else {
            change.currentKnown = false;
        }
        preview.changes.push_back(change);
    }
    return std::nullopt;
}

ProfileSection ProfileFiles::ReadSection(IIniFile& ini, const std::string& path) {
    const auto text = [&](const char* key, const char* fallback) { return ReadIniText(ini, path, kSection, key, fallback); };
    return ProfileSection{text("ConfigName", "Not Available"), ini.readInt(path, kSection, "ConfigSystem", 6),
                          DecodeComments(text("ConfigComments", ""))};
}
