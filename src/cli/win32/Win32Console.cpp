#include "cli/win32/Win32Console.h"

#include "app/win32/WideText.h"

namespace {
bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != FALSE;
}
}  // namespace

void Win32Console::write(HANDLE handle, const std::string& text) {
    DWORD written = 0;
    if (IsConsole(handle)) {
        const std::wstring wide = Widen(text);
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

std::optional<std::string> Win32Console::readLine() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    const bool console = IsConsole(input);
    std::wstring wide;
    std::string bytes;
    for (;;) {
        wchar_t unit = 0;
        char byte = 0;
        DWORD read = 0;
        const bool got = console ? ReadConsoleW(input, &unit, 1, &read, nullptr) && read == 1
                                 : ReadFile(input, &byte, 1, &read, nullptr) && read == 1;
        if (!got) {
            if (wide.empty() && bytes.empty()) return std::nullopt;
            break;
        }
        if ((console ? unit : static_cast<wchar_t>(byte)) == L'\n') break;
        if (console) wide += unit;
        else bytes += byte;
    }
    std::string line = console ? Narrow(wide) : bytes;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}
