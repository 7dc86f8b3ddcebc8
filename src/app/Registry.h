#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The kinds of registry value the program tells apart; every other type
// the system knows is reported as Other.
enum class RegistryValueType { String, ExpandString, Binary, Dword, Other };

struct RegistryValue {
    RegistryValueType type = RegistryValueType::Other;
    // String and ExpandString data is decoded into text (up to the first
    // NUL) and Dword data into number; bytes holds the data of every other
    // type as stored.
    std::vector<std::uint8_t> bytes;
    std::string text;
    std::uint32_t number = 0;
};

// Keys and values below HKEY_CURRENT_USER, the only hive the program uses.
// Key paths are relative, backslash-separated, without a leading backslash.
// Every call opens the key, does one thing and closes it again, so each call
// sees what other programs have written in between.
class IRegistry {
public:
    virtual ~IRegistry() = default;

    virtual bool keyExists(const std::string& keyPath) = 0;
    // The value, or nothing when the key or the value is missing.
    virtual std::optional<RegistryValue> queryValue(const std::string& keyPath,
                                                    const std::string& valueName) = 0;

    // Writers create the key, with any missing parents, when needed.
    virtual bool createKey(const std::string& keyPath) = 0;
    virtual bool setString(const std::string& keyPath, const std::string& valueName,
                           const std::string& text) = 0;
    virtual bool setDword(const std::string& keyPath, const std::string& valueName,
                          std::uint32_t number) = 0;
    virtual bool setBinary(const std::string& keyPath, const std::string& valueName,
                           const std::vector<std::uint8_t>& bytes) = 0;

    virtual bool deleteValue(const std::string& keyPath, const std::string& valueName) = 0;
    // The system's result code: 0 on success. A key that still has subkeys
    // is not deleted.
    virtual long deleteKey(const std::string& keyPath) = 0;
};
