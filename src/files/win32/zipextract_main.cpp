#include <windows.h>
#include <shellapi.h>

#include <iostream>

#include "app/win32/Win32ExtractionFiles.h"
#include "app/win32/WideText.h"
#include "files/zipextract.h"

int main() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) arguments.push_back(Narrow(wide[i]));
    LocalFree(wide);
    Win32ExtractionFiles files;
    return RunZipExtract(files, arguments, std::cout);
}
