#include "files/TestZip.h"

#include <zlib.h>

#include "files/ZipCrypto.h"

namespace {
void Put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}
void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}
void Put64(std::string& out, std::uint64_t value) {
    Put32(out, static_cast<std::uint32_t>(value));
    Put32(out, static_cast<std::uint32_t>(value >> 32));
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
    packed.flags = (entry.dataDescriptor ? 0x0008 : 0) | (entry.utf8 ? 0x0800 : 0) | (entry.password.empty() ? 0 : 1);
    if (!entry.password.empty()) {
        std::string header(11, '\x5A');
        header += static_cast<char>(entry.dataDescriptor ? entry.dosTime >> 8 : packed.crc >> 24);
        std::string all = header + packed.bytes;
        TraditionalCipher(entry.password).encrypt(reinterpret_cast<unsigned char*>(all.data()), all.size());
        packed.bytes = all;
    }
    return packed;
}

std::string Zip64Extra(const Packed& packed, std::uint64_t offset) {
    std::string extra;
    Put16(extra, 1);
    Put16(extra, 24);
    Put64(extra, packed.size);
    Put64(extra, packed.bytes.size());
    Put64(extra, offset);
    return extra;
}

std::string Header(const TestEntry& entry, const Packed& packed, const std::string& name, bool local,
                   std::uint64_t offset) {
    std::string out;
    Put32(out, local ? 0x04034b50 : 0x02014b50);
    if (!local) Put16(out, entry.versionMadeBy);
    Put16(out, entry.zip64 ? 45 : 20);
    Put16(out, packed.flags);
    Put16(out, packed.method);
    Put16(out, entry.dosTime);
    Put16(out, entry.dosDate);
    const bool hidden = local && entry.dataDescriptor;
    Put32(out, hidden ? 0 : packed.crc);
    Put32(out, hidden ? 0 : entry.zip64 ? 0xFFFFFFFF : static_cast<std::uint32_t>(packed.bytes.size()));
    Put32(out, hidden ? 0 : entry.zip64 ? 0xFFFFFFFF : packed.size);
    const std::string extra = entry.zip64 && !local ? Zip64Extra(packed, entry.localOffset.value_or(offset)) : "";
    Put16(out, static_cast<std::uint32_t>(name.size()));
    Put16(out, static_cast<std::uint32_t>(extra.size()));
    if (!local) {
        Put16(out, 0);  // comment
        Put16(out, 0);  // disk
        Put16(out, entry.internalAttributes);
        Put32(out, entry.externalAttributes);
        Put32(out, entry.zip64 ? 0xFFFFFFFF : static_cast<std::uint32_t>(entry.localOffset.value_or(offset)));
    }
    return out + name + extra;
}

std::string End(std::size_t count, std::uint64_t size, std::uint64_t offset, bool zip64, std::uint64_t here) {
    std::string out;
    if (zip64) {
        Put32(out, 0x06064b50);
        Put64(out, 44);
        Put16(out, 45);
        Put16(out, 45);
        Put32(out, 0);
        Put32(out, 0);
        Put64(out, count);
        Put64(out, count);
        Put64(out, size);
        Put64(out, offset);
        Put32(out, 0x07064b50);
        Put32(out, 0);
        Put64(out, here);
        Put32(out, 1);
    }
    Put32(out, 0x06054b50);
    Put32(out, 0);
    Put16(out, zip64 ? 0xFFFF : static_cast<std::uint32_t>(count));
    Put16(out, zip64 ? 0xFFFF : static_cast<std::uint32_t>(count));
    Put32(out, zip64 ? 0xFFFFFFFF : static_cast<std::uint32_t>(size));
    Put32(out, zip64 ? 0xFFFFFFFF : static_cast<std::uint32_t>(offset));
    Put16(out, 0);
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
        if (entry.dataDescriptor) {
            Put32(local, 0x08074b50);
            Put32(local, packed.crc);
            Put32(local, static_cast<std::uint32_t>(packed.bytes.size()));
            Put32(local, packed.size);
        }
        central += Header(entry, packed, entry.name, false, offset);
    }
    const std::uint64_t here = local.size() + central.size();
    return prefix + local + central + End(entries.size(), central.size(), local.size(), zip64End, here);
}
