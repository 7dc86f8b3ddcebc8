#pragma once

// The real corvane.exe, started from a prepared program folder of its own
// in the temporary folder, which the fixture deletes afterwards.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/Helpers.h"
#include "app/win32/BuildPaths.h"
#include "app/win32/Handles.h"
#include "app/win32/WideText.h"
#include "app/win32/Win32FileSystem.h"
#include "app/Utf16.h"
#include "app/WholeFile.h"

inline std::wstring ProgramFile() { return Widen(WindowsPath(CORVANE_EXE)); }

inline HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, int milliseconds = 20000) {
    for (int waited = 0; waited < milliseconds; waited += 50) {
        HWND window = FindWindowW(className, caption);
        if (window && IsWindowVisible(window)) return window;
        Sleep(50);
    }
    return nullptr;
}

// Waits up to `milliseconds` for the condition; true when it holds.
inline bool WaitFor(const std::function<bool()>& condition, int milliseconds = 10000) {
    for (int waited = 0; waited < milliseconds && !condition(); waited += 50) Sleep(50);
    return condition();
}

// Waits up to `milliseconds` for the window to go; true when it has.
inline bool WaitUntilClosed(HWND window, int milliseconds = 20000) {
    return WaitFor([window] { return !IsWindow(window); }, milliseconds);
}

// Answers the box captioned `caption`, then waits for it to go, so that the
// next answer finds the next box, and lets the program act on the answer;
// false when no such box came.
inline bool Answer(const wchar_t* caption, int button) {
    HWND box = WaitForWindow(L"#32770", caption);
    if (!box) return false;
    PostMessageW(box, WM_COMMAND, button, 0);
    const bool closed = WaitUntilClosed(box, 5000);
    Sleep(300);
    return closed;
}

// The list's row count, once it is `expected` or 10 seconds have passed.
inline LRESULT RowsOnceThere(HWND list, LRESULT expected) {
    for (int waited = 0; waited < 10000 && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) != expected; waited += 100)
        Sleep(100);
    return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
}

// The address of the suite's local update service.
inline std::string ServiceBase() {
    const auto port = Win32FileSystem().readFile(WindowsPath(CORVANE_SERVICE_PORT_FILE), kWholeFile);
    return "http://127.0.0.1:" + port.value_or("0") + "/";
}

class ProgramFixture : public ::testing::Test {
protected:
    ProgramFixture() {
        folder = Widen(files.tempFolder()) + L"corvane-program-" + std::to_wstring(GetTickCount()) + L"\\";
        CreateDirectoryW(folder.c_str(), nullptr);
        CopyFileW(ProgramFile().c_str(), (folder + L"corvane.exe").c_str(), FALSE);
    }
    ~ProgramFixture() override {
        // A test that stopped half-way leaves no program running for the next.
        for (DWORD id : started_)
            if (const UniqueHandle process{OpenProcess(PROCESS_TERMINATE, FALSE, id)}) TerminateProcess(process.get(), 1);
        files.shellFileOperation(ShellOperation::Delete, Narrow(folder.substr(0, folder.size() - 1)), "",
                                 ShellFlags::kSilent | ShellFlags::kNoConfirmation | ShellFlags::kNoErrorUi, "", 0);
    }
    void addPlugin(const std::string& fixture, const std::wstring& target) {
        const std::wstring source = Widen(WindowsPath(CORVANE_FIXTURES) + "\\" + fixture);
        CreateDirectoryW((folder + target.substr(0, target.find(L'\\'))).c_str(), nullptr);
        CopyFileW(source.c_str(), (folder + target).c_str(), FALSE);
    }

    void writeSettings(const std::string& text) {
        DeleteFileW((folder + L"settings.ini").c_str());
        files.appendToFile(Narrow(folder) + "settings.ini", text);
    }
    std::string readFile(const wchar_t* name) { return files.readFile(Narrow(folder + name), kWholeFile).value_or(""); }
    // The log once it holds the line (the main window may show while the
    // scans still run), or as it is after 20 s.
    std::string logWith(const std::string& line) {
        std::string log = readFile(L"corvane.log");
        for (int waited = 0; log.find("]: " + line + "\r\n") == std::string::npos && waited < 20000; waited += 50) {
            Sleep(50);
            log = readFile(L"corvane.log");
        }
        return log;
    }
    // A text file's text, whether 8-bit or UTF-16 after its mark.
    std::string readText(const wchar_t* name) { return TextOfFile(readFile(name)); }

    UniqueHandle start(const std::wstring& arguments = L"") {
        std::wstring commandLine = L"\"" + folder + L"corvane.exe\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                            &startup, &process))
            return nullptr;
        CloseHandle(process.hThread);
        started_.push_back(process.dwProcessId);
        return UniqueHandle(process.hProcess);
    }

    Win32FileSystem files;
    std::wstring folder;
    std::vector<DWORD> started_;
    const std::wstring caption = Widen("Orvisk's Corvane v" CORVANE_VERSION);
};

// Types keys as the user would, into the window in front: each key of
// `keys` pressed and released, with Alt held down for the first when asked.
inline void TypeKeys(HWND window, const std::vector<WORD>& keys, bool altFirst) {
    SetForegroundWindow(window);
    Sleep(200);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        std::vector<INPUT> inputs;
        const auto key = [&](WORD code, bool up) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = code;
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(input);
        };
        const bool alt = altFirst && i == 0;
        if (alt) key(VK_MENU, false);
        key(keys[i], false);
        key(keys[i], true);
        if (alt) key(VK_MENU, true);
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        Sleep(300);
    }
}
