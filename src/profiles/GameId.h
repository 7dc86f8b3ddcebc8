#pragma once

#include <string>

#include "app/FileSystem.h"

// The game ID in the text of a PSX disc's SYSTEM.CNF: the eleven characters
// before the last ";" of the first field of the first line, read as a
// comma-separated reader reads it ("BOOT = cdrom:\SLUS_004.26;1" gives
// SLUS_004.26). Empty when the field has no ";" with eleven characters
// before it.
std::string GameIdOfSystemCnf(const std::string& text);

// The game ID of the disc in the drive (a root such as "D:\"); empty when
// no drive is given, there is no disc or it has no SYSTEM.CNF.
std::string detectPSXGameID(IFileSystem& files, const std::string& driveRoot);
