#pragma once

#include <utility>
#include <vector>

#include "app/Drives.h"

// Drives a test lists with their types, in the order given.
class FakeDrives : public IDrives {
public:
    void add(const std::string& root, DriveType type) { drives_.emplace_back(root, type); }

    std::vector<std::string> logicalDrives() override;
    DriveType driveType(const std::string& root) override;

private:
    std::vector<std::pair<std::string, DriveType>> drives_;
};
