#pragma once

#include <cstdint>
#include <string>

#include "app/Registry.h"

// The program's only way into the registry. Stateless: every operation
// opens (or creates) its key, does one thing and closes it, so it sees what
// other programs wrote in between. Nothing is raised: a failed read gives
// the caller's default, a failed write is silent.
class clsRegistry {
public:
    // The only root the program uses.
    static constexpr std::uint32_t kCurrentUser = 0x80000001;  // HKEY_CURRENT_USER

    explicit clsRegistry(IRegistry& registry) : registry_(registry) {}

    // The REG_SZ text (up to its first NUL); Default for anything else.
    std::string GetRegString(std::uint32_t hKey, const std::string& strPath, const std::string& strValue,
                             const std::string& Default = "");
    void SaveRegString(std::uint32_t hKey, const std::string& strPath, const std::string& strValue,
                       const std::string& strData);

private:
    // Calls with another root reach nothing.
    static bool known(std::uint32_t hKey) { return hKey == kCurrentUser; }

    IRegistry& registry_;
};
