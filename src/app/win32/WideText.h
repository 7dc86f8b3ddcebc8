#pragma once

#include <string>

// The program keeps text as UTF-8; Win32 takes UTF-16. These convert at
// the boundary. FromAnsi converts 8-bit text from other programs, which is
// in the system's ANSI code page.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
std::string Narrow(const wchar_t* wide, std::size_t length);
std::string FromAnsi(const std::string& ansi);
