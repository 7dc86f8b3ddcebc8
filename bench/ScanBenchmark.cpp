// How long the catalogue scan takes per plug-in, next to a bare
// load / query / free loop over the same files, and the peak working set.
// Usage: scan_benchmark FIXTURE_FOLDER [COUNT]
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "BareLoop.h"
#include "app/win32/Win32Platform.h"
#include "app/win32/WideText.h"
#include "plugins/PluginScanner.h"

namespace {
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

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

    AppFlags flags;  // logging off, as most users run it
    ActivityLog log(flags, files, platform.clock, platform.windows, folder);
    const std::vector<std::string> exclusions{"zlib.dll"};
    PluginScanner scanner(platform.services, platform.libraries, log, exclusions);

    BareLoop(Widen(folder.substr(0, folder.size() - 1)));  // warm the file cache for both measurements
    auto start = Clock::now();
    BareLoop(Widen(folder.substr(0, folder.size() - 1)));
    const double bare = Seconds(start) / count;
    start = Clock::now();
    const PluginCatalogue catalogue = scanner.ScanPSX(folder, SelectedEmulator{});
    const double scan = Seconds(start) / count;

    std::size_t listed = 0;
    for (const auto& list : catalogue.lists) listed += list.size();
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("plug-ins: %d (listed %u)\n", count, static_cast<unsigned>(listed));
    std::printf("bare load/query/free: %.3f ms per plug-in\n", bare * 1000);
    std::printf("catalogue scan:       %.3f ms per plug-in\n", scan * 1000);
    std::printf("scan / bare:          %.2f\n", scan / bare);
    std::printf("peak working set:     %.1f MiB\n", memory.PeakWorkingSetSize / 1048576.0);

    for (int i = 0; i < count; ++i) files.deleteFile(folder + "plugin" + std::to_string(i) + ".dll");
    RemoveDirectoryA(folder.c_str());
    return listed == static_cast<std::size_t>(count) ? 0 : 1;
}
