#pragma once

#include <optional>
#include <string>

// Digests of data by the system's cryptography.
class IDigests {
public:
    virtual ~IDigests() = default;

    // The SHA-256 of the bytes as 64 lower-case hex digits; nothing when the
    // system could not compute it.
    virtual std::optional<std::string> sha256(const std::string& bytes) = 0;
};
