// The POSIX extraction service against the shared contract, in a fresh
// folder below /tmp.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
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
    ~PosixPlatform() { std::filesystem::remove_all(folder); }
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
        for (const auto& entry : std::filesystem::directory_iterator(native(path)))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }
    bool link(const std::string& path) { return ::symlink("/tmp", native(path).c_str()) == 0; }
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Posix, ExtractionContract, PosixPlatform);
