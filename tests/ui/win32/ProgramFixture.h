#pragma once

// The real corvane.exe, started from a prepared program folder of its own
// in the temporary folder, which the fixture deletes afterwards.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/Utf16.h"
#include "app/WholeFile.h"
#include "app/win32/BuildPaths.h"
#include "app/win32/Handles.h"
#include "app/win32/WideText.h"
#include "app/win32/Win32FileSystem.h"

// Waits up to `milliseconds` for the condition; true when it holds.
inline bool WaitFor(const std::function<bool()>& condition, int milliseconds = 10000) {
    for (int waited = 0; waited < milliseconds && !condition(); waited += 50) Sleep(50);
    return condition();
}

inline HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, int milliseconds = 20000) {
    HWND window = nullptr;
    const auto shown = [&] { return (window = FindWindowW(className, caption)) && IsWindowVisible(window); };
    return WaitFor(shown, milliseconds) ? window : nullptr;
}

inline bool WaitUntilClosed(HWND window) { return WaitFor([window] { return !IsWindow(window); }, 20000); }

// Answers the box captioned `caption` and waits for it to go, so that the
// next answer finds the next box; false when no such box came.
inline bool Answer(const wchar_t* caption, int button) {
    HWND box = WaitForWindow(L"#32770", caption);
    if (box) PostMessageW(box, WM_COMMAND, button, 0);
    const bool answered = box && WaitUntilClosed(box);
    Sleep(300);  // the program acts on the answer
    return answered;
}

// The n-th list view of the main window (0: the PSX graphics list).
inline HWND ListNumber(HWND main, int n) {
    HWND list = nullptr;
    for (int i = 0; i <= n; ++i) list = FindWindowExW(main, list, WC_LISTVIEWW, nullptr);
    return list;
}

inline LRESULT Rows(HWND list) { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); }

// The control that has the keyboard focus in the program's window.
inline HWND FocusOf(HWND main) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
    return info.hwndFocus;
}

inline std::wstring RegistryText(const wchar_t* key, const wchar_t* value) {
    wchar_t text[260] = L"";
    DWORD size = sizeof text;
    RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, text, &size);
    return text;
}

// Types keys as the user would, into the window brought to the front, with
// Alt held down for the first when asked.
inline void TypeKeys(HWND window, const std::vector<WORD>& keys, bool altFirst) {
    SetForegroundWindow(window);
    Sleep(200);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const WORD codes[4] = {VK_MENU, keys[i], keys[i], VK_MENU};
        INPUT inputs[4]{};
        for (int k = 0; k < 4; ++k) {
            inputs[k].type = INPUT_KEYBOARD;
            inputs[k].ki.wVk = codes[k];
            inputs[k].ki.dwFlags = k < 2 ? 0 : KEYEVENTF_KEYUP;
        }
        const bool alt = altFirst && i == 0;
        SendInput(alt ? 4 : 2, alt ? inputs : inputs + 1, sizeof(INPUT));
        Sleep(300);
    }
}

class ProgramFixture : public ::testing::Test {
protected:
    ProgramFixture() {
        CreateDirectoryW(folder.c_str(), nullptr);
        CopyFileW(Widen(WindowsPath(CORVANE_EXE)).c_str(), (folder + L"corvane.exe").c_str(), FALSE);
        ForgetEmulatorKeys();
    }
    ~ProgramFixture() override {
        ForgetEmulatorKeys();
        // A test that stopped half-way leaves no program running for the next.
        for (DWORD id : started_)
            if (const UniqueHandle process{OpenProcess(PROCESS_TERMINATE, FALSE, id)}) TerminateProcess(process.get(), 1);
        files.shellFileOperation(ShellOperation::Delete, Narrow(folder.substr(0, folder.size() - 1)), "",
                                 ShellFlags::kSilent | ShellFlags::kNoConfirmation | ShellFlags::kNoErrorUi, "", 0);
    }
    // The emulators' keys the tests write, gone before and after each.
    static void ForgetEmulatorKeys() {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pcsx");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\epsxe\\config", L"Probe");
    }
    // Copies a file of the fixtures' folder to `target` in the program folder.
    void addPlugin(const std::string& fixture, const std::wstring& target) {
        CreateDirectoryW((folder + target.substr(0, target.rfind(L'\\') + 1)).c_str(), nullptr);
        CopyFileW(Widen(WindowsPath(CORVANE_FIXTURES) + "\\" + fixture).c_str(), (folder + target).c_str(), FALSE);
    }
    // A text file in UTF-16, as Corvane writes its settings and profiles.
    void writeText(const std::wstring& name, const std::string& text) {
        CreateDirectoryW((folder + name.substr(0, name.rfind(L'\\') + 1)).c_str(), nullptr);
        DeleteFileW((folder + name).c_str());
        files.appendToFile(Narrow(folder + name), kUtf16Mark + Utf8ToUtf16(text));
    }
    void writeSettings(const std::string& text) { writeText(L"settings.ini", text); }
    std::string readFile(const std::wstring& name) { return files.readFile(Narrow(folder + name), kWholeFile).value_or(""); }
    bool logHas(const std::string& line, int times = 1) {
        const std::string log = readFile(L"corvane.log"), wanted = "]: " + line + "\r\n";
        int found = 0;
        for (auto at = log.find(wanted); at != std::string::npos; at = log.find(wanted, at + 1)) ++found;
        return found >= times;
    }
    // Starts a program of the folder, handing it the standard handles of
    // `handles` when there are some.
    UniqueHandle start(const std::wstring& file = L"corvane.exe", const std::wstring& arguments = L"",
                       const STARTUPINFOW* handles = nullptr) {
        std::wstring commandLine = L"\"" + folder + file + L"\" " + arguments;
        STARTUPINFOW startup = handles ? *handles : STARTUPINFOW{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, handles != nullptr, CREATE_NO_WINDOW, nullptr,
                            folder.c_str(), &startup, &process))
            return nullptr;
        CloseHandle(process.hThread);
        started_.push_back(process.dwProcessId);
        return UniqueHandle(process.hProcess);
    }
    HWND open() {
        program = start();
        return WaitForWindow(L"CorvaneForm", caption.c_str(), 90000);
    }
    bool quit(HWND main) {
        PostMessageW(main, WM_CLOSE, 0, 0);
        return WaitForSingleObject(program.get(), 20000) == WAIT_OBJECT_0;
    }

    Win32FileSystem files;
    const std::wstring folder =
        Widen(files.tempFolder()) + L"corvane-program-" + std::to_wstring(GetTickCount()) + L"\\";
    const std::wstring caption = Widen("Orvisk's Corvane v" CORVANE_VERSION);
    UniqueHandle program;

private:
    std::vector<DWORD> started_;
};
