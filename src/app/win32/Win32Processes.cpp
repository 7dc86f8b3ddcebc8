#include "app/win32/Win32Processes.h"

#include <windows.h>

#include "app/win32/Handles.h"
#include "app/win32/WideText.h"

namespace {
// Waits on the process itself, not on its exit code (a program may well
// end with the code that means "still running"), and lets the thread's
// messages run whenever any arrive.
void WaitDispatching(HANDLE process) {
    bool quitAsked = false;
    int quitCode = 0;
    while (MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quitAsked = true;
                quitCode = static_cast<int>(message.wParam);
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // The loop that asked to end gets its answer once the wait is over.
    if (quitAsked) PostQuitMessage(quitCode);
}
}  // namespace

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
