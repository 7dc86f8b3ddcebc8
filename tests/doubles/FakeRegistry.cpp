#include "doubles/FakeRegistry.h"

#include "app/Helpers.h"

namespace {
constexpr unsigned kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4;

// Every key along a path exists once the path does.
std::string Normalise(const std::string& keyPath) {
    std::string path = keyPath;
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return LowerCase(path);
}
}  // namespace

RegistryValue DecodeRegistryValue(unsigned rawType, const std::string& bytes) {
    RegistryValue value;
    if (rawType != kRegSz && rawType != kRegExpandSz) value.bytes.assign(bytes.begin(), bytes.end());
    switch (rawType) {
        case kRegSz:
        case kRegExpandSz:
            value.type = rawType == kRegSz ? RegistryValueType::String : RegistryValueType::ExpandString;
            value.text = bytes.substr(0, bytes.find('\0'));
            break;
        case kRegBinary:
            value.type = RegistryValueType::Binary;
            break;
        case kRegDword:
            // Four bytes or it is no number the program can read.
            value.type = bytes.size() == 4 ? RegistryValueType::Dword : RegistryValueType::Other;
            for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i)
                value.number |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
            break;
        default:
            value.type = RegistryValueType::Other;
    }
    return value;
}

FakeRegistry::Values* FakeRegistry::findKey(const std::string& keyPath) {
    const auto found = keys_.find(Normalise(keyPath));
    return found == keys_.end() ? nullptr : &found->second;
}

void FakeRegistry::plantValue(const std::string& keyPath, const std::string& valueName, unsigned rawType,
                              const std::string& bytes) {
    set(keyPath, valueName, rawType, bytes);
}

bool FakeRegistry::keyExists(const std::string& keyPath) { return findKey(keyPath) != nullptr; }

std::map<std::string, RegistryValue> FakeRegistry::valuesOf(const std::string& keyPath) {
    std::map<std::string, RegistryValue> values;
    if (const Values* stored = findKey(keyPath))
        for (const auto& [name, value] : *stored) values[name] = DecodeRegistryValue(value.type, value.bytes);
    return values;
}

std::optional<RegistryValue> FakeRegistry::queryValue(const std::string& keyPath, const std::string& valueName) {
    const Values* values = findKey(keyPath);
    if (!values) return std::nullopt;
    const auto found = values->find(LowerCase(valueName));
    if (found == values->end()) return std::nullopt;
    return DecodeRegistryValue(found->second.type, found->second.bytes);
}

bool FakeRegistry::createKey(const std::string& keyPath) {
    const std::string path = Normalise(keyPath);
    if (path.empty()) return false;
    for (std::size_t slash = path.find('\\'); slash != std::string::npos; slash = path.find('\\', slash + 1))
        keys_.try_emplace(path.substr(0, slash));
    keys_.try_emplace(path);
    return true;
}

bool FakeRegistry::set(const std::string& keyPath, const std::string& valueName, unsigned type,
                       const std::string& bytes) {
    if (!createKey(keyPath)) return false;
    keys_[Normalise(keyPath)][LowerCase(valueName)] = Stored{type, bytes};
    return true;
}

bool FakeRegistry::setString(const std::string& keyPath, const std::string& valueName, const std::string& text) {
    return set(keyPath, valueName, kRegSz, text + std::string(1, '\0'));
}

bool FakeRegistry::setDword(const std::string& keyPath, const std::string& valueName, std::uint32_t number) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(number >> (8 * i) & 0xFF);
    return set(keyPath, valueName, kRegDword, bytes);
}

bool FakeRegistry::setBinary(const std::string& keyPath, const std::string& valueName,
                             const std::vector<std::uint8_t>& bytes) {
    return set(keyPath, valueName, kRegBinary, std::string(bytes.begin(), bytes.end()));
}

bool FakeRegistry::deleteValue(const std::string& keyPath, const std::string& valueName) {
    Values* values = findKey(keyPath);
    return values && values->erase(LowerCase(valueName)) > 0;
}

void FakeRegistry::deleteTree(const std::string& keyPath) {
    const std::string path = Normalise(keyPath);
    keys_.erase(path);
    for (auto below = keys_.lower_bound(path + "\\"); below != keys_.end() && below->first.rfind(path + "\\", 0) == 0;)
        below = keys_.erase(below);
}

long FakeRegistry::deleteKey(const std::string& keyPath) {
    constexpr long kFileNotFound = 2, kAccessDenied = 5;
    const std::string path = Normalise(keyPath);
    if (!findKey(path)) return kFileNotFound;
    const auto next = keys_.lower_bound(path + "\\");
    if (next != keys_.end() && next->first.rfind(path + "\\", 0) == 0) return kAccessDenied;
    keys_.erase(path);
    return 0;
}
