#include "profiles/ProfileText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "app/Helpers.h"
#include "app/Utf16.h"

namespace {
const char* const kHeader5 = "Windows Registry Editor Version 5.00";
const char* const kHeader4 = "REGEDIT4";
const char* const kUtf8Mark = "\xEF\xBB\xBF";
const std::size_t kBytesPerLine = 25;  // of hex data, as the registry tool wraps it

// The registry's types by number, for data written as hex(N).
constexpr unsigned kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4, kRegMultiSz = 7;

struct Root {
    const char* name;
    const char* abbreviation;
};
const Root kRoots[] = {{"HKEY_CURRENT_USER", "HKCU"},   {"HKEY_LOCAL_MACHINE", "HKLM"},
                       {"HKEY_CLASSES_ROOT", "HKCR"},   {"HKEY_USERS", "HKU"},
                       {"HKEY_CURRENT_CONFIG", "HKCC"}, {"HKEY_DYN_DATA", "HKEY_DYN_DATA"}};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string TrimStart(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    return text.substr(at);
}

std::string TrimEnd(std::string text) {
    while (!text.empty() && IsBlank(text.back())) text.pop_back();
    return text;
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
unsigned HexValue(char c) {
    return c <= '9' ? static_cast<unsigned>(c - '0') : static_cast<unsigned>((c | 0x20) - 'a' + 10);
}

std::string Hex(unsigned number, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*x", digits, number);
    return text;
}

// Nothing but a blank or a comment from `at` on.
bool OnlyComment(const std::string& text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at == text.size() || text[at] == ';';
}

// The position of the quote that closes the quoted text starting at `open`,
// a backslash escaping the character after it; npos when there is none.
std::size_t ClosingQuote(const std::string& text, std::size_t open) {
    for (std::size_t at = open + 1; at < text.size(); at += text[at] == '\\' ? 2 : 1)
        if (text[at] == '"') return at;
    return std::string::npos;
}

// Quoted text as the registry tool reads it: \n and \r a line break, a
// backslash before any other character that character.
std::string Unescaped(const std::string& text) {
    std::string plain;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\\' || at + 1 == text.size()) {
            plain += text[at];
            continue;
        }
        const char next = text[++at];
        plain += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return plain;
}

std::optional<std::string> Utf16Problem(const std::string& units) {
    const auto unit = [&](std::size_t i) {
        return static_cast<unsigned>(static_cast<unsigned char>(units[i]) | static_cast<unsigned char>(units[i + 1]) << 8);
    };
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        const unsigned code = unit(i);
        if (code >= 0xDC00 && code < 0xE000) return "its text is not valid UTF-16";
        if (code < 0xD800 || code >= 0xDC00) continue;
        if (i + 3 >= units.size() || unit(i + 2) < 0xDC00 || unit(i + 2) >= 0xE000) return "its text is not valid UTF-16";
        i += 2;
    }
    return std::nullopt;
}

bool IsUtf8(const std::string& text) {
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Sequence sequence = ReadUtf8(text, at);
        if (sequence.form != Utf8Form::Valid) return false;
        at += sequence.length;
    }
    return true;
}

void EraseAll(std::string& text, const std::string& piece) {
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at)) text.erase(at, piece.size());
}

// The text of string data held as bytes: UTF-16 in a version 5.00 text,
// 8-bit in a REGEDIT4 one; up to the first NUL.
std::string BytesText(const std::vector<std::uint8_t>& bytes, bool wide) {
    std::string raw(bytes.begin(), bytes.end());
    if (!wide) return raw.substr(0, raw.find('\0'));
    std::size_t end = 0;
    while (end + 1 < raw.size() && (raw[end] != '\0' || raw[end + 1] != '\0')) end += 2;
    return Utf16ToUtf8(raw.substr(0, end));
}

