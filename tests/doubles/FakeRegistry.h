#pragma once

#include <map>
#include <string>

#include "app/Registry.h"

// HKEY_CURRENT_USER in memory: key and value names ignore letter case, as
// the system's do. Values are kept as type and bytes, the way the system
// stores them, so tests can plant any type (REG_EXPAND_SZ, REG_MULTI_SZ, ...).
class FakeRegistry : public IRegistry {
public:
    // Test set-up: a value of the system's raw type number and bytes.
    void plantValue(const std::string& keyPath, const std::string& valueName, unsigned rawType,
                    const std::string& bytes);

    // The values of a key, by lower-case name, for whoever plays the
    // registry tool in a test.
    std::map<std::string, RegistryValue> valuesOf(const std::string& keyPath);
    // Deletes a key with every key below it, as the registry tool does.
    void deleteTree(const std::string& keyPath);

    bool keyExists(const std::string& keyPath) override;
    std::optional<RegistryValue> queryValue(const std::string& keyPath, const std::string& valueName) override;
    bool createKey(const std::string& keyPath) override;
    bool setString(const std::string& keyPath, const std::string& valueName, const std::string& text) override;
    bool setDword(const std::string& keyPath, const std::string& valueName, std::uint32_t number) override;
    bool setBinary(const std::string& keyPath, const std::string& valueName,
                   const std::vector<std::uint8_t>& bytes) override;
    bool deleteValue(const std::string& keyPath, const std::string& valueName) override;
    long deleteKey(const std::string& keyPath) override;

private:
    struct Stored {
        unsigned type;
        std::string bytes;
    };
    using Values = std::map<std::string, Stored>;
    Values* findKey(const std::string& keyPath);
    bool set(const std::string& keyPath, const std::string& valueName, unsigned type, const std::string& bytes);

    std::map<std::string, Values> keys_;  // by lower-case path
};

// Decodes stored registry data the way the system hands it over.
RegistryValue DecodeRegistryValue(unsigned rawType, const std::string& bytes);
