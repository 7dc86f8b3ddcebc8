// The POSIX extraction service against the shared contract, in a fresh
// folder below /tmp.
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/ExtractionContracts.h"
#include "app/posix/PosixExtractionFiles.h"

namespace {
struct PosixPlatform {
    PosixExtractionFiles files;
    std::string folder;

    PosixPlatform() {
        char pattern[] = "/tmp/corvane-extract-XXXXXX";
        folder = std::string(::mkdtemp(pattern)) + "/";
    }
    ~PosixPlatform() { std::system(("rm -rf '" + folder + "'").c_str()); }
    IExtractionFiles& extraction() { return files; }
    std::string scratch() const { return folder; }
    static std::string native(std::string path) {
        std::replace(path.begin(), path.end(), '\\', '/');
        return path;
    }
    void addFile(const std::string& path, const std::string& bytes) { std::ofstream(native(path)) << bytes; }
    std::string contents(const std::string& path) const {
        std::stringstream text;
        text << std::ifstream(native(path)).rdbuf();
        return text.str();
    }
    std::vector<std::string> names(const std::string& path) {
        std::vector<std::string> found;
        DIR* listing = ::opendir(native(path).c_str());
        while (const dirent* entry = listing ? ::readdir(listing) : nullptr)
            if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..") found.push_back(entry->d_name);
        if (listing) ::closedir(listing);
        std::sort(found.begin(), found.end());
        return found;
    }
    bool link(const std::string& path) { return ::symlink("/tmp", native(path).c_str()) == 0; }
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Posix, ExtractionContract, PosixPlatform);
