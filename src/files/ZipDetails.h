#pragma once

#include <cstdint>
#include <string>

#include "app/Clock.h"
#include "files/ZipFormat.h"

// An MS-DOS date and time as local wall-clock time; fields out of range
// are brought to their nearest valid value, a day past the month's end
// (30 February) to its last day: the system refuses to set a file time on
// a date that does not exist.
DateTime DosDateTime(std::uint16_t date, std::uint16_t time);
// The method's name as Info-ZIP's listing words it: "BZip2", "Unk:99" and
// so on.
std::string MethodName(const ZipEntry& entry);
