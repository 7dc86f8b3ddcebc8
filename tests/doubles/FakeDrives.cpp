#include "doubles/FakeDrives.h"

std::vector<std::string> FakeDrives::logicalDrives() {
    std::vector<std::string> roots;
    for (const auto& drive : drives_) roots.push_back(drive.first);
    return roots;
}

DriveType FakeDrives::driveType(const std::string& root) {
    for (const auto& drive : drives_)
        if (drive.first == root) return drive.second;
    return DriveType::NoRootDir;
}
