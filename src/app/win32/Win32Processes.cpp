#include "app/win32/Win32Processes.h"

#include <windows.h>

#include "app/win32/Handles.h"
#include "app/win32/MessageWait.h"
#include "app/win32/WideText.h"


ProcessOutcome Win32Processes::run(const ProcessStart& start, const std::function<void(unsigned long)>& onStarted) {
    ProcessOutcome outcome;
    const std::wstring application = Widen(start.application);
    std::wstring commandLine = Widen(start.commandLine);
    const std::wstring folder = Widen(start.workingFolder);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(start.hidden ? SW_HIDE : SW_SHOWNORMAL);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        start.hidden ? CREATE_NO_WINDOW : 0, nullptr, folder.empty() ? nullptr : folder.c_str(),
                        &startup, &process)) {
        outcome.error = GetLastError();
        return outcome;
    }
    const UniqueHandle thread(process.hThread), handle(process.hProcess);
    outcome.started = true;
    outcome.processId = process.dwProcessId;
    if (onStarted) onStarted(outcome.processId);
    WaitDispatching(handle.get());
    DWORD exitCode = 0;
    GetExitCodeProcess(handle.get(), &exitCode);
    outcome.exitCode = exitCode;
    return outcome;
}

std::string Win32Processes::systemFolder() {
    wchar_t buffer[MAX_PATH];
    const UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    return Narrow(buffer, length) + "\\";
}
