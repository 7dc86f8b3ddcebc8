#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/ExtractionFiles.h"

// One entry of the central directory, with its sizes taken from ZIP64 extra
// fields where the 32-bit fields are saturated. Offsets are in the file,
// already shifted past any self-extractor prefix.
struct ZipEntry {
    std::string storedName;  // the name's bytes as stored
    std::string name;        // as UTF-8 (bit 11 of the flags, else code page 437)
    std::uint16_t versionMadeBy = 0, flags = 0, method = 0, dosTime = 0, dosDate = 0, internalAttributes = 0;
    std::uint32_t crc = 0, externalAttributes = 0;
    std::uint64_t packedSize = 0, size = 0, localOffset = 0;
    // Filled from the local header by ReadLocalHeader.
    std::uint64_t dataOffset = 0;
    std::string localName;

    bool encrypted() const { return (flags & 0x0001) != 0; }
    bool strongEncryption() const { return (flags & 0x0040) != 0; }
    bool utf8Name() const { return (flags & 0x0800) != 0; }
    bool isFolder() const { return !name.empty() && (name.back() == '/' || name.back() == '\\'); }
    bool isSymbolicLink() const;
    bool isText() const { return (internalAttributes & 1) != 0; }
};

struct CentralDirectory {
    int code = 0;             // ZipCode: 0 when the directory was read whole
    std::string problem;      // plain English when code is not 0
    std::vector<ZipEntry> entries;
    std::uint64_t start = 0;  // where the central directory begins in the file
};

constexpr std::size_t kMaxEntries = 65535;

CentralDirectory ReadCentralDirectory(IArchiveSource& archive);
// Reads the entry's local header; returns "" or what is wrong with it.
std::string ReadLocalHeader(IArchiveSource& archive, ZipEntry& entry, std::uint64_t directoryStart);
// Marks, by index, the entries whose header and data overlap another's.
std::vector<bool> FindOverlaps(const std::vector<ZipEntry>& entries);
