#include "app/win32/Win32IniFile.h"

#include <windows.h>

#include "app/win32/WideText.h"

std::string Win32IniFile::readString(const std::string& file, const std::string& section, const std::string& key,
                                     const std::string& defaultValue) {
    wchar_t buffer[kReadBufferChars];
    const DWORD length = GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                                  Widen(defaultValue).c_str(), buffer, kReadBufferChars,
                                                  Widen(file).c_str());
    return Narrow(buffer, length);
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
