// Extraction speed of zipextract against Info-ZIP's unzip on one archive:
// ~400 DLL-like files of 8 KB to 1 MB in 20 folders, 40 readmes and three
// 24 MB files, about 170 MB packed about 2:1 at deflate level 6, built once
// from a fixed seed. Each tool extracts it five times into empty folders,
// alternating; the medians come out in MB/s, with their ratio, and the
// medians of each run's user and system time and minor page faults.
//   zip_benchmark ZIPEXTRACT WORKFOLDER
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "files/TestZip.h"

namespace {
class Random {
public:
    std::uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    std::size_t below(std::size_t limit) { return static_cast<std::size_t>(next() % limit); }

private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

// Code-like bytes: 4 KB blocks, about two in five of them random (packed
// code and resources), the rest tables and strings that pack well.
std::string Contents(Random& random, std::size_t size) {
    static const char* const kWords[] = {"GPUinit", "GPUshutdown", "PSEgetLibName", "\x8B\x45\x08\x89", "\x00\x00\x00\x00",
                                         "kernel32.dll", "\xFF\x15\x00\x10", "CreateFileA", "plugin", "\xC3\xCC\xCC\xCC"};
    std::string data;
    data.reserve(size);
    while (data.size() < size) {
        const std::size_t block = std::min<std::size_t>(4096, size - data.size());
        if (random.below(100) < 41) {
            for (std::size_t i = 0; i < block; ++i) data += static_cast<char>(random.next() >> 56);
        } else {
            std::string text;
            while (text.size() < block) text += kWords[random.below(10)];
            data += text.substr(0, block);
        }
    }
    return data;
}

std::vector<TestEntry> Entries(std::uint64_t& total) {
    Random random;
    std::vector<TestEntry> entries;
    for (int i = 0; i < 400; ++i) {
        const double u = static_cast<double>(random.below(1 << 20)) / (1 << 20);  // most are small
        const std::size_t size = 8 * 1024 + static_cast<std::size_t>(u * u * u * (1024 * 1024 - 8 * 1024));
        entries.emplace_back("plugins" + std::to_string(i % 20) + "/lib" + std::to_string(i) + ".dll",
                             Contents(random, size));
    }
    for (int i = 0; i < 40; ++i)
        entries.emplace_back("plugins" + std::to_string(i % 20) + "/readme" + std::to_string(i) + ".txt",
                             Contents(random, 2000 + random.below(20000)));
    for (int i = 0; i < 3; ++i) entries.emplace_back("data/big" + std::to_string(i) + ".bin", Contents(random, 24 << 20));
    total = 0;
    for (const auto& entry : entries) total += entry.data.size();
    return entries;
}

double Seconds(const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; }

// What each run of a command cost: wall-clock, user and system seconds and
// minor page faults.
struct Cost {
    std::vector<double> seconds, user, system, faults;
    void measure(const std::string& command) {
        rusage before{}, after{};
        getrusage(RUSAGE_CHILDREN, &before);
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        getrusage(RUSAGE_CHILDREN, &after);
        user.push_back(Seconds(after.ru_utime) - Seconds(before.ru_utime));
        system.push_back(Seconds(after.ru_stime) - Seconds(before.ru_stime));
        faults.push_back(static_cast<double>(after.ru_minflt - before.ru_minflt));
    }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Report(const char* name, const Cost& cost, double megabytes) {
    const double rate = megabytes / Median(cost.seconds);
    std::printf("%s: %.0f MB/s (median of %zu, %.2f s; user %.2f s, system %.2f s, %.0f minor page faults)\n", name,
                rate, cost.seconds.size(), Median(cost.seconds), Median(cost.user), Median(cost.system),
                Median(cost.faults));
    return rate;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zip_benchmark ZIPEXTRACT WORKFOLDER\n");
        return 2;
    }
    const std::string tool = argv[1], work = argv[2], archive = work + "/bench.zip";
    std::uint64_t total = 0;
    const std::vector<TestEntry> entries = Entries(total);
    if (!std::ifstream(archive)) {
        std::system(("mkdir -p '" + work + "'").c_str());
        std::ofstream(archive, std::ios::binary) << BuildZip(entries);
    }
    std::ifstream packed(archive, std::ios::binary | std::ios::ate);
    const double megabytes = static_cast<double>(total) / 1e6;
    std::printf("archive: %zu entries, %.1f MB unpacked, %.1f MB packed (%.2f:1)\n", entries.size(), megabytes,
                static_cast<double>(packed.tellg()) / 1e6, static_cast<double>(total) / static_cast<double>(packed.tellg()));
    Cost ours, theirs;
    for (int run = 0; run < 5; ++run) {
        const std::string a = work + "/zipextract-out", b = work + "/unzip-out";
        std::system(("rm -rf '" + a + "' '" + b + "' && sync").c_str());
        ours.measure("'" + tool + "' '" + archive + "' '" + a + "' >/dev/null");
        std::system("sync");
        theirs.measure("unzip -qq -o '" + archive + "' -d '" + b + "'");
    }
    std::system(("rm -rf '" + work + "/zipextract-out' '" + work + "/unzip-out'").c_str());
    const double oursRate = Report("zipextract", ours, megabytes);
    const double theirsRate = Report("unzip -qq -o", theirs, megabytes);
    std::printf("zipextract / unzip: %.2fx (goal: at least 1.5x)\n", oursRate / theirsRate);
    return 0;
}
