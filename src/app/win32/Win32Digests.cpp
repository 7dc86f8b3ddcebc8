#include "app/win32/Win32Digests.h"

#include <windows.h>
#include <bcrypt.h>

#include <memory>
#include <type_traits>

namespace {
struct ProviderCloser {
    void operator()(BCRYPT_ALG_HANDLE provider) const { BCryptCloseAlgorithmProvider(provider, 0); }
};
struct HashCloser {
    void operator()(BCRYPT_HASH_HANDLE hash) const { BCryptDestroyHash(hash); }
};
using UniqueProvider = std::unique_ptr<std::remove_pointer_t<BCRYPT_ALG_HANDLE>, ProviderCloser>;
using UniqueHash = std::unique_ptr<std::remove_pointer_t<BCRYPT_HASH_HANDLE>, HashCloser>;

bool Succeeded(NTSTATUS status) { return status >= 0; }
}  // namespace

std::optional<std::string> Win32Digests::sha256(const std::string& bytes) {
    BCRYPT_ALG_HANDLE opened = nullptr;
    if (!Succeeded(BCryptOpenAlgorithmProvider(&opened, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) return std::nullopt;
    const UniqueProvider provider(opened);
    BCRYPT_HASH_HANDLE created = nullptr;
    if (!Succeeded(BCryptCreateHash(provider.get(), &created, nullptr, 0, nullptr, 0, 0))) return std::nullopt;
    const UniqueHash hash(created);
    // BCryptHashData takes at most a ULONG's worth at a time.
    constexpr std::size_t kPiece = 1u << 30;
    for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
        const ULONG length = static_cast<ULONG>(std::min(kPiece, bytes.size() - at));
        auto* data = reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data() + at));
        if (!Succeeded(BCryptHashData(hash.get(), data, length, 0))) return std::nullopt;
    }
    UCHAR digest[32];
    if (!Succeeded(BCryptFinishHash(hash.get(), digest, sizeof digest, 0))) return std::nullopt;
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (UCHAR byte : digest) {
        text += kHex[byte >> 4];
        text += kHex[byte & 15];
    }
    return text;
}
