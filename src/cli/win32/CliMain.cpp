// corvane-cli.exe: the console program over the session, for scripts and
// game front-ends. It works on the program folder it sits in and checks
// plug-ins through the probe helper of corvane.exe beside it.
#include <windows.h>

#include <exception>

#include "app/Helpers.h"
#include "app/win32/WideText.h"
#include "app/win32/Win32Platform.h"
#include "cli/CliProgram.h"
#include "cli/win32/Win32Console.h"
#include "plugins/win32/ProbeHelperProcess.h"

int wmain(int argc, wchar_t** argv) {
    // No system box for an empty drive or a broken library: nobody may be
    // there to answer it.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    Win32Console console;
    try {
        Win32Platform platform;
        ProbeHelperProcess helper(Widen(QualifyPath(platform.environment.programFolder()) + "corvane.exe"));
        InProcessProbe inProcess(platform.libraries);
        HelperProbe probe(helper, HelperProbe::kDefaultTimeout, &inProcess);
        CliProgram program(platform.services, console, &probe);
        std::vector<std::string> arguments;
        for (int i = 1; i < argc; ++i) arguments.push_back(Narrow(argv[i]));
        return program.run(arguments);
    } catch (const std::exception& error) {
        console.err(std::string("Unexpected Error: ") + error.what() + "\n");
    } catch (...) {
        console.err("Unexpected Error\n");
    }
    return CliProgram::kFailed;
}
