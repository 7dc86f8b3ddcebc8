#include "app/win32/Win32IniFile.h"

#include <windows.h>

#include "app/win32/WideText.h"

namespace {
constexpr std::size_t kLongestLine = 65536;
}  // namespace

std::string Win32IniFile::readString(const std::string& file, const std::string& section, const std::string& key,
                                     const std::string& defaultValue) {
    const std::wstring wideSection = Widen(section), wideKey = Widen(key), wideDefault = Widen(defaultValue),
                       wideFile = Widen(file);
    // A value that fills the buffer comes back cut with the length
    // size - 1, so the buffer grows until the value fits. An INI line holds
    // at most 32 767 characters, where the growth stops.
    std::wstring buffer(256, L'\0');
    for (;;) {
        const DWORD length =
            GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), wideDefault.c_str(), buffer.data(),
                                     static_cast<DWORD>(buffer.size()), wideFile.c_str());
        if (length + 1 < buffer.size() || buffer.size() >= kLongestLine) return Narrow(buffer.data(), length);
        buffer.assign(buffer.size() * 4, L'\0');
    }
}

int Win32IniFile::readInt(const std::string& file, const std::string& section, const std::string& key,
                          int defaultValue) {
    return static_cast<int>(
        GetPrivateProfileIntW(Widen(section).c_str(), Widen(key).c_str(), defaultValue, Widen(file).c_str()));
}

bool Win32IniFile::writeString(const std::string& file, const std::string& section, const std::string& key,
                               const std::string& value) {
    return WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(value).c_str(),
                                      Widen(file).c_str()) != FALSE;
}

bool Win32IniFile::flush(const std::string& file) {
    // All three names empty: the system writes out what it holds of the file.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, Widen(file).c_str());
    return true;
}
