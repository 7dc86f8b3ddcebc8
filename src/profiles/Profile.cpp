#include "profiles/Profile.h"

#include <algorithm>

#include "app/Helpers.h"

namespace {
bool Has(const std::vector<ProfileContent>& chosen, ProfileContent content) {
    return std::find(chosen.begin(), chosen.end(), content) != chosen.end();
}

const char* const kRoot = "HKEY_CURRENT_USER\\";
}  // namespace

const char* CaptionOf(ProfileContent content) {
    switch (content) {
        case ProfileContent::PSXPlugins: return "PSX Plugins";
        case ProfileContent::N64Plugins: return "N64 Plugins";
        case ProfileContent::ePSXe: return "ePSXe";
        case ProfileContent::PCSX: return "PCSX";
        case ProfileContent::PSXeven: return "PSXeven";
        case ProfileContent::Project64: return "Project 64";
        case ProfileContent::Emu1964: return "1964";
    }
    return "";
}

std::vector<Snapshot> PlanSnapshots(const std::vector<ProfileContent>& chosen,
                                    const std::vector<N64RegistryPath>& n64Paths, const N64VersionKeys& keys) {
    std::vector<Snapshot> plan;
    if (Has(chosen, ProfileContent::PSXPlugins))
        plan.push_back({"psxpluginsreg.merge", std::string(kRoot) + "Software\\Vision Thing\\PSEmu Pro"});
    if (Has(chosen, ProfileContent::N64Plugins))
        for (std::size_t i = 0; i < n64Paths.size(); ++i)
            plan.push_back({"n64pluginsreg" + std::to_string(i + 1) + ".merge", n64Paths[i].path});
    if (Has(chosen, ProfileContent::ePSXe)) plan.push_back({"epsxereg.merge", std::string(kRoot) + "Software\\epsxe\\config"});
    if (Has(chosen, ProfileContent::PCSX)) plan.push_back({"pcsxreg.merge", std::string(kRoot) + "Software\\Pcsx"});
    if (Has(chosen, ProfileContent::PSXeven))
        plan.push_back({"psxevenreg.merge", std::string(kRoot) + "Software\\PSXeven\\PS7gui\\Settings"});
    if (Has(chosen, ProfileContent::Project64) && !keys.pj64.empty())
        plan.push_back({"poj64reg.merge", kRoot + keys.pj64});
    if (Has(chosen, ProfileContent::Emu1964) && !keys.emu1964.empty())
        plan.push_back({"emu1964reg.merge", kRoot + keys.emu1964});
    return plan;
}

int ConfigSystemOf(const std::vector<ProfileContent>& chosen, const N64VersionKeys& keys) {
    const bool psx = Has(chosen, ProfileContent::PSXPlugins) || Has(chosen, ProfileContent::ePSXe) ||
                     Has(chosen, ProfileContent::PCSX) || Has(chosen, ProfileContent::PSXeven);
    const bool n64 = Has(chosen, ProfileContent::N64Plugins) ||
                     (Has(chosen, ProfileContent::Project64) && !keys.pj64.empty()) ||
                     (Has(chosen, ProfileContent::Emu1964) && !keys.emu1964.empty());
    return psx && n64 ? 8 : psx ? 6 : n64 ? 7 : 0;
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
