#include "app/Utf16.h"

#include <algorithm>

namespace {
constexpr std::uint32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(std::uint32_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(std::uint32_t unit) { return unit >= 0xDC00 && unit < 0xE000; }
bool IsSurrogate(std::uint32_t code) { return IsHighSurrogate(code) || IsLowSurrogate(code); }

void PutUnit(std::string& out, std::uint32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8 & 0xFF);
}
}  // namespace

Utf8Sequence ReadUtf8(const std::string& text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return {lead, 1, Utf8Form::Valid};
    // 110xxxxx leads two bytes, 1110xxxx three, 11110xxx four.
    const std::size_t length = lead < 0xC0 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 0;
    if (length == 0 || length > text.size() - at) return {};
    std::uint32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) return {};
        code = code << 6 | (next & 0x3F);
    }
    static const std::uint32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool disguised = code < kShortest[length] || IsSurrogate(code) || code > 0x10FFFF;
    return {code, length, disguised ? Utf8Form::Disguised : Utf8Form::Valid};
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string Utf8ToUtf16(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Sequence sequence = ReadUtf8(utf8, i);
        i += sequence.length;
        const std::uint32_t code = sequence.form == Utf8Form::Valid ? sequence.code : kReplacement;
        if (code >= 0x10000) {
            PutUnit(out, 0xD800 | (code - 0x10000) >> 10);
            PutUnit(out, 0xDC00 | (code & 0x3FF));
        } else {
            PutUnit(out, code);
        }
    }
    return out;
}

std::string Utf16ToUtf8(const std::string& utf16) {
    std::string out;
    const auto unit = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(utf16[i]) |
                                          static_cast<unsigned char>(utf16[i + 1]) << 8);
    };
    for (std::size_t i = 0; i + 1 < utf16.size(); i += 2) {
        std::uint32_t code = unit(i);
        // A surrogate counts only in a high-low pair; alone it stands for
        // nothing, and the unit after a lone high one is a character of its
        // own.
        if (IsHighSurrogate(code) && i + 3 < utf16.size() && IsLowSurrogate(unit(i + 2))) {
            code = 0x10000 + ((code - 0xD800) << 10 | (unit(i + 2) - 0xDC00));
            i += 2;
        } else if (IsSurrogate(code)) {
            code = kReplacement;
        }
        AppendUtf8(out, code);
    }
    return out;
}

std::string TextOfFile(const std::string& bytes) {
    return bytes.rfind(kUtf16Mark, 0) == 0 ? Utf16ToUtf8(bytes.substr(2)) : bytes;
}

std::string CutToUtf16Units(const std::string& utf8, std::size_t units) {
    std::size_t used = 0, at = 0;
    while (at < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        // Characters beyond the basic plane take a surrogate pair.
        const std::size_t need = length == 4 ? 2 : 1;
        if (used + need > units) break;
        used += need;
        at += length;
    }
    return utf8.substr(0, std::min(at, utf8.size()));
}
