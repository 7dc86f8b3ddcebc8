#pragma once

#include <string>
#include <vector>

// The system's drive types, with the numbers it gives them.
enum class DriveType { Unknown = 0, NoRootDir = 1, Removable = 2, Fixed = 3, Remote = 4, CdRom = 5, RamDisk = 6 };

class IDrives {
public:
    virtual ~IDrives() = default;

    // The root of every logical drive ("C:\"), in the system's order.
    virtual std::vector<std::string> logicalDrives() = 0;
    virtual DriveType driveType(const std::string& root) = 0;
};
