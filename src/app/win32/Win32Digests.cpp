#include "app/win32/Win32Digests.h"

#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <memory>
#include <type_traits>

#include "app/win32/SystemLibrary.h"

namespace {
// CNG's functions, from bcrypt.dll loaded at the first digest: loaded with
// the program, it brings the system's TLS libraries into every start (2.5
// MiB of working set under Wine) for a check most runs never make.
struct Cng {
    template <typename Function>
    static Function Load(const char* name) {
        return SystemFunction<Function>(L"bcrypt.dll", name);
    }
    decltype(&BCryptOpenAlgorithmProvider) open = Load<decltype(open)>("BCryptOpenAlgorithmProvider");
    decltype(&BCryptCloseAlgorithmProvider) close = Load<decltype(close)>("BCryptCloseAlgorithmProvider");
    decltype(&BCryptCreateHash) createHash = Load<decltype(createHash)>("BCryptCreateHash");
    decltype(&BCryptHashData) hashData = Load<decltype(hashData)>("BCryptHashData");
    decltype(&BCryptFinishHash) finishHash = Load<decltype(finishHash)>("BCryptFinishHash");
    decltype(&BCryptDestroyHash) destroyHash = Load<decltype(destroyHash)>("BCryptDestroyHash");

    bool loaded() const { return open && close && createHash && hashData && finishHash && destroyHash; }
};

const Cng& TheCng() {
    static const Cng cng;
    return cng;
}

struct ProviderCloser {
    void operator()(BCRYPT_ALG_HANDLE provider) const { TheCng().close(provider, 0); }
};
struct HashCloser {
    void operator()(BCRYPT_HASH_HANDLE hash) const { TheCng().destroyHash(hash); }
};
using UniqueProvider = std::unique_ptr<std::remove_pointer_t<BCRYPT_ALG_HANDLE>, ProviderCloser>;
using UniqueHash = std::unique_ptr<std::remove_pointer_t<BCRYPT_HASH_HANDLE>, HashCloser>;

bool Succeeded(NTSTATUS status) { return status >= 0; }
}  // namespace

std::optional<std::string> Win32Digests::sha256(const std::string& bytes) {
    const Cng& cng = TheCng();
    if (!cng.loaded()) return std::nullopt;
    BCRYPT_ALG_HANDLE opened = nullptr;
    if (!Succeeded(cng.open(&opened, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) return std::nullopt;
    const UniqueProvider provider(opened);
    BCRYPT_HASH_HANDLE created = nullptr;
    if (!Succeeded(cng.createHash(provider.get(), &created, nullptr, 0, nullptr, 0, 0))) return std::nullopt;
    const UniqueHash hash(created);
    // BCryptHashData takes at most a ULONG's worth at a time.
    constexpr std::size_t kPiece = 1u << 30;
    for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
        const ULONG length = static_cast<ULONG>(std::min(kPiece, bytes.size() - at));
        auto* data = reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data() + at));
        if (!Succeeded(cng.hashData(hash.get(), data, length, 0))) return std::nullopt;
    }
    UCHAR digest[32];
    if (!Succeeded(cng.finishHash(hash.get(), digest, sizeof digest, 0))) return std::nullopt;
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (UCHAR byte : digest) {
        text += kHex[byte >> 4];
        text += kHex[byte & 15];
    }
    return text;
}
