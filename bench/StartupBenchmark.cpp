// How long the real corvane.exe takes from CreateProcess to an idle main
// window, with no plug-ins and with COUNT fixture plug-ins, next to a bare
// load / query / free loop over the same files; and the peak working set of
// the program with them.
// Usage: startup_benchmark [COUNT]
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "BareLoop.h"
#include "app/win32/BuildPaths.h"
#include "app/win32/WideText.h"

namespace {
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

const wchar_t kCaptionStart[] = L"Orvisk's Corvane v";
// No splash window and no quit question: start and close run unattended.
const char kSettings[] = "[Configuration]\r\nSplash=1\r\nExit=0\r\n";

bool WriteFileText(const std::wstring& path, const std::string& text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == text.size();
}

// Deletes a folder with everything below it.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

// A program folder as a user has it: corvane.exe, its settings and a
// PSXPlugins folder holding `count` fixture plug-ins.
bool PrepareProgramFolder(const std::wstring& folder, int count) {
    RemoveTree(folder);
    if (!CreateDirectoryW(folder.c_str(), nullptr)) return false;
    if (!CopyFileW(Widen(WindowsPath(CORVANE_EXE)).c_str(), (folder + L"\\corvane.exe").c_str(), FALSE)) return false;
    const std::wstring plugins = folder + L"\\PSXPlugins";
    if (!CreateDirectoryW(plugins.c_str(), nullptr)) return false;
    const std::wstring fixtures = Widen(WindowsPath(CORVANE_FIXTURES)) + L"\\";
    const wchar_t* sources[] = {L"gpuFixture.dll", L"spuFixture.dll", L"cdrFixture.dll", L"padFixture.dll"};
    for (int i = 0; i < count; ++i)
        if (!CopyFileW((fixtures + sources[i % 4]).c_str(),
                       (plugins + L"\\plugin" + std::to_wstring(i) + L".dll").c_str(), FALSE))
            return false;
    return true;
}

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
    wchar_t text[256] = L"";
    if (!GetClassNameW(window, text, 256) || std::wcscmp(text, L"CorvaneForm") != 0) return TRUE;
    GetWindowTextW(window, text, 256);
    if (std::wcsncmp(text, kCaptionStart, std::wcslen(kCaptionStart)) != 0) return TRUE;
    search.found = window;
    return FALSE;
}

// The visible, captioned main window of the process, or null once the
// process has ended or the time is up.
HWND WaitForMainWindow(HANDLE process, DWORD processId, int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 5) {
        Search search{processId, nullptr};
        EnumWindows(&MatchMainWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (WaitForSingleObject(process, 5) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

// The sum of the rows of the four PSX lists, the first list views of the
// main window.
LRESULT PsxRows(HWND main) {
    LRESULT rows = 0;
    HWND list = nullptr;
    for (int i = 0; i < 4; ++i) {
        list = FindWindowExW(main, list, L"SysListView32", nullptr);
        if (!list) break;
        rows += SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    }
    return rows;
}

struct Run {
    bool ok = false;
    double seconds = 0;
    LRESULT rows = 0;
    SIZE_T peakWorkingSet = 0;
};

// Starts the program in `folder`, times it to an idle main window, then
// closes it.
Run StartOnce(const std::wstring& folder) {
    Run run;
    if (!WriteFileText(folder + L"\\settings.ini", kSettings)) return run;
    std::wstring commandLine = L"\"" + folder + L"\\corvane.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const Clock::time_point start = Clock::now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        std::fprintf(stderr, "CreateProcess failed: %lu\n", GetLastError());
        return run;
    }
    CloseHandle(process.hThread);

    HWND main = WaitForMainWindow(process.hProcess, process.dwProcessId, 120000);
    DWORD_PTR answer = 0;
    if (main && WaitForInputIdle(process.hProcess, 20000) == 0 &&
        SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer)) {
        run.seconds = Seconds(start);
        run.ok = true;
    } else {
        std::fprintf(stderr, "the main window did not become idle\n");
    }

    if (main) {
        run.rows = PsxRows(main);
        HANDLE query = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process.dwProcessId);
        PROCESS_MEMORY_COUNTERS memory{};
        if (query && GetProcessMemoryInfo(query, &memory, sizeof memory)) run.peakWorkingSet = memory.PeakWorkingSetSize;
        if (query) CloseHandle(query);
        PostMessageW(main, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "corvane.exe did not end; terminated\n");
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 20000);
        run.ok = false;
    }
    CloseHandle(process.hProcess);
    return run;
}


