#pragma once

#include "app/Digests.h"

// SHA-256 computed here (FIPS 180-4), as the system's would.
class FakeDigests : public IDigests {
public:
    std::optional<std::string> sha256(const std::string& bytes) override;
};
