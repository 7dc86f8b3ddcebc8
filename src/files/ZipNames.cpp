#include "files/ZipNames.h"

#include <algorithm>
#include <array>

#include "app/Helpers.h"
#include "app/Utf16.h"

namespace {
// Code page 437's upper half as Unicode code points.
constexpr std::array<char16_t, 128> kCp437High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

// The most harmful form of any sequence in the text.
Utf8Form WorstUtf8Form(const std::string& text) {
    Utf8Form worst = Utf8Form::Valid;
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Sequence sequence = ReadUtf8(text, i);
        worst = std::max(worst, sequence.form);
        i += sequence.length;
    }
    return worst;
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::string RefusalOfPrefix(const std::string& name) {
    if (name.size() >= 4 && IsSeparator(name[0]) && IsSeparator(name[1]) && (name[2] == '?' || name[2] == '.') &&
        IsSeparator(name[3]))
        return "it carries a device prefix";
    if (name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1])) return "it carries a UNC prefix";
    if (IsSeparator(name[0])) return "it is rooted";
    if (name.size() >= 2 && name[1] == ':' && ((name[0] | 0x20) >= 'a' && (name[0] | 0x20) <= 'z'))
        return "it carries a drive";
    return "";
}

std::string RefusalOfCharacter(const std::string& name) {
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return "it contains a control character";
        if (c == ':') return "it contains a colon";
        if (std::string("<>\"|?*").find(c) != std::string::npos) return "it contains a character Windows forbids";
    }
    return "";
}

// The device names Windows reserves in every folder, with or without an
// extension, and the superscript digits it takes as digits.
bool NamesDevice(const std::string& component) {
    std::string base = LowerCase(component.substr(0, component.find('.')));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    if (base == "con" || base == "prn" || base == "aux" || base == "nul" || base == "conin$" || base == "conout$")
        return true;
    if (base.rfind("com", 0) != 0 && base.rfind("lpt", 0) != 0) return false;
    const std::string digit = base.substr(3);
    return (digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9') || digit == "\xC2\xB9" ||
           digit == "\xC2\xB2" || digit == "\xC2\xB3";
}

std::string RefusalOfComponent(const std::string& component) {
    if (component.empty()) return "it has an empty folder name";
    if (component == "..") return "it has a parent-folder component";
    if (component.back() == '.' || component.back() == ' ') return "a part of it ends in a dot or blank";
    if (NamesDevice(component)) return "it names a device";
    return "";
}
}  // namespace

std::string DecodeEntryName(const std::string& stored, bool utf8Flag) {
    if (utf8Flag && WorstUtf8Form(stored) == Utf8Form::Valid) return stored;
    std::string utf8;
    for (const char c : stored) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(utf8, byte < 0x80 ? byte : kCp437High[byte - 0x80]);
    }
    return utf8;
}

std::vector<std::string> SplitEntryName(const std::string& name) {
    std::vector<std::string> parts(1);
    for (const char c : name) {
        if (IsSeparator(c))
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() > 1 && parts.back().empty()) parts.pop_back();
    return parts;
}

std::string RefusalOfName(const std::string& name) {
    if (name.empty()) return "it has no name";
    std::string reason = RefusalOfPrefix(name);
    if (reason.empty()) reason = RefusalOfCharacter(name);
    for (const auto& component : SplitEntryName(name))
        if (reason.empty()) reason = RefusalOfComponent(component);
    return reason;
}

std::string RefusalOfUtf8Name(const std::string& stored) {
    return WorstUtf8Form(stored) == Utf8Form::Disguised ? "its UTF-8 name disguises a character" : "";
}
