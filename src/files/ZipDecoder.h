#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/ExtractionFiles.h"
#include "files/ZipCrypto.h"
#include "files/ZipFormat.h"

constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr std::uint64_t kEntryCap = 256 * kMiB;
constexpr std::uint64_t kRunCap = 1024 * kMiB;
constexpr std::uint64_t kExpansionCap = 100;         // output per byte of input ...
constexpr std::uint64_t kExpansionFreeBytes = kMiB;  // ... past the first MiB

struct DecodeResult {
    int code = 0;         // ZipCode
    std::string problem;  // plain English when code is not 0
    std::uint64_t written = 0;
};

// Receives decoded bytes; false when they could not be written.
using DecodedOutput = std::function<bool(const unsigned char* data, std::size_t count)>;

// Decodes the entry's data from the archive: stored or deflated, decrypted
// by the cipher when one is given (its 12-byte header already read), checked
// against the declared size and CRC and the caps. runLeft is what the run
// may still write; the result's written counts what the entry yielded, also
// when it failed.
DecodeResult DecodeEntry(IArchiveSource& archive, const ZipEntry& entry, TraditionalCipher* cipher,
                         std::uint64_t runLeft, const DecodedOutput& output);

// True when the method is one DecodeEntry handles.
inline bool IsSupportedMethod(std::uint16_t method) { return method == 0 || method == 8; }
