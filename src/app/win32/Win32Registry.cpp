#include "app/win32/Win32Registry.h"

#include <cstring>

#include "app/win32/Handles.h"
#include "app/win32/WideText.h"

namespace {
UniqueRegKey OpenKey(const std::string& keyPath, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(keyPath).c_str(), 0, access, &key) != ERROR_SUCCESS) return nullptr;
    return UniqueRegKey(key);
}

UniqueRegKey CreateKey(const std::string& keyPath) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, Widen(keyPath).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return UniqueRegKey(key);
}

bool SetValue(const std::string& keyPath, const std::string& valueName, DWORD type, const void* data,
              std::size_t size) {
    const UniqueRegKey key = CreateKey(keyPath);
    return key && RegSetValueExW(key.get(), Widen(valueName).c_str(), 0, type, static_cast<const BYTE*>(data),
                                 static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

// String data is UTF-16 and may or may not end in NUL; the text is what
// stands before the first NUL.
std::string DecodeString(const std::vector<std::uint8_t>& bytes) {
    std::wstring wide(bytes.size() / sizeof(wchar_t), L'\0');
    if (!wide.empty()) std::memcpy(wide.data(), bytes.data(), wide.size() * sizeof(wchar_t));
    return Narrow(wide.substr(0, wide.find(L'\0')));
}

RegistryValueType TypeOf(DWORD type) {
    switch (type) {
        case REG_SZ: return RegistryValueType::String;
        case REG_EXPAND_SZ: return RegistryValueType::ExpandString;
        case REG_BINARY: return RegistryValueType::Binary;
        case REG_DWORD: return RegistryValueType::Dword;
        default: return RegistryValueType::Other;
    }
}
}  // namespace

bool Win32Registry::keyExists(const std::string& keyPath) { return OpenKey(keyPath, KEY_READ) != nullptr; }

std::optional<RegistryValue> Win32Registry::queryValue(const std::string& keyPath, const std::string& valueName) {
    const UniqueRegKey key = OpenKey(keyPath, KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    const std::wstring name = Widen(valueName);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    RegistryValue value;
    value.type = TypeOf(type);
    value.bytes.resize(size);
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, value.bytes.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        value.text = DecodeString(value.bytes);
        value.bytes.clear();
    }
    if (type == REG_DWORD && size == sizeof(DWORD)) std::memcpy(&value.number, value.bytes.data(), sizeof(DWORD));
    // A "number" of another size than four bytes is none: readers take their default.
    if (type == REG_DWORD && size != sizeof(DWORD)) value.type = RegistryValueType::Other;
    return value;
}

bool Win32Registry::createKey(const std::string& keyPath) { return CreateKey(keyPath) != nullptr; }

bool Win32Registry::setString(const std::string& keyPath, const std::string& valueName, const std::string& text) {
    // The data length counts the terminating NUL, as the system documents.
    const std::wstring wide = Widen(text);
    return SetValue(keyPath, valueName, REG_SZ, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

bool Win32Registry::setDword(const std::string& keyPath, const std::string& valueName, std::uint32_t number) {
    const DWORD data = number;
    return SetValue(keyPath, valueName, REG_DWORD, &data, sizeof data);
}

bool Win32Registry::setBinary(const std::string& keyPath, const std::string& valueName,
                              const std::vector<std::uint8_t>& bytes) {
    return SetValue(keyPath, valueName, REG_BINARY, bytes.data(), bytes.size());
}

bool Win32Registry::deleteValue(const std::string& keyPath, const std::string& valueName) {
    const UniqueRegKey key = OpenKey(keyPath, KEY_SET_VALUE);
    return key && RegDeleteValueW(key.get(), Widen(valueName).c_str()) == ERROR_SUCCESS;
}

long Win32Registry::deleteKey(const std::string& keyPath) {
    return RegDeleteKeyW(HKEY_CURRENT_USER, Widen(keyPath).c_str());
}
