#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// UTF-16LE bytes, as the profile API and the registry tool write text
// files, to and from the UTF-8 the program keeps. What cannot be converted
// (a lone surrogate, a broken or disguised UTF-8 sequence) becomes U+FFFD.
constexpr const char* kUtf16Mark = "\xFF\xFE";

std::string Utf8ToUtf16(const std::string& utf8);
std::string Utf16ToUtf8(const std::string& utf16);
// A file's text: decoded when it starts with the UTF-16LE mark, as it is
// otherwise.
std::string TextOfFile(const std::string& bytes);
// The longest start of the text that takes at most this many UTF-16 units;
// a character is never split.
std::string CutToUtf16Units(const std::string& utf8, std::size_t units);

// How a UTF-8 sequence reads, from harmless to harmful. Broken: a stray
// continuation byte, a byte no sequence starts with, or a sequence cut
// short. Disguised: well built, but a character in more bytes than it
// needs, a surrogate or a value past U+10FFFF, which a lenient decoder
// takes for another character ("/" from C0 AF, say).
enum class Utf8Form { Valid, Broken, Disguised };
struct Utf8Sequence {
    std::uint32_t code = 0;
    std::size_t length = 1;  // 1 for a broken sequence
    Utf8Form form = Utf8Form::Broken;
};
// The sequence that starts at the given byte of the text.
Utf8Sequence ReadUtf8(const std::string& text, std::size_t at);
// The code point in UTF-8, appended.
void AppendUtf8(std::string& out, std::uint32_t code);
