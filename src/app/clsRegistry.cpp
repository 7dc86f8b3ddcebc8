#include "app/clsRegistry.h"

namespace {
constexpr long kInvalidHandle = 6;  // the system's answer for an unknown root
}

void clsRegistry::DelRegValue(std::uint32_t hKey, const std::string& strPath, const std::string& strValue) {
    if (known(hKey)) registry_.deleteValue(strPath, strValue);
}

long clsRegistry::DelRegKey(std::uint32_t hKey, const std::string& strPath) {
    return known(hKey) ? registry_.deleteKey(strPath) : kInvalidHandle;
}

void clsRegistry::CreateRegKey(std::uint32_t hKey, const std::string& strPath) {
    if (known(hKey)) registry_.createKey(strPath);
}

std::string clsRegistry::GetRegString(std::uint32_t hKey, const std::string& strPath, const std::string& strValue,
                                      const std::string& Default) {
    if (!known(hKey)) return Default;
    const auto value = registry_.queryValue(strPath, strValue);
    return value && value->type == RegistryValueType::String ? value->text : Default;
}

void clsRegistry::SaveRegString(std::uint32_t hKey, const std::string& strPath, const std::string& strValue,
                                const std::string& strData) {
    if (known(hKey)) registry_.setString(strPath, strValue, strData);
}

std::int32_t clsRegistry::GetRegLong(std::uint32_t hKey, const std::string& strPath, const std::string& strValue,
                                     std::int32_t Default) {
    if (!known(hKey)) return Default;
    const auto value = registry_.queryValue(strPath, strValue);
    return value && value->type == RegistryValueType::Dword ? static_cast<std::int32_t>(value->number) : Default;
}

void clsRegistry::SaveRegLong(std::uint32_t hKey, const std::string& strPath, const std::string& strValue,
                              std::int32_t lData) {
    if (known(hKey)) registry_.setDword(strPath, strValue, static_cast<std::uint32_t>(lData));
}

std::optional<std::vector<std::uint8_t>> clsRegistry::GetRegByte(std::uint32_t hKey, const std::string& strPath,
                                                                 const std::string& strValueName,
                                                                 std::optional<std::vector<std::uint8_t>> Default) {
    if (!known(hKey)) return Default;
    const auto value = registry_.queryValue(strPath, strValueName);
    if (value && value->type == RegistryValueType::Binary) return value->bytes;
    return Default;
}

void clsRegistry::SaveRegByte(std::uint32_t hKey, const std::string& strPath, const std::string& strValueName,
                              const std::vector<std::uint8_t>& byData) {
    if (known(hKey)) registry_.setBinary(strPath, strValueName, byData);
}
