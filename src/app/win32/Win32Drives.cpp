#include "app/win32/Win32Drives.h"

#include <windows.h>

#include <cwchar>

#include "app/win32/WideText.h"

std::vector<std::string> Win32Drives::logicalDrives() {
    std::vector<std::string> roots;
    // Ask for the size first: a fixed buffer would drop drives on a machine
    // with many of them.
    const DWORD size = GetLogicalDriveStringsW(0, nullptr);
    std::wstring buffer(size + 1, L'\0');
    const DWORD length = GetLogicalDriveStringsW(size, buffer.data());
    if (length == 0 || length > size) return roots;
    for (const wchar_t* entry = buffer.c_str(); *entry; entry += std::wcslen(entry) + 1) roots.push_back(Narrow(entry));
    return roots;
}

DriveType Win32Drives::driveType(const std::string& root) {
    return static_cast<DriveType>(GetDriveTypeW(Widen(root).c_str()));
}
