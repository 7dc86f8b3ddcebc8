#include "epsxe/clsMemCard.h"

#include <vector>

#include "app/Helpers.h"

const std::vector<std::pair<std::string, std::string>>& clsMemCard::Formats() {
    static const std::vector<std::pair<std::string, std::string>> formats = {
        {"Virtual Game Station (*.mem)", "*.mem"},   {"Bleem Memory Card (*.mcd)", "*.mcd"},
        {"ePSXe (*.mcr)", "*.mcr"},                  {"PSEmu Pro (*.mcr)", "*.mcr"},
        {"Other - AdriPSX, FPSE, pcsx (*.mcr)", "*.mcr"}, {"DexDrive (*.gme)", "*.gme"},
        {"Mad Katz's Data Deck (*.ddf)", "*.ddf"},   {"PSM (*.psx)", "*.psx"},
        {"WinPSM (*.ps)", "*.ps"},                   {"SmartLink (*.psm)", "*.psm"}};
    return formats;
}

namespace {
constexpr std::size_t kFrame = 128;

std::string Extension(const std::string& path) {
    const std::string name = ParseFileName(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : LowerCase(name.substr(dot));
}

bool KnownFormat(const std::string& extension) {
    for (const auto& format : clsMemCard::Formats())
        if (format.second.substr(1) == extension) return true;
    return false;
}
}  // namespace

std::string clsMemCard::EmptyCard() {
    std::string card(kCardSize, '\0');
    card[0] = 'M';
    card[1] = 'C';
    card[kFrame - 1] = 0x0E;  // the XOR of the frame's other bytes
    for (std::size_t frame = 1; frame <= 15; ++frame) {
        card[frame * kFrame] = static_cast<char>(0xA0);               // block free
        card[frame * kFrame + kFrame - 1] = static_cast<char>(0xA0);  // its checksum
    }
    return card;
}

std::optional<std::string> clsMemCard::CardProblem(const std::string& path, const std::string& bytes) {
    const std::string extension = Extension(path);
    if (!KnownFormat(extension)) return std::string(kUnsupported);
    const bool bare = extension == ".mcr";
    const bool right = bare ? bytes.size() == kCardSize && bytes.rfind("MC", 0) == 0
                            : extension != ".mem" || bytes.size() == kMemSize;
    if (!right) return std::string("File is in a wrong format.");
    return std::nullopt;
}

std::optional<std::string> clsMemCard::CheckCard(const std::string& path) {
    const auto bytes = files_.readFile(path);
    const auto problem = CardProblem(path, bytes.value_or(""));
    if (problem || bytes) return problem;
    return std::string("File is in a wrong format.");
}

bool clsMemCard::MakesBareCard(const std::string& path) { return Extension(path) == ".mcr"; }

bool clsMemCard::CreateNew(const std::string& path) {
    // Beside the target first: a card that cannot be written whole leaves
    // the file that was there.
    const std::string fresh = path + ".new";
    if (files_.anyMatch(fresh)) files_.deleteFile(fresh);
    if (files_.appendToFile(fresh, EmptyCard()) && files_.replaceFile(fresh, path)) return true;
    files_.deleteFile(fresh);
    return false;
}