// Data written as hex(N) or hex:, as the registry would hold it.
RegistryValue TypedData(unsigned type, const std::vector<std::uint8_t>& bytes, bool wide) {
    RegistryValue value;
    value.bytes = bytes;
    if (type == kRegSz || type == kRegExpandSz) {
        value.type = type == kRegSz ? RegistryValueType::String : RegistryValueType::ExpandString;
        value.text = BytesText(bytes, wide);
    } else if (type == kRegBinary) {
        value.type = RegistryValueType::Binary;
    } else if (type == kRegDword && bytes.size() == 4) {
        value.type = RegistryValueType::Dword;
        for (std::size_t i = 0; i < 4; ++i) value.number |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    } else {
        value.type = RegistryValueType::Other;
    }
    return value;
}

// Sorts the lines of one profile.
class Sorter {
public:
    Sorter(const ProfileKeys& allowed, ProfileContents& contents, std::vector<std::string> lines)
        : allowed_(allowed), contents_(contents), lines_(std::move(lines)) {}

    void run() {
        for (const std::string& line : lines_)
            if (IsRegHeader(line)) {
                contents_.header = TrimEnd(TrimStart(line));
                break;
            }
        if (contents_.header.empty()) contents_.header = kHeader5;
        wideStrings_ = contents_.header != kHeader4;
        // UTF-8 text goes to the tool as UTF-16, where string data in hex
        // is UTF-16 too.
        recode_ = contents_.encoding == ProfileEncoding::Utf8 && !wideStrings_;
        bool inSection = false;
        for (at_ = 0; at_ < lines_.size(); ++at_) {
            const std::string line = TrimStart(lines_[at_]);
            if (line.empty() || line[0] == ';' || line[0] == '#' || IsRegHeader(line)) continue;
            if (line[0] == '[') {
                inSection = LowerCase(TrimEnd(line)) == "[corvane]";
                key_.reset();
                if (!inSection) keyLine(line);
            } else if (!inSection && key_ && (line[0] == '"' || line[0] == '@')) {
                valueLine(line);
            }
            // Anything else is no entry: the registry tool passes over it too.
        }
    }

private:
    void leaveOut(const std::string& entry) {
        if (std::find(contents_.leftOut.begin(), contents_.leftOut.end(), entry) == contents_.leftOut.end())
            contents_.leftOut.push_back(entry);
    }

    // A key line: the key up to the last "]", as the registry tool reads it.
    void keyLine(const std::string& line) {
        const std::size_t close = line.rfind(']');
        const std::string key = close == std::string::npos ? std::string() : line.substr(1, close - 1);
        if (key.empty() || IsBlank(key[0]))
            leaveOut(TrimEnd(line) + " (a key line that cannot be read)");
        else if (key[0] == '-')
            leaveOut(key.substr(1) + " (deletion of the key)");
        else if (!allowed_.allows(key))
            leaveOut(key);
        else {
            key_ = key;
            contents_.lines.push_back("[" + key + "]");
        }
    }

    void valueLine(const std::string& line) {
        std::size_t at = 1;
        std::string name;
        if (line[0] == '"') {
            const std::size_t close = ClosingQuote(line, 0);
            if (close == std::string::npos) return unreadable(line);
            name = Unescaped(line.substr(1, close - 1));
            at = close + 1;
        }
        const std::string written = line.substr(0, at);
        while (at < line.size() && IsBlank(line[at])) ++at;
        if (at == line.size() || line[at] != '=') return unreadable(written);
        const std::string data = TrimStart(line.substr(at + 1));
        if (!data.empty() && data[0] == '-') return leaveOut(*key_ + ", value " + written + " (deletion of the value)");
        RegistryValue value;
        std::string statement;
        if (!readData(data, value, statement)) return unreadable(written);
        contents_.lines.push_back(written + "=" + statement);
        contents_.values.push_back(ProfileValue{*key_, name, value});
    }

    void unreadable(const std::string& written) {
        leaveOut(*key_ + ", value " + written + " (data that cannot be read)");
    }

