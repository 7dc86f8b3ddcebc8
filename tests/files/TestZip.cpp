#include "files/TestZip.h"

#include <zlib.h>

#include <initializer_list>

namespace {
// Each value little-endian in its width of bytes.
void Put(std::string& out, std::initializer_list<std::pair<int, std::uint64_t>> fields) {
    for (const auto& [width, value] : fields)
        for (int i = 0; i < width; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

struct Packed {
    std::string bytes;
    std::uint32_t crc = 0, size = 0;
    std::uint16_t flags = 0, method = 0;
};

Packed Pack(const TestEntry& entry) {
    Packed packed;
    packed.crc = entry.crc.value_or(Crc32(entry.data));
    packed.size = entry.size.value_or(static_cast<std::uint32_t>(entry.data.size()));
    packed.method = entry.method != 0xFFFF ? entry.method : entry.deflate ? 8 : 0;
    packed.bytes = entry.packedData ? *entry.packedData : entry.deflate ? Deflate(entry.data) : entry.data;
    packed.flags = (entry.dataDescriptor ? 0x0008 : 0) | (entry.utf8 ? 0x0800 : 0) | (entry.encrypted ? 1 : 0);
    return packed;
}

std::string Header(const TestEntry& entry, const Packed& packed, const std::string& name, bool local,
                   std::uint64_t offset) {
    std::string out, extra;
    const std::uint64_t localOffset = entry.localOffset.value_or(offset);
    if (entry.zip64 && !local)
        Put(extra, {{2, 1}, {2, 24}, {8, packed.size}, {8, packed.bytes.size()}, {8, localOffset}});
    const bool hidden = local && entry.dataDescriptor;
    const std::uint32_t saturated = entry.zip64 ? 0xFFFFFFFF : 0;
    Put(out, {{4, local ? 0x04034b50 : 0x02014b50}});
    if (!local) Put(out, {{2, entry.versionMadeBy}});
    Put(out, {{2, entry.zip64 ? 45 : 20}, {2, packed.flags}, {2, packed.method}, {2, entry.dosTime}, {2, entry.dosDate},
              {4, hidden ? 0 : packed.crc}, {4, hidden ? 0 : saturated ? saturated : packed.bytes.size()},
              {4, hidden ? 0 : saturated ? saturated : packed.size}, {2, name.size()}, {2, extra.size()}});
    // Comment length, disk, internal and external attributes, local offset.
    if (!local)
        Put(out, {{2, 0}, {2, 0}, {2, 0}, {4, entry.externalAttributes},
                  {4, saturated ? saturated : static_cast<std::uint32_t>(localOffset)}});
    return out + name + extra;
}

std::string End(std::uint64_t count, std::uint64_t size, std::uint64_t offset, bool zip64, std::uint64_t here) {
    std::string out;
    if (zip64)  // the ZIP64 end record and its locator
        Put(out, {{4, 0x06064b50}, {8, 44}, {2, 45}, {2, 45}, {4, 0}, {4, 0}, {8, count}, {8, count}, {8, size},
                  {8, offset}, {4, 0x07064b50}, {4, 0}, {8, here}, {4, 1}});
    const std::uint64_t most = zip64 ? ~std::uint64_t{0} : 0;
    Put(out, {{4, 0x06054b50}, {4, 0}, {2, most | count}, {2, most | count}, {4, most | size}, {4, most | offset},
              {2, 0}});
    return out;
}
}  // namespace

std::uint32_t Crc32(const std::string& bytes) {
    return static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

std::string Deflate(const std::string& bytes, int level) {
    z_stream stream{};
    deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, bytes.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

std::string BuildZip(const std::vector<TestEntry>& entries, const std::string& prefix, bool zip64End) {
    std::string local, central;
    for (const auto& entry : entries) {
        const Packed packed = Pack(entry);
        const std::uint64_t offset = local.size();
        local += Header(entry, packed, entry.localName.value_or(entry.name), true, offset) + packed.bytes;
        if (entry.dataDescriptor)
            Put(local, {{4, 0x08074b50}, {4, packed.crc}, {4, packed.bytes.size()}, {4, packed.size}});
        central += Header(entry, packed, entry.name, false, offset);
    }
    const std::uint64_t here = local.size() + central.size();
    return prefix + local + central + End(entries.size(), central.size(), local.size(), zip64End, here);
}
