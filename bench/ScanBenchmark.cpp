// How long the catalogue scan takes per plug-in, next to a bare
// load / query / free loop over the same files: inside this process, then
// through the probe helper (corvane.exe) with an empty store and again with
// the store of that scan; and the peak working sets of this process and of
// the helper.
// Usage: scan_benchmark FIXTURE_FOLDER [COUNT]
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "BareLoop.h"
#include "app/win32/Win32Platform.h"
#include "app/win32/WideText.h"
#include "app/win32/BuildPaths.h"
#include "plugins/PluginScanner.h"
#include "plugins/win32/ProbeHelperProcess.h"

namespace {
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

double PeakMiB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(process, &memory, sizeof memory);
    return memory.PeakWorkingSetSize / 1048576.0;
}

std::size_t Listed(const PluginCatalogue& catalogue) {
    std::size_t listed = 0;
    for (const auto& list : catalogue.lists) listed += list.size();
    return listed;
}

// Seconds of one scan of the folder; `listed` gets the plug-ins it listed.
double TimedScan(PluginScanner& scanner, const std::string& folder, std::size_t& listed) {
    const auto start = Clock::now();
    const PluginCatalogue catalogue = scanner.ScanPSX(folder, SelectedEmulator{});
    const double seconds = Seconds(start);
    listed = Listed(catalogue);
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: scan_benchmark FIXTURE_FOLDER [COUNT]\n");
        return 2;
    }
    const std::string fixtures = std::string(argv[1]) + "\\";
    const int count = argc > 2 ? std::atoi(argv[2]) : 500;
    Win32Platform platform;
    Win32FileSystem& files = platform.files;
    const std::string folder = files.tempFolder() + "corvane-benchmark\\";
    files.createDirectory(folder);
    const char* sources[] = {"gpuFixture.dll", "spuFixture.dll", "cdrFixture.dll", "padFixture.dll"};
    for (int i = 0; i < count; ++i)
        files.copyFile(fixtures + sources[i % 4], folder + "plugin" + std::to_string(i) + ".dll", false);

    const bool logging = false;  // as most users run it
    ActivityLog log(logging, files, platform.clock, folder);
    const std::vector<std::string> exclusions{"zlib.dll"};
    // Each scanner keeps its store in a folder of its own, empty at first.
    const std::string inProcessStore = folder + "in-process\\", helperStore = folder + "helper\\";
    files.createDirectory(inProcessStore);
    files.createDirectory(helperStore);
    ProbeStore storeInProcess(files, inProcessStore), storeOfHelper(files, helperStore);
    PluginScanner scanner(platform.services, log, exclusions, storeInProcess);
    ProbeHelperProcess helper(Widen(WindowsPath(CORVANE_EXE)));
    HelperProbe probe(helper);
    PluginScanner helperScanner(platform.services, log, exclusions, storeOfHelper);
    helperScanner.setProbe(probe);

    BareLoop(Widen(folder.substr(0, folder.size() - 1)));  // warm the file cache for both measurements
    auto start = Clock::now();
    BareLoop(Widen(folder.substr(0, folder.size() - 1)));
    const double bare = Seconds(start) / count;
    std::size_t listed = 0, listedCold = 0, listedAgain = 0;
    const double scan = TimedScan(scanner, folder, listed) / count;
    start = Clock::now();
    probe.warmUp();
    const double helperStart = Seconds(start);
    // The program starts its helper while it starts itself; the scan finds
    // it running.
    Sleep(500);
    const double cold = TimedScan(helperScanner, folder, listedCold) / count;
    const double again = TimedScan(helperScanner, folder, listedAgain) / count;
    // What the program's first scan may wait for: a helper that has only
    // just been started answering its first library.
    ProbeHelperProcess freshHelper(Widen(WindowsPath(CORVANE_EXE)));
    HelperProbe fresh(freshHelper);
    start = Clock::now();
    fresh.warmUp();
    fresh.probe({ProbeRequest{EmuSystem::PSX, folder + "plugin0.dll"}}, [](std::size_t, const ProbeResult&) {});
    const double firstAnswer = Seconds(start);
    const UniqueHandle helperProcess(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, helper.processId()));

    std::printf("plug-ins: %d (listed %u, %u, %u)\n", count, static_cast<unsigned>(listed),
                static_cast<unsigned>(listedCold), static_cast<unsigned>(listedAgain));
    std::printf("bare load/query/free:     %.3f ms per plug-in\n", bare * 1000);
    std::printf("scan in this process:     %.3f ms per plug-in (%.2f x bare)\n", scan * 1000, scan / bare);
    std::printf("helper started in:        %.3f s (before the scan, as the program does)\n", helperStart);
    std::printf("fresh helper's 1st answer: %.3f s after its start\n", firstAnswer);
    std::printf("cold scan through helper: %.3f ms per plug-in (%.2f x bare, goal 1.3)\n", cold * 1000, cold / bare);
    std::printf("rescan, unchanged folder: %.3f ms per plug-in (%.2f x bare, goal 0.3)\n", again * 1000, again / bare);
    std::printf("peak working set:         %.1f MiB here, %.1f MiB in the helper\n", PeakMiB(GetCurrentProcess()),
                helperProcess ? PeakMiB(helperProcess.get()) : 0.0);

    for (int i = 0; i < count; ++i) files.deleteFile(folder + "plugin" + std::to_string(i) + ".dll");
    for (const std::string& store : std::vector<std::string>{inProcessStore, helperStore}) {
        files.deleteFile(store + ProbeStore::kFileName);
        RemoveDirectoryA(store.c_str());
    }
    RemoveDirectoryA(folder.c_str());
    const bool all = listed == static_cast<std::size_t>(count) && listedCold == listed && listedAgain == listed;
    return all ? 0 : 1;
}