    // The data after "=": its value and the text that writes it anew.
    bool readData(const std::string& data, RegistryValue& value, std::string& statement) {
        if (!data.empty() && data[0] == '"') {
            const std::size_t close = ClosingQuote(data, 0);
            if (close == std::string::npos || !OnlyComment(data, close + 1)) return false;
            value.type = RegistryValueType::String;
            value.text = Unescaped(data.substr(1, close - 1));
            statement = data.substr(0, close + 1);
            return true;
        }
        if (data.rfind("dword:", 0) == 0) {
            std::size_t end = 6;
            while (end < data.size() && IsHexDigit(data[end])) ++end;
            if (end == 6 || end > 14 || !OnlyComment(data, end)) return false;
            value.type = RegistryValueType::Dword;
            for (std::size_t i = 6; i < end; ++i) value.number = value.number << 4 | HexValue(data[i]);
            statement = "dword:" + Hex(value.number, 8);
            return true;
        }
        unsigned type = kRegBinary;
        std::size_t at = 0;
        if (data.rfind("hex:", 0) == 0) {
            at = 4;
        } else if (data.rfind("hex(", 0) == 0) {
            const std::size_t close = data.find("):", 4);
            if (close == std::string::npos || close == 4 || close > 12) return false;
            type = 0;
            for (std::size_t i = 4; i < close; ++i) {
                if (!IsHexDigit(data[i])) return false;
                type = type << 4 | HexValue(data[i]);
            }
            at = close + 2;
        } else {
            return false;
        }
        std::vector<std::uint8_t> bytes;
        if (!readHexBytes(data.substr(at), bytes)) return false;
        value = TypedData(type, bytes, wideStrings_);
        if (recode_ && (type == kRegExpandSz || type == kRegMultiSz)) {
            const std::string wide = Utf8ToUtf16(std::string(bytes.begin(), bytes.end()));
            bytes.assign(wide.begin(), wide.end());
        }
        statement = data.substr(0, at) + HexList(bytes);
        return true;
    }

    // Comma-separated bytes of one or two hex digits each; a "\" ends a
    // line whose data goes on in the next one that is not blank or a
    // comment, as the registry tool reads them.
    bool readHexBytes(std::string text, std::vector<std::uint8_t>& bytes) {
        for (;;) {
            std::size_t at = 0;
            bool more = false;
            const auto skipBlanks = [&] {
                while (at < text.size() && IsBlank(text[at])) ++at;
            };
            for (;;) {
                skipBlanks();
                if (at == text.size() || text[at] == ';') break;
                if (text[at] == '\\') {
                    if (!OnlyComment(text, at + 1)) return false;
                    more = true;
                    break;
                }
                if (!IsHexDigit(text[at])) return false;
                unsigned byte = HexValue(text[at++]);
                if (at < text.size() && IsHexDigit(text[at])) byte = byte << 4 | HexValue(text[at++]);
                if (at < text.size() && IsHexDigit(text[at])) return false;
                bytes.push_back(static_cast<std::uint8_t>(byte));
                skipBlanks();
                if (at < text.size() && text[at] == ',') {
                    ++at;
                    continue;
                }
                if (!OnlyComment(text, at)) return false;
                break;
            }
            if (!more) return true;
            do {
                if (at_ + 1 == lines_.size()) return true;
                text = TrimStart(lines_[++at_]);
            } while (text.empty() || text[0] == ';');
            if (!IsHexDigit(text[0])) {
                --at_;  // no data: the line is read for itself
                return false;
            }
        }
    }

    // Bytes as the registry tool writes them, wrapped after every 25.
    static std::string HexList(const std::vector<std::uint8_t>& bytes) {
        std::string list;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (i > 0) list += i % kBytesPerLine == 0 ? ",\\\r\n  " : ",";
            list += Hex(bytes[i], 2);
        }
        return list;
    }

    const ProfileKeys& allowed_;
    ProfileContents& contents_;
    const std::vector<std::string> lines_;
    std::size_t at_ = 0;
    std::optional<std::string> key_;  // where values go; nothing after a key left out
    bool wideStrings_ = true, recode_ = false;
};
}  // namespace

ProfileKeys::ProfileKeys(const std::vector<std::string>& keys) {
    for (const std::string& key : keys)
        if (const std::string canonical = Canonical(key); !canonical.empty()) keys_.push_back(canonical);
}

