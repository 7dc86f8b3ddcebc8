// The extraction's file calls: the double here, and the POSIX service on a
// native build, against the shared contract.
#include <algorithm>

#include "app/ExtractionContracts.h"
#include "doubles/FakeExtractionFiles.h"

namespace {
struct FakeExtractionPlatform {
    FakeFileSystem fileSystem;
    FakeExtractionFiles files{fileSystem};

    FakeExtractionPlatform() { fileSystem.addDirectory("C:\\scratch"); }
    IExtractionFiles& extraction() { return files; }
    std::string scratch() const { return "C:\\scratch\\"; }
    void addFile(const std::string& path, const std::string& bytes) { fileSystem.addFile(path, bytes); }
    std::string contents(const std::string& path) const { return fileSystem.contents(path); }
    std::vector<std::string> names(const std::string& folder) {
        std::vector<std::string> found;
        for (const auto& entry : fileSystem.find(folder + "*")) found.push_back(entry.name);
        std::sort(found.begin(), found.end());
        return found;
    }
    bool link(const std::string& path) {
        files.addLink(path);
        return true;
    }
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ExtractionContract, FakeExtractionPlatform);
