#pragma once

#include "app/Digests.h"

// Digests through the system's CNG (bcrypt.dll).
class Win32Digests : public IDigests {
public:
    std::optional<std::string> sha256(const std::string& bytes) override;
};
