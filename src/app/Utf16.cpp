#include "app/Utf16.h"

#include <algorithm>
#include <cstdint>

namespace {
void PutUnit(std::string& out, std::uint32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8 & 0xFF);
}

void PutUtf8(std::string& out, std::uint32_t code) {
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
}  // namespace

std::string Utf8ToUtf16(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        std::uint32_t code = length == 1 ? byte : byte & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < utf8.size(); ++k)
            code = code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        if (code >= 0x10000) {
            code -= 0x10000;
            PutUnit(out, 0xD800 | code >> 10);
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
        if (code >= 0xD800 && code < 0xDC00 && i + 3 < utf16.size()) {
            code = 0x10000 + ((code - 0xD800) << 10 | (unit(i + 2) - 0xDC00));
            i += 2;
        }
        PutUtf8(out, code);
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
