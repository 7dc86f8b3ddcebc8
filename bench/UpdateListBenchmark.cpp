// How long reading a 10,000-line PSX update list and comparing it with 500
// installed plug-ins takes, in milliseconds (goal: under 50).
#include <chrono>
#include <cstdio>
#include <string>

#include "updates/UpdateList.h"

int main() {
    std::string list;
    for (int i = 0; i < 10000; ++i)
        list += "plugin" + std::to_string(i) + ".dll\tPlugin " + std::to_string(i) + "\t1." + std::to_string(i % 90) +
                "b\t2030-01-" + std::to_string(10 + i % 18) + "\thttp://127.0.0.1:8381/files/p" + std::to_string(i) +
                ".zip\r\n";
    PluginCatalogue installed{EmuSystem::PSX, "C:\\plugins\\", {}};
    for (int i = 0; i < 500; ++i)
        installed.list(KindsOf(EmuSystem::PSX)[static_cast<std::size_t>(i % 4)])
            .push_back({KindsOf(EmuSystem::PSX)[static_cast<std::size_t>(i % 4)], "Plugin " + std::to_string(i), "1.0",
                        static_cast<FileTime>(DayOf(2020, 1, 1)) * 864000000000ull,
                        "plugin" + std::to_string(i * 20) + ".dll", false});
    const auto start = std::chrono::steady_clock::now();
    const UpdateList read = ReadUpdateList(list, EmuSystem::PSX, nullptr);
    const auto candidates = FindCandidates(installed, read);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("update list: %zu lines read, %zu installed, %zu candidates in %.1f ms (goal: under 50)\n",
                read.records.size(), static_cast<std::size_t>(500), candidates.size(), ms);
    return read.records.size() == 10000 ? 0 : 1;
}
