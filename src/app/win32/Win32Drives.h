#pragma once

#include "app/Drives.h"

class Win32Drives : public IDrives {
public:
    std::vector<std::string> logicalDrives() override;
    DriveType driveType(const std::string& root) override;
};
