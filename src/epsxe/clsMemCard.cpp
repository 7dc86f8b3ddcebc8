#include "epsxe/clsMemCard.h"

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
constexpr std::size_t kBlocks = 15;  // the save blocks after the directory block
const char* const kWrongFormat = "File is in a wrong format.";
// Every card format is a 128 KiB image with at most a few KiB of header.
constexpr std::uint64_t kLargestCardFile = 1 << 20;

std::string NoHeader(const std::string&) { return std::string(); }

// Virtual Game Station's header: its mark and the numbers its own cards
// carry after it.
std::string VgsHeader(const std::string&) {
    std::string header(64, '\0');
    header.replace(0, 4, "VgsM");
    header[4] = header[8] = header[12] = 1;
    header[17] = 2;
    return header;
}

// The DexDrive's header: its mark; the state byte and the next-block link
// of each save block's directory frame, from which the drive's software
// lists the card; then a comment of 256 bytes per save block, which a card
// image has no room for, so they are written empty.
std::string DexDriveHeader(const std::string& image) {
    std::string header(64 + kBlocks * 256, '\0');
    header.replace(0, 11, "123-456-STD");
    header[18] = header[20] = 1;
    header[21] = 'M';
    for (std::size_t block = 1; block <= kBlocks; ++block) {
        header[21 + block] = image[block * kFrame];
        header[37 + block] = image[block * kFrame + 8];
    }
    return header;
}

// A card file format: the header before the image and the mark the file
// starts with. The emulators and most card tools keep the bare image. A
// .mem file is taken on its size, its mark unchecked, so that a card
// another tool headed in its own way still reads.
struct CardFormat {
    const char* extension;
    std::size_t headerSize;
    const char* mark;
    std::string (*header)(const std::string& image);
};
const CardFormat kCardFormats[] = {
    {".mcr", 0, "MC", NoHeader}, {".mcd", 0, "MC", NoHeader}, {".ddf", 0, "MC", NoHeader},
    {".psx", 0, "MC", NoHeader}, {".ps", 0, "MC", NoHeader},  {".psm", 0, "MC", NoHeader},
    {".mem", 64, "", VgsHeader}, {".gme", 64 + kBlocks * 256, "123-456-STD", DexDriveHeader}};

std::string Extension(const std::string& path) {
    const std::string name = ParseFileName(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : LowerCase(name.substr(dot));
}

const CardFormat* FormatOf(const std::string& path) {
    const std::string extension = Extension(path);
    for (const CardFormat& format : kCardFormats)
        if (extension == format.extension) return &format;
    return nullptr;
}
}  // namespace

std::string clsMemCard::EmptyCard() {
    std::string card(kCardSize, '\0');
    card[0] = 'M';
    card[1] = 'C';
    card[kFrame - 1] = 0x0E;  // the XOR of the frame's other bytes
    for (std::size_t frame = 1; frame <= kBlocks; ++frame) {
        card[frame * kFrame] = static_cast<char>(0xA0);               // block free
        card[frame * kFrame + kFrame - 1] = static_cast<char>(0xA0);  // its checksum
    }
    return card;
}

clsMemCard::CardBytes clsMemCard::ImageOf(const std::string& path, const std::string& file) {
    const CardFormat* format = FormatOf(path);
    if (!format) return {std::string(), std::string(kUnsupported)};
    if (file.size() != format->headerSize + kCardSize || file.rfind(format->mark, 0) != 0)
        return {std::string(), std::string(kWrongFormat)};
    return {file.substr(format->headerSize), std::nullopt};
}

clsMemCard::CardBytes clsMemCard::FileOf(const std::string& path, const std::string& image) {
    const CardFormat* format = FormatOf(path);
    if (!format) return {std::string(), std::string(kUnsupported)};
    if (image.size() != kCardSize) return {std::string(), std::string(kWrongFormat)};
    std::string file = format->header(image) + image;
    // An image taken from a .mem file on its size alone may lack the mark
    // a bare image must start with: such a file is not written.
    if (auto problem = ImageOf(path, file).problem) return {std::string(), std::move(problem)};
    return {std::move(file), std::nullopt};
}

clsMemCard::CardBytes clsMemCard::ReadCard(const std::string& path) {
    // A file that cannot be read has no bytes, which no format accepts.
    return ImageOf(path, files_.readFile(path, kLargestCardFile).value_or(""));
}

bool clsMemCard::KnownFormat(const std::string& path) { return FormatOf(path) != nullptr; }

bool clsMemCard::MakesBareCard(const std::string& path) { return Extension(path) == ".mcr"; }

bool clsMemCard::WriteCard(const std::string& path, const std::string& bytes) {
    // Beside the target first: a card that cannot be written whole leaves
    // the file that was there.
    const std::string fresh = path + ".new";
    if (files_.anyMatch(fresh)) files_.deleteFile(fresh);
    if (files_.appendToFile(fresh, bytes) && files_.replaceFile(fresh, path)) return true;
    files_.deleteFile(fresh);
    return false;
}
