#include "files/ZipDetails.h"

#include <algorithm>

#include "app/Helpers.h"

int CompressionFactor(std::uint64_t size, std::uint64_t packedSize) {
    if (size == 0 || packedSize >= size) return 0;
    return static_cast<int>(((size - packedSize) * 100 + size / 2) / size);
}

DateTime DosDateTime(std::uint16_t date, std::uint16_t time) {
    DateTime result;
    result.year = 1980 + (date >> 9);
    result.month = std::clamp((date >> 5) & 0x0F, 1, 12);
    result.day = std::clamp(date & 0x1F, 1, DaysInMonth(result.year, result.month));
    result.hour = std::min(time >> 11, 23);
    result.minute = std::min((time >> 5) & 0x3F, 59);
    result.second = std::min((time & 0x1F) * 2, 59);
    return result;
}

std::string MethodName(const ZipEntry& entry) {
    static const char* const kNames[] = {"Stored", "Shrunk",  "Reduce1", "Reduce2", "Reduce3", "Reduce4",
                                         "Implode", "Token",  "Defl:#",  "Def64#",  "PKDCL",   "?",
                                         "BZip2",  "?",       "LZMA"};
    if (entry.method == 8) return std::string("Defl:") + "NXFS"[(entry.flags >> 1) & 3];
    if (entry.method < sizeof kNames / sizeof *kNames && std::string(kNames[entry.method]) != "?")
        return kNames[entry.method];
    return "Unk:" + std::to_string(entry.method);
}
