#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

// Decodes entries' data from the archive: stored or deflated, decrypted by
// the cipher when one is given (its 12-byte header already read), checked
// against the declared size and CRC and the caps. One decoder serves a
// whole run: its buffers and inflate state are taken at its first entry
// and kept, so that later entries take no fresh memory from the system.
class EntryDecoder {
public:
    EntryDecoder();
    ~EntryDecoder();
    EntryDecoder(const EntryDecoder&) = delete;
    EntryDecoder& operator=(const EntryDecoder&) = delete;

    // runLeft is what the run may still write. The result's written counts
    // what the entry yielded, also when it failed.
    DecodeResult decode(IArchiveSource& archive, const ZipEntry& entry, TraditionalCipher* cipher,
                        std::uint64_t runLeft, const DecodedOutput& output);

private:
    struct Inflater;
    // The inflate state reset for a new stream; nullptr when memory ran out.
    Inflater* inflater();

    std::vector<unsigned char> packed_, unpacked_;
    std::unique_ptr<Inflater> inflater_;
};

// True when the method is one the decoder handles.
inline bool IsSupportedMethod(std::uint16_t method) { return method == 0 || method == 8; }
