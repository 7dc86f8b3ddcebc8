#include "profiles/GameId.h"

namespace {
constexpr std::size_t kGameIdLength = 11;
// A disc's system.cnf is a few lines; a bigger one is no PlayStation's.
constexpr std::uint64_t kLargestSystemCnf = 64 << 10;

// The first field of the first line, as a comma-separated reader gives it:
// leading blanks skipped, ended by a comma or the line's end, or by the
// closing quote of a quoted field.
std::string FirstField(const std::string& text) {
    std::size_t at = text.find_first_not_of(" \t");
    if (at == std::string::npos) return std::string();
    if (text[at] == '"') {
        const std::size_t close = text.find('"', at + 1);
        return text.substr(at + 1, close == std::string::npos ? std::string::npos : close - at - 1);
    }
    const std::size_t end = text.find_first_of(",\r\n", at);
    return text.substr(at, end == std::string::npos ? std::string::npos : end - at);
}
}  // namespace

std::string GameIdOfSystemCnf(const std::string& text) {
    const std::string field = FirstField(text);
    const std::size_t semicolon = field.rfind(';');
    if (semicolon == std::string::npos || semicolon < kGameIdLength) return std::string();
    return field.substr(semicolon - kGameIdLength, kGameIdLength);
}

std::string detectPSXGameID(IFileSystem& files, const std::string& driveRoot) {
    // No drive chosen: nothing to read, and certainly not a system.cnf of
    // the current folder.
    if (driveRoot.empty()) return std::string();
    const std::string path = driveRoot + "system.cnf";
    if (!files.anyMatch(path)) return std::string();
    const auto text = files.readFile(path, kLargestSystemCnf);
    return text ? GameIdOfSystemCnf(*text) : std::string();
}
