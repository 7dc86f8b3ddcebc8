#include "files/ZipCrypto.h"

#include <zlib.h>

namespace {
std::uint32_t Crc32Byte(std::uint32_t crc, unsigned char byte) {
    static const z_crc_t* table = get_crc_table();
    return table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
}
}  // namespace

TraditionalCipher::TraditionalCipher(const std::string& password) {
    for (const char c : password) update(static_cast<unsigned char>(c));
}

unsigned char TraditionalCipher::keyByte() const {
    const std::uint32_t temp = (keys_[2] | 2) & 0xFFFF;
    return static_cast<unsigned char>((temp * (temp ^ 1)) >> 8);
}

void TraditionalCipher::update(unsigned char plain) {
    keys_[0] = Crc32Byte(keys_[0], plain);
    keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813 + 1;
    keys_[2] = Crc32Byte(keys_[2], static_cast<unsigned char>(keys_[1] >> 24));
}

void TraditionalCipher::decrypt(unsigned char* data, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        data[i] ^= keyByte();
        update(data[i]);
    }
}

void TraditionalCipher::encrypt(unsigned char* data, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char plain = data[i];
        data[i] ^= keyByte();
        update(plain);
    }
}
