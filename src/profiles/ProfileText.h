#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/Registry.h"

// The registry keys a profile may write, each with every key below it.
// Keys compare as the registry compares them: letter case aside, and with
// either spelling of a root ("HKEY_CURRENT_USER" or "HKCU").
class ProfileKeys {
public:
    ProfileKeys() = default;
    // Keys with their roots; a key without a known root allows nothing.
    explicit ProfileKeys(const std::vector<std::string>& keys);

    // True for an allowed key and any key below it; not for a key that
    // merely starts with the same letters ("...\PSEmu ProX").
    bool allows(const std::string& key) const;

    // The key in one spelling: the root's long name, ASCII letters in lower
    // case, no trailing "\"; "" for a key without a known root.
    static std::string Canonical(const std::string& key);

private:
    std::vector<std::string> keys_;  // canonical
};

// How a profile's text is stored: UTF-16 after its mark (as the registry
// tool exports), UTF-8 after its mark, or 8-bit text of the system's code
// page without a mark (REGEDIT4 files among them).
enum class ProfileEncoding { Utf16, Utf8, Ansi };

// A value a profile sets, as the registry would hold it.
struct ProfileValue {
    std::string key;   // with its root, as written
    std::string name;  // "" for the key's default value
    RegistryValue data;
};

// A profile's registry text, sorted into what the registry tool may import
// and what is left out.
struct ProfileContents {
    ProfileEncoding encoding = ProfileEncoding::Utf16;
    std::string header;  // the first header line found, or the version 5.00 one
    // The allowed keys and their values, one line each (data that went
    // over several lines joined into one), without the header.
    std::vector<std::string> lines;
    std::vector<ProfileValue> values;
    // Each entry left out, in words: keys not allowed, key and value
    // deletions, key lines and values the registry tool could not read.
    std::vector<std::string> leftOut;
};

// Sorts a profile's bytes. Its section Corvane (in any letter case) is no
// registry text. A reason when the bytes are damaged: a NUL character,
// UTF-16 or UTF-8 that does not decode.
std::optional<std::string> SortProfile(const std::string& bytes, const ProfileKeys& allowed,
                                       ProfileContents& contents);

// The copy of a sorted profile that the registry tool imports: UTF-16 text
// stays UTF-16 and 8-bit text stays 8-bit, each with its own header, so a
// REGEDIT4 profile's data is read as it was written; UTF-8 text becomes
// UTF-16, which every version of the tool reads (a REGEDIT4 header becomes
// version 5.00 then, its string data in hex(2) and hex(7) re-encoded).
std::string ImportCopy(const ProfileContents& contents);

// The lines of a text: a CR LF, a lone CR and a lone LF each end one, as
// the registry tool reads them.
std::vector<std::string> RegTextLines(const std::string& text);
// True for the header line of a .reg text ("REGEDIT4" or version 5.00).
bool IsRegHeader(const std::string& line);
// The text of a .reg file's bytes (see SortProfile); a reason when damaged.
std::optional<std::string> DecodeRegText(const std::string& bytes, ProfileEncoding& encoding, std::string& text);

// The same data of the same type.
bool SameData(const RegistryValue& a, const RegistryValue& b);
// Data for the user: a string in quotes, a number in hexadecimal and
// decimal, bytes in hexadecimal (at most 16 of them, then their count).
std::string DataText(const RegistryValue& value);
