// The test doubles against the behaviour the Win32 services show under Wine.
#include <algorithm>

#include "app/ExtractionContracts.h"
#include "app/ServiceContracts.h"
#include "doubles/FakeServices.h"

namespace {
struct FakePlatform {
    FakeServices fakes;

    FakePlatform() { fakes.files.addDirectory("C:\\scratch"); }
    IIniFile& ini() { return fakes.ini; }
    IRegistry& registry() { return fakes.registry; }
    IFileSystem& files() { return fakes.files; }
    IExtractionFiles& extraction() { return fakes.extraction; }
    std::string scratch() const { return "C:\\scratch\\"; }
    std::string registryRoot() const { return "Software\\CorvaneTests"; }
    void addFile(const std::string& path, const std::string& bytes) { fakes.files.addFile(path, bytes); }
    std::string contents(const std::string& path) const { return fakes.files.contents(path); }
    std::vector<std::string> names(const std::string& folder) {
        std::vector<std::string> found;
        for (const auto& entry : fakes.files.find(folder + "*")) found.push_back(entry.name);
        std::sort(found.begin(), found.end());
        return found;
    }
    bool link(const std::string& path) {
        fakes.extraction.addLink(path);
        return true;
    }
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Fakes, ServiceContract, FakePlatform);
INSTANTIATE_TYPED_TEST_SUITE_P(Fakes, ExtractionContract, FakePlatform);

TEST(FakeServices, TheTrayIconAndTheDigestsKeepTheirContracts) {
    FakeNotifyIcon tray;
    CheckNotifyIconContract(tray, 0x1234);
    FakeDigests digests;
    CheckDigestsContract(digests);
}
