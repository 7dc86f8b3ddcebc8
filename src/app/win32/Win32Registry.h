#pragma once

#include "app/Registry.h"

class Win32Registry : public IRegistry {
public:
    bool keyExists(const std::string& keyPath) override;
    std::optional<RegistryValue> queryValue(const std::string& keyPath, const std::string& valueName) override;
    bool createKey(const std::string& keyPath) override;
    bool setString(const std::string& keyPath, const std::string& valueName, const std::string& text) override;
    bool setDword(const std::string& keyPath, const std::string& valueName, std::uint32_t number) override;
    bool setBinary(const std::string& keyPath, const std::string& valueName,
                   const std::vector<std::uint8_t>& bytes) override;
    bool deleteValue(const std::string& keyPath, const std::string& valueName) override;
    long deleteKey(const std::string& keyPath) override;
};
