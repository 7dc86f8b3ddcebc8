#pragma once

#include <windows.h>

#include "cli/Console.h"

// Standard output, error and input as they are: a console gets and gives
// wide text (names outside the ANSI code page intact), a pipe or file UTF-8.
class Win32Console : public IConsole {
public:
    void out(const std::string& text) override { write(GetStdHandle(STD_OUTPUT_HANDLE), text); }
    void err(const std::string& text) override { write(GetStdHandle(STD_ERROR_HANDLE), text); }
    std::optional<std::string> readLine() override;

private:
    static void write(HANDLE handle, const std::string& text);
};
