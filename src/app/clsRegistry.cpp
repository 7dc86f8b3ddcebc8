#include "app/clsRegistry.h"

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
