#include "profiles/ProfileFiles.h"

#include "app/Helpers.h"
#include "app/SettingsFile.h"
#include "app/Utf16.h"

namespace {
const char* const kSection = "Corvane";
const char* const kHeader = "Windows Registry Editor Version 5.00";
const char* const kImportFile = "regimport.tmp";
// Far above any profile of plug-in settings; a bigger file is not one.
constexpr std::uint64_t kLargestProfile = 16 << 20;
const char* const kSnapshotNames[] = {"psxpluginsreg.merge", "epsxereg.merge",   "pcsxreg.merge",
                                      "psxevenreg.merge",    "poj64reg.merge",   "emu1964reg.merge"};
const char* const kUserRoot = "HKEY_CURRENT_USER\\";

bool IsHeader(const std::string& line) { return line == kHeader || line == "REGEDIT4"; }

// The text of a .reg file or profile: UTF-16 after its mark, else 8-bit.
// Marks inside it and end-of-file characters (left by joins of older
// versions) are no part of it.
std::string DecodedText(const std::string& bytes, bool& wide) {
    wide = bytes.rfind(kUtf16Mark, 0) == 0;
    std::string text = wide ? Utf16ToUtf8(bytes.substr(2)) : bytes;
    for (const std::string& unwanted : {std::string("\xEF\xBB\xBF"), std::string("\x1A")})
        for (auto at = text.find(unwanted); at != std::string::npos; at = text.find(unwanted, at))
            text.erase(at, unwanted.size());
    return text;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

// Everything of a profile the registry tool should see: one header, the
// keys and values, no section Corvane.
std::vector<std::string> RegistryLines(const std::string& text) {
    std::vector<std::string> kept{kHeader};
    bool inSection = false;
    for (const auto& line : TextLines(text)) {
        if (IsHeader(line)) continue;
        if (!line.empty() && line.front() == '[') inSection = line == std::string("[") + kSection + "]";
        if (!inSection) kept.push_back(line);
    }
    return kept;
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
        const bool userKey = snapshot.key.rfind(kUserRoot, 0) == 0;
        if (userKey && !registry_.keyExists(snapshot.key.substr(std::string(kUserRoot).size()))) continue;
        const std::string file = tempFolder_ + snapshot.fileName;
        if (reg_.Export(snapshot.key, file) && files_.anyMatch(file))
            made.push_back(snapshot);
        else if (userKey)
            return "The registry key " + snapshot.key + " could not be exported.";
    }
    return std::nullopt;
}

std::optional<std::string> ProfileFiles::snapshotLines(const Snapshot& snapshot) {
    const auto bytes = files_.readFile(tempFolder_ + snapshot.fileName, kLargestProfile);
    if (!bytes) return std::nullopt;
    bool wide = false;
    std::vector<std::string> lines = RegistryLines(DecodedText(*bytes, wide));
    lines.erase(lines.begin());  // the header: the profile has its own
    return Joined(lines);
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

ProfileProblem ProfileFiles::Import(const std::string& path) {
    const std::string copy = tempFolder_ + kImportFile;
    const std::string problem = "The configuration profile " + path + " could not be imported into the registry.";
    // The registry tool must get this profile, never a copy left by an
    // earlier load.
    if (files_.anyMatch(copy) && !files_.deleteFile(copy)) return problem;
    const auto bytes = files_.readFile(path, kLargestProfile);
    if (!bytes) return problem;
    bool wide = false;
    const std::string text = Joined(RegistryLines(DecodedText(*bytes, wide)));
    if (!files_.appendToFile(copy, wide ? kUtf16Mark + Utf8ToUtf16(text) : text)) return problem;
    return reg_.Import(copy) ? std::nullopt : ProfileProblem(problem);
}

ProfileSection ProfileFiles::ReadSection(IIniFile& ini, const std::string& path) {
    const auto text = [&](const char* key, const char* fallback) { return ReadIniText(ini, path, kSection, key, fallback); };
    return ProfileSection{text("ConfigName", "Not Available"), ini.readInt(path, kSection, "ConfigSystem", 6),
                          DecodeComments(text("ConfigComments", ""))};
}
