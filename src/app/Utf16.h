#pragma once

#include <cstddef>
#include <string>

// UTF-16LE bytes, as the profile API and the registry tool write text
// files, to and from the UTF-8 the program keeps.
constexpr const char* kUtf16Mark = "\xFF\xFE";

std::string Utf8ToUtf16(const std::string& utf8);
std::string Utf16ToUtf8(const std::string& utf16);
// A file's text: decoded when it starts with the UTF-16LE mark, as it is
// otherwise.
std::string TextOfFile(const std::string& bytes);
// The longest start of the text that takes at most this many UTF-16 units;
// a character is never split.
std::string CutToUtf16Units(const std::string& utf8, std::size_t units);
