#pragma once

#include <cstdint>
#include <string>

#include "app/Clock.h"
#include "files/ZipFormat.h"

// What listing reports of an entry.

inline std::uint32_t Clamp32(std::uint64_t value) {
    return value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(value);
}
// The space the packing saves, in percent of the size, rounded; 0 when
// nothing was saved.
int CompressionFactor(std::uint64_t size, std::uint64_t packedSize);
// An MS-DOS date and time as local wall-clock time; fields out of range
// are brought to their nearest valid value, a day past the month's end
// (30 February) to its last day: the system refuses to set a file time on
// a date that does not exist.
DateTime DosDateTime(std::uint16_t date, std::uint16_t time);
// The method as Info-ZIP's listing words it: "Stored", "Defl:N" and so on.
std::string MethodName(const ZipEntry& entry);