double ProcessorSeconds(HANDLE process) {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return 0;
    const auto ticks = [](const FILETIME& time) {
        return static_cast<double>(static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 1e7;
}

// What the program spends while a launched emulator runs for 10 s: it
// waits on the emulator's process, so about nothing.
bool MeasureLaunch(const std::wstring& folder) {
    if (!PrepareProgramFolder(folder, 0)) return false;
    const std::wstring emulator = folder + L"\\Emu Dir";
    CreateDirectoryW(emulator.c_str(), nullptr);
    if (!CopyFileW((Widen(WindowsPath(CORVANE_FIXTURES)) + L"\\fakeEmulator.exe").c_str(),
                   (emulator + L"\\epsxe.exe").c_str(), FALSE) ||
        !WriteFileText(emulator + L"\\sleep-ms.txt", "10000"))
        return false;
    const std::string settings = std::string(kSettings) + "LastEmu=1\r\n[Emulators]\r\nName1=ePSXe\r\nSystem1=6\r\n"
                                 "Type1=ePSXe\r\nExe1=" + Narrow(emulator) + "\\epsxe.exe\r\nPlugins1=" +
                                 Narrow(emulator) + "\r\n";
    std::wstring commandLine = L"\"" + folder + L"\\corvane.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!WriteFileText(folder + L"\\settings.ini", settings) ||
        !CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    HWND main = WaitForMainWindow(process.hProcess, process.dwProcessId, 120000);
    bool ok = main && WaitForInputIdle(process.hProcess, 20000) == 0;
    if (ok) {
        const double before = ProcessorSeconds(process.hProcess);
        const Clock::time_point start = Clock::now();
        PostMessageW(FindWindowExW(main, nullptr, L"Button", L"Launch the Selected Emulator"), BM_CLICK, 0, 0);
        // Minimized while the emulator runs, back when it has ended.
        while (!IsIconic(main) && Seconds(start) < 20) Sleep(10);
        while (IsIconic(main) && Seconds(start) < 60) Sleep(50);
        const double wall = Seconds(start);
        const double used = ProcessorSeconds(process.hProcess) - before;
        ok = wall >= 10;
        std::printf("%-27s%.2f s of processor time in %.1f s\n", "while the emulator ran:", used, wall);
        PostMessageW(main, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    return ok;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 500;
    if (count < 1) {
        std::fprintf(stderr, "usage: startup_benchmark [COUNT]\n");
        return 2;
    }
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"corvane-startup-benchmark";
    const std::wstring empty = root + L"\\none";
    const std::wstring full = root + L"\\plugins";
    RemoveTree(root);
    CreateDirectoryW(root.c_str(), nullptr);
    if (!PrepareProgramFolder(empty, 0) || !PrepareProgramFolder(full, count)) {
        std::fprintf(stderr, "could not prepare the program folders under %s\n", Narrow(root).c_str());
        return 1;
    }

    // One start of each folder that is not counted: Wine's own files, each
    // copy of the program and the plug-ins come into the file cache, as they
    // are for a user's second start.
    bool ok = StartOnce(empty).ok && StartOnce(full).ok;
    std::vector<double> none, with, cold;
    SIZE_T peak = 0, peakNone = 0;
    LRESULT rowsNone = 0, rowsWith = 0;
    for (int round = 0; round < 3 && ok; ++round) {
        const Run a = StartOnce(empty);
        const Run b = StartOnce(full);
        // Without the store of earlier checks every library is checked again.
        DeleteFileW((full + L"\\plugincheck.dat").c_str());
        const Run c = StartOnce(full);
        ok = a.ok && b.ok && c.ok;
        none.push_back(a.seconds);
        with.push_back(b.seconds);
        cold.push_back(c.seconds);
        rowsNone = a.rows;
        rowsWith = b.rows;
        peak = std::max(peak, b.peakWorkingSet);
        peakNone = std::max(peakNone, a.peakWorkingSet);
        std::printf("round %d: start-up with none %.3f s, with %d %.3f s, with %d and no store %.3f s\n", round + 1,
                    a.seconds, count, b.seconds, count, c.seconds);
    }
    if (!ok) {
        RemoveTree(root);
        return 1;
    }

    const std::wstring plugins = full + L"\\PSXPlugins";
    BareLoop(plugins);  // warm-up
    // The yardstick is as noisy as the starts: the median of three runs.
    std::vector<double> loops;
    for (int run = 0; run < 3; ++run) {
        const Clock::time_point start = Clock::now();
        BareLoop(plugins);
        loops.push_back(Seconds(start));
    }
    const double bare = Median(loops);

    const double startNone = Median(none), startWith = Median(with);
    const double difference = startWith - startNone;
    const std::string withLabel = "start-up with " + std::to_string(count) + ":";
    const std::string peakLabel = "peak working set with " + std::to_string(count) + ":";
    std::printf("plug-ins: %d (listed %ld with them, %ld without)\n", count, static_cast<long>(rowsWith),
                static_cast<long>(rowsNone));
    std::printf("%-27s%.3f s (median of 3)\n", "start-up with none:", startNone);
    std::printf("%-27s%.3f s (median of 3)\n", withLabel.c_str(), startWith);
    std::printf("%-27s%.3f s\n", "difference:", difference);
    std::printf("%-27s%.3f s (median of 3)\n", "bare load/query/free loop:", bare);
    std::printf("%-27s%.2f (goal <= 0.3: the store answers)\n", "difference / bare loop:", difference / bare);
    std::printf("%-27s%.3f s (median of 3), difference / bare loop %.2f (goal <= 1.3)\n", "with them and no store:",
                Median(cold), (Median(cold) - startNone) / bare);
    std::printf("%-27s%.1f MiB (highest of 3)\n", "peak working set with none:", peakNone / 1048576.0);
    std::printf("%-27s%.1f MiB (highest of 3; goal under 30)\n", peakLabel.c_str(), peak / 1048576.0);

    const bool launched = MeasureLaunch(root + L"\\launch");
    RemoveTree(root);
    return rowsWith == count && rowsNone == 0 && launched ? 0 : 1;
}
