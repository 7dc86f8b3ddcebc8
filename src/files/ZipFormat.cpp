#include "files/ZipFormat.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "files/ZipCodes.h"
#include "files/ZipNames.h"

namespace {
constexpr std::uint32_t kEndSignature = 0x06054b50, kZip64EndSignature = 0x06064b50,
                        kZip64LocatorSignature = 0x07064b50, kCentralSignature = 0x02014b50,
                        kLocalSignature = 0x04034b50;
constexpr std::size_t kEndSize = 22, kLocatorSize = 20, kZip64EndSize = 56, kCentralSize = 46, kLocalSize = 30;

std::uint16_t U16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t U32(const unsigned char* p) { return U16(p) | static_cast<std::uint32_t>(U16(p + 2)) << 16; }
std::uint64_t U64(const unsigned char* p) { return U32(p) | static_cast<std::uint64_t>(U32(p + 4)) << 32; }

CentralDirectory Broken(int code, const std::string& problem) {
    CentralDirectory directory;
    directory.code = code;
    directory.problem = problem;
    return directory;
}

struct EndRecord {
    std::uint64_t position = 0, entries = 0, directorySize = 0, directoryOffset = 0;
};

// The last end-of-central-directory record whose comment reaches no further
// than the end of the file.
bool FindEndRecord(IArchiveSource& archive, EndRecord& end) {
    const std::uint64_t size = archive.size();
    if (size < kEndSize) return false;
    const std::uint64_t tail = std::min<std::uint64_t>(size, kEndSize + 0xFFFF);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(tail));
    if (!archive.read(size - tail, bytes.data(), bytes.size())) return false;
    for (std::size_t at = bytes.size() - kEndSize + 1; at-- > 0;) {
        const unsigned char* p = bytes.data() + at;
        if (U32(p) != kEndSignature || at + kEndSize + U16(p + 20) > bytes.size()) continue;
        end = {size - tail + at, U16(p + 10), U32(p + 12), U32(p + 16)};
        return true;
    }
    return false;
}

// Replaces the record's values by those of a ZIP64 end record when a locator
// stands right before it. Returns "" or the problem.
std::string ApplyZip64(IArchiveSource& archive, EndRecord& end) {
    unsigned char locator[kLocatorSize];
    if (end.position < kLocatorSize || !archive.read(end.position - kLocatorSize, locator, kLocatorSize) ||
        U32(locator) != kZip64LocatorSignature)
        return "";
    unsigned char record[kZip64EndSize];
    std::uint64_t at = U64(locator + 8);
    if (at > end.position || !archive.read(at, record, kZip64EndSize) || U32(record) != kZip64EndSignature) {
        // Behind a self-extractor's program the record stands right before
        // the locator, away from where it says.
        at = end.position - kLocatorSize - std::min<std::uint64_t>(end.position - kLocatorSize, kZip64EndSize);
        if (!archive.read(at, record, kZip64EndSize) || U32(record) != kZip64EndSignature)
            return "the ZIP64 end record is missing";
    }
    end = {at, U64(record + 32), U64(record + 40), U64(record + 48)};
    return "";
}

// Reads the ZIP64 extra field's values for the saturated 32-bit fields.
bool ApplyZip64Extra(ZipEntry& entry, const unsigned char* extra, std::size_t length) {
    for (std::size_t at = 0; at + 4 <= length;) {
        const std::uint16_t id = U16(extra + at), blockSize = U16(extra + at + 2);
        if (at + 4 + blockSize > length) return false;
        if (id == 0x0001) {
            const unsigned char* p = extra + at + 4;
            std::size_t left = blockSize;
            for (std::uint64_t* field : {&entry.size, &entry.packedSize, &entry.localOffset}) {
                if (*field != 0xFFFFFFFFu) continue;
                if (left < 8) return false;
                *field = U64(p);
                p += 8;
                left -= 8;
            }
        }
        at += 4 + blockSize;
    }
    return true;
}

// Parses one central record at p, which has left bytes; returns its length
// or 0 when the record is broken.
std::size_t ParseCentralRecord(const unsigned char* p, std::size_t left, ZipEntry& entry) {
    if (left < kCentralSize || U32(p) != kCentralSignature) return 0;
    const std::size_t nameLength = U16(p + 28), extraLength = U16(p + 30), commentLength = U16(p + 32);
    const std::size_t length = kCentralSize + nameLength + extraLength + commentLength;
    if (length > left) return 0;
    entry.versionMadeBy = U16(p + 4);
    entry.flags = U16(p + 8);
    entry.method = U16(p + 10);
    entry.dosTime = U16(p + 12);
    entry.dosDate = U16(p + 14);
    entry.crc = U32(p + 16);
    entry.packedSize = U32(p + 20);
    entry.size = U32(p + 24);
    entry.internalAttributes = U16(p + 36);
    entry.externalAttributes = U32(p + 38);
    entry.localOffset = U32(p + 42);
    entry.storedName.assign(reinterpret_cast<const char*>(p + kCentralSize), nameLength);
    entry.name = DecodeEntryName(entry.storedName, entry.utf8Name());
    if (!ApplyZip64Extra(entry, p + kCentralSize + nameLength, extraLength)) return 0;
    return length;
}
}  // namespace

