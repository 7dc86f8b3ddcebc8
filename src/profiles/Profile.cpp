#include "profiles/Profile.h"

#include <algorithm>

#include "app/Helpers.h"

namespace {
bool Has(const std::vector<ProfileContent>& chosen, ProfileContent content) {
    return std::find(chosen.begin(), chosen.end(), content) != chosen.end();
}

const char* const kRoot = "HKEY_CURRENT_USER\\";
const char* const kPsxPluginsKey = "Software\\Vision Thing\\PSEmu Pro";
}  // namespace

const char* CaptionOf(ProfileContent content) {
    if (const std::optional<EmulatorKind> emulator = EmulatorOf(content)) return TypeOf(*emulator).name;
    return content == ProfileContent::PSXPlugins ? "PSX Plugins" : "N64 Plugins";
}

std::vector<Snapshot> PlanSnapshots(const std::vector<ProfileContent>& chosen,
                                    const std::vector<N64RegistryPath>& n64Paths, const N64VersionKeys& keys) {
    std::vector<Snapshot> plan;
    if (Has(chosen, ProfileContent::PSXPlugins))
        plan.push_back({"psxpluginsreg.merge", std::string(kRoot) + kPsxPluginsKey});
    if (Has(chosen, ProfileContent::N64Plugins))
        for (std::size_t i = 0; i < n64Paths.size(); ++i)
            plan.push_back({"n64pluginsreg" + std::to_string(i + 1) + ".merge", n64Paths[i].path});
    // Each emulator's own key; an N64 emulator's only when its version was found.
    const std::pair<ProfileContent, const char*> emulators[] = {
        {ProfileContent::ePSXe, "epsxereg.merge"},     {ProfileContent::PCSX, "pcsxreg.merge"},
        {ProfileContent::PSXeven, "psxevenreg.merge"}, {ProfileContent::Project64, "poj64reg.merge"},
        {ProfileContent::Emu1964, "emu1964reg.merge"}};
    for (const auto& [content, snapshot] : emulators) {
        const std::string key = RegistryKeyOf(TypeOf(*EmulatorOf(content)), keys);
        if (Has(chosen, content) && !key.empty()) plan.push_back({snapshot, kRoot + key});
    }
    return plan;
}

ProfileKeys AllowedProfileKeys(const std::vector<N64RegistryPath>& n64Paths) {
    std::vector<std::string> keys{std::string(kRoot) + kPsxPluginsKey};
    for (const EmulatorType& type : EmulatorTypes()) {
        if (type.registryKey) keys.push_back(kRoot + std::string(type.registryKey));
        if (type.versionSearch)
            for (const char* version : type.versionSearch->versions)
                keys.push_back(kRoot + std::string(type.versionSearch->prefix) + version + type.versionSearch->suffix);
    }
    // A path of the list opens its key to every profile: a root or a key
    // right below one ("HKEY_CURRENT_USER\\Software") would open nearly all
    // of the registry, so a path counts from two levels below its root.
    for (const N64RegistryPath& path : n64Paths) {
        const std::string key = ProfileKeys::Canonical(path.path);
        if (std::count(key.begin(), key.end(), '\\') >= 2) keys.push_back(path.path);
    }
    return ProfileKeys(keys);
}

int ConfigSystemOf(const std::vector<ProfileContent>& chosen, const N64VersionKeys& keys) {
    bool psx = Has(chosen, ProfileContent::PSXPlugins), n64 = Has(chosen, ProfileContent::N64Plugins);
    for (ProfileContent content : chosen) {
        const std::optional<EmulatorKind> emulator = EmulatorOf(content);
        if (!emulator) continue;
        const EmulatorType& type = TypeOf(*emulator);
        // An N64 emulator whose version was not found puts nothing in.
        if (RegistryKeyOf(type, keys).empty()) continue;
        (type.system == EmuSystem::PSX ? psx : n64) = true;
    }
    return psx && n64 ? 8 : psx ? 6 : n64 ? 7 : 0;
}

std::optional<EmulatorKind> EmulatorOf(ProfileContent content) {
    switch (content) {
        case ProfileContent::ePSXe: return EmulatorKind::ePSXe;
        case ProfileContent::PCSX: return EmulatorKind::PCSX;
        case ProfileContent::PSXeven: return EmulatorKind::PSXeven;
        case ProfileContent::Project64: return EmulatorKind::Project64;
        case ProfileContent::Emu1964: return EmulatorKind::Emu1964;
        case ProfileContent::PSXPlugins:
        case ProfileContent::N64Plugins: break;
    }
    return std::nullopt;
}

std::string EncodeComments(const std::string& text) {
    std::string encoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            encoded += "$CRLF$";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            encoded += text[i];
        }
    }
    return encoded;
}

std::string DecodeComments(const std::string& text) {
    std::string decoded = text;
    for (auto at = decoded.find("$CRLF$"); at != std::string::npos; at = decoded.find("$CRLF$", at + 2))
        decoded.replace(at, 6, "\r\n");
    return decoded;
}

std::string BindingKey(BindMethod method, const std::string& name, const std::string& gameId,
                       const std::string& fileName) {
    switch (method) {
        case BindMethod::None: return name;
        case BindMethod::PSXDisc: return gameId;
        case BindMethod::PSXISO:
        case BindMethod::N64ROM: return fileName.substr(0, fileName.rfind('.'));
    }
    return name;
}

bool IsPlainFileName(const std::string& key) {
    if (key.empty() || key == "." || key == "..") return false;
    return std::none_of(key.begin(), key.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || std::string("\\/:*?\"<>|").find(c) != std::string::npos;
    });
}

std::string ProfileFolder(const std::string& programFolder) { return QualifyPath(programFolder) + "Configurations\\"; }
