#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The traditional PKWARE stream cipher of encrypted zip entries.
class TraditionalCipher {
public:
    explicit TraditionalCipher(const std::string& password);
    void decrypt(unsigned char* data, std::size_t count);
    void encrypt(unsigned char* data, std::size_t count);  // for building test archives

    static constexpr std::size_t kHeaderSize = 12;

private:
    unsigned char keyByte() const;
    void update(unsigned char plain);
    std::uint32_t keys_[3] = {0x12345678, 0x23456789, 0x34567890};
};
