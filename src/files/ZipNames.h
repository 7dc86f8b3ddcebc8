#pragma once

#include <string>
#include <vector>

// The stored name as UTF-8: taken as it is when the archive says it is UTF-8
// (and it is valid UTF-8), else read as code page 437.
std::string DecodeEntryName(const std::string& stored, bool utf8Flag);

// Why a name the archive says is UTF-8 may not be written at all: "" unless
// it holds a character in an overlong or surrogate form (or past U+10FFFF),
// which another decoder could read as "/", "." or ":". Such a name is no
// mistake of an old archiver; a merely broken one is read as code page 437.
std::string RefusalOfUtf8Name(const std::string& stored);

// Why an entry name may not be written on Windows below the destination, in
// plain English; "" when it may. Both "/" and "\" separate folders; a
// trailing separator marks a folder entry.
std::string RefusalOfName(const std::string& name);

// The name's folder components and file name, split at either separator,
// without the empty part a folder entry's trailing separator leaves.
std::vector<std::string> SplitEntryName(const std::string& name);