bool ZipEntry::isSymbolicLink() const {
    constexpr std::uint32_t kUnixTypeMask = 0170000, kUnixLink = 0120000, kWindowsReparsePoint = 0x400;
    const int host = versionMadeBy >> 8;
    if (host == 3 || host == 19) return (externalAttributes >> 16 & kUnixTypeMask) == kUnixLink;
    return (externalAttributes & kWindowsReparsePoint) != 0;
}

CentralDirectory ReadCentralDirectory(IArchiveSource& archive) {
    EndRecord end;
    if (!FindEndRecord(archive, end)) return Broken(ZipCode::kArchiveNotFound, "no zip directory at its end");
    const std::string zip64Problem = ApplyZip64(archive, end);
    if (!zip64Problem.empty()) return Broken(ZipCode::kSevereFormat, zip64Problem);
    if (end.entries > kMaxEntries) return Broken(ZipCode::kSevereFormat, "more than 65,535 entries");
    if (end.directorySize > end.position) return Broken(ZipCode::kSevereFormat, "the directory runs past its end");
    CentralDirectory directory;
    directory.start = end.position - end.directorySize;
    if (directory.start < end.directoryOffset) return Broken(ZipCode::kSevereFormat, "the directory is out of place");
    if (end.directorySize > std::numeric_limits<std::size_t>::max())
        return Broken(ZipCode::kNoMemory, "the directory does not fit in memory");
    const std::uint64_t prefix = directory.start - end.directoryOffset;  // a self-extractor's program
    std::vector<unsigned char> bytes(static_cast<std::size_t>(end.directorySize));
    if (!archive.read(directory.start, bytes.data(), bytes.size()))
        return Broken(ZipCode::kArchiveEnds, "the directory cannot be read");
    // Every record takes at least its fixed part: a count that claims more
    // reserves no more.
    directory.entries.reserve(
        static_cast<std::size_t>(std::min<std::uint64_t>(end.entries, bytes.size() / kCentralSize)));
    std::size_t at = 0;
    for (std::uint64_t i = 0; i < end.entries; ++i) {
        ZipEntry entry;
        const std::size_t length = ParseCentralRecord(bytes.data() + at, bytes.size() - at, entry);
        if (length == 0) return Broken(ZipCode::kSevereFormat, "a directory record is broken or runs past its end");
        // Shifted past the prefix without wrapping: an offset at or past the
        // directory's own is no header's, and becomes the directory's start,
        // which ReadLocalHeader refuses.
        entry.localOffset = entry.localOffset < end.directoryOffset ? entry.localOffset + prefix : directory.start;
        directory.entries.push_back(std::move(entry));
        at += length;
    }
    return directory;
}

std::string ReadLocalHeader(IArchiveSource& archive, ZipEntry& entry, std::uint64_t directoryStart) {
    unsigned char header[kLocalSize];
    if (entry.localOffset > directoryStart || directoryStart - entry.localOffset < kLocalSize ||
        !archive.read(entry.localOffset, header, kLocalSize) || U32(header) != kLocalSignature)
        return "its local header lies outside the archive or is missing";
    const std::size_t nameLength = U16(header + 26), extraLength = U16(header + 28);
    entry.localName.assign(nameLength, '\0');
    if (!archive.read(entry.localOffset + kLocalSize, entry.localName.data(), nameLength))
        return "its local header runs past the archive";
    entry.dataOffset = entry.localOffset + kLocalSize + nameLength + extraLength;
    if (entry.localName != entry.storedName) return "its local name differs from the central one";
    if (entry.dataOffset > directoryStart || entry.packedSize > directoryStart - entry.dataOffset)
        return "its data lie outside the archive";
    return "";
}

std::vector<bool> FindOverlaps(const std::vector<ZipEntry>& entries) {
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return entries[a].localOffset < entries[b].localOffset; });
    std::vector<bool> overlapping(entries.size(), false);
    std::uint64_t reach = 0;  // the furthest end of the entries so far
    std::size_t reacher = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const ZipEntry& entry = entries[order[i]];
        if (i > 0 && entry.localOffset < reach) overlapping[reacher] = overlapping[order[i]] = true;
        // A refused entry's size may be anything: its end stops at the top
        // instead of wrapping.
        const std::uint64_t dataEnd = entry.packedSize > UINT64_MAX - entry.dataOffset
                                          ? UINT64_MAX
                                          : entry.dataOffset + entry.packedSize;
        const std::uint64_t end = std::max(dataEnd, entry.localOffset + 1);
        if (end > reach) {
            reach = end;
            reacher = order[i];
        }
    }
    return overlapping;
}