bool ProfileKeys::allows(const std::string& key) const {
    const std::string canonical = Canonical(key);
    if (canonical.empty()) return false;
    return std::any_of(keys_.begin(), keys_.end(), [&](const std::string& allowed) {
        return canonical == allowed || canonical.rfind(allowed + "\\", 0) == 0;
    });
}

std::string ProfileKeys::Canonical(const std::string& key) {
    const std::size_t separator = key.find('\\');
    const std::string root = LowerCase(key.substr(0, separator));
    for (const Root& known : kRoots) {
        if (root != LowerCase(known.name) && root != LowerCase(known.abbreviation)) continue;
        std::string canonical = LowerCase(known.name) + (separator == std::string::npos ? "" : LowerCase(key.substr(separator)));
        while (!canonical.empty() && canonical.back() == '\\') canonical.pop_back();
        return canonical;
    }
    return std::string();
}

std::vector<std::string> RegTextLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

bool IsRegHeader(const std::string& line) {
    const std::string trimmed = TrimEnd(TrimStart(line));
    return trimmed == kHeader5 || trimmed == kHeader4;
}

std::optional<std::string> DecodeRegText(const std::string& bytes, ProfileEncoding& encoding, std::string& text) {
    if (bytes.rfind(kUtf16Mark, 0) == 0) {
        encoding = ProfileEncoding::Utf16;
        // A stray last byte is no character.
        const std::string units = bytes.substr(2, (bytes.size() - 2) / 2 * 2);
        if (auto problem = Utf16Problem(units)) return problem;
        text = Utf16ToUtf8(units);
    } else if (bytes.rfind(kUtf8Mark, 0) == 0) {
        encoding = ProfileEncoding::Utf8;
        text = bytes.substr(3);
        if (!IsUtf8(text)) return std::string("its text is not valid UTF-8");
    } else {
        encoding = ProfileEncoding::Ansi;
        text = bytes;
    }
    if (text.find('\0') != std::string::npos) return std::string("it holds a NUL character");
    // Marks inside it and end-of-file characters, left by joins of older
    // versions, are no part of it.
    EraseAll(text, kUtf8Mark);
    EraseAll(text, "\x1A");
    return std::nullopt;
}

std::optional<std::string> SortProfile(const std::string& bytes, const ProfileKeys& allowed,
                                       ProfileContents& contents) {
    std::string text;
    if (auto problem = DecodeRegText(bytes, contents.encoding, text)) return problem;
    Sorter(allowed, contents, RegTextLines(text)).run();
    return std::nullopt;
}

std::string ImportCopy(const ProfileContents& contents) {
    const bool utf8 = contents.encoding == ProfileEncoding::Utf8;
    std::string text = (utf8 ? std::string(kHeader5) : contents.header) + "\r\n\r\n";
    for (const std::string& line : contents.lines) text += line + "\r\n";
    return contents.encoding == ProfileEncoding::Ansi ? text : kUtf16Mark + Utf8ToUtf16(text);
}

bool SameData(const RegistryValue& a, const RegistryValue& b) {
    if (a.type != b.type) return false;
    switch (a.type) {
        case RegistryValueType::String:
        case RegistryValueType::ExpandString: return a.text == b.text;
        case RegistryValueType::Dword: return a.number == b.number;
        case RegistryValueType::Binary:
        case RegistryValueType::Other: return a.bytes == b.bytes;
    }
    return false;
}

std::string DataText(const RegistryValue& value) {
    switch (value.type) {
        case RegistryValueType::String: return "\"" + value.text + "\"";
        case RegistryValueType::ExpandString: return "\"" + value.text + "\" (expandable)";
        case RegistryValueType::Dword: return "0x" + Hex(value.number, 8) + " (" + std::to_string(value.number) + ")";
        case RegistryValueType::Binary:
        case RegistryValueType::Other: break;
    }
    std::string text = "hex:";
    for (std::size_t i = 0; i < value.bytes.size() && i < 16; ++i) text += (i ? "," : "") + Hex(value.bytes[i], 2);
    if (value.bytes.size() > 16) text += ",... (" + std::to_string(value.bytes.size()) + " bytes)";
    return text;
}
