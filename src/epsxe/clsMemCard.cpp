#include "epsxe/clsMemCard.h"

#include <vector>

#include "app/Helpers.h"

namespace {
const std::vector<std::pair<std::string, std::string>>& CardFormats() {
    static const std::vector<std::pair<std::string, std::string>> formats = {
        {"Virtual Game Station (*.mem)", "*.mem"},   {"Bleem Memory Card (*.mcd)", "*.mcd"},
        {"ePSXe (*.mcr)", "*.mcr"},                  {"PSEmu Pro (*.mcr)", "*.mcr"},
        {"Other - AdriPSX, FPSE, pcsx (*.mcr)", "*.mcr"}, {"DexDrive (*.gme)", "*.gme"},
        {"Mad Katz's Data Deck (*.ddf)", "*.ddf"},   {"PSM (*.psx)", "*.psx"},
        {"WinPSM (*.ps)", "*.ps"},                   {"SmartLink (*.psm)", "*.psm"}};
    return formats;
}

constexpr std::size_t kFrame = 128;

std::string Extension(const std::string& path) {
    const std::string name = ParseFileName(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : LowerCase(name.substr(dot));
}

bool KnownFormat(const std::string& extension) {
    for (const auto& format : CardFormats())
        if (format.second.substr(1) == extension) return true;
    return false;
}

const char* const kUnsupported = "Memory card format not supported";
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

bool clsMemCard::CheckCard(const std::string& path) {
    const auto bytes = files_.readFile(path);
    const auto problem = CardProblem(path, bytes.value_or(""));
    if (!problem && bytes) return true;
    windows_.messageBox(owner_, problem.value_or("File is in a wrong format."), "Memory Card", MessageIcon::Information,
                        MessageButtons::Ok);
    return false;
}

bool clsMemCard::writeCard(const std::string& path) {
    // Beside the target first: a card that cannot be written whole leaves
    // the file that was there.
    const std::string fresh = path + ".new";
    if (files_.anyMatch(fresh)) files_.deleteFile(fresh);
    if (files_.appendToFile(fresh, EmptyCard()) && files_.replaceFile(fresh, path)) return true;
    files_.deleteFile(fresh);
    return false;
}

std::string clsMemCard::CreateNew(int /*SlotID*/) {
    for (;;) {
        // The system asks before an existing file (a card full of saved
        // games) is replaced.
        const auto path = windows_.saveFile(owner_, "Save New Memory Card As...", CardFormats(), "mcr");
        if (!path || path->empty()) return std::string();
        // Only the bare image is made here: a name of another card format
        // would hold no such card.
        if (Extension(*path) != ".mcr") {
            windows_.messageBox(owner_, kUnsupported, "Memory Card", MessageIcon::Information, MessageButtons::Ok);
            continue;
        }
        if (writeCard(*path)) return *path;
        windows_.messageBox(owner_, "The memory card " + *path + " could not be written.", "Memory Card",
                            MessageIcon::Critical, MessageButtons::Ok);
        return std::string();
    }
}
