#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Builds zip archives in memory for the tests, deflating with zlib, and
// lets a test make any field lie.
struct TestEntry {
    TestEntry(std::string entryName, std::string bytes = "") : name(std::move(entryName)), data(std::move(bytes)) {}

    std::string name;
    std::string data;
    bool deflate = true;
    std::string password;          // traditional encryption when not empty
    bool dataDescriptor = false;   // sizes and CRC after the data (flag bit 3)
    bool utf8 = false;             // flag bit 11
    bool zip64 = false;            // sizes and offset in a ZIP64 extra field
    std::uint16_t dosDate = (2024 - 1980) << 9 | 3 << 5 | 15;  // 15 March 2024
    std::uint16_t dosTime = 10 << 11 | 30 << 5 | 8;            // 10:30:16
    std::uint16_t versionMadeBy = 20;
    std::uint16_t internalAttributes = 0;
    std::uint32_t externalAttributes = 0;
    std::uint16_t method = 0xFFFF;  // the method field as written; default from deflate
    std::optional<std::string> localName;
    std::optional<std::uint32_t> crc, size;  // declared values instead of the true ones
    std::optional<std::uint64_t> localOffset;  // 64 bits in the ZIP64 extra field
    std::optional<std::string> packedData;     // stored as it is instead of data packed
};

// The archive's bytes, after prefix (a self-extractor's program, say).
std::string BuildZip(const std::vector<TestEntry>& entries, const std::string& prefix = "",
                     bool zip64End = false);
// Raw deflate of the bytes at level 6.
std::string Deflate(const std::string& bytes, int level = 6);
std::uint32_t Crc32(const std::string& bytes);
