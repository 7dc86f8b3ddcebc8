// The Win32 extraction service against the shared contract.
#include <windows.h>

#include <algorithm>

#include "app/ExtractionContracts.h"
#include "app/win32/Win32ExtractionFiles.h"
#include "app/win32/Win32FileSystem.h"
#include "app/win32/WideText.h"

namespace {
struct Win32ExtractionPlatform {
    Win32FileSystem fileSystem;
    Win32ExtractionFiles files;
    std::string folder;

    Win32ExtractionPlatform() {
        static int serial = 0;
        folder = fileSystem.tempFolder() + "corvane-extract-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++serial) + "\\";
        fileSystem.createDirectory(folder);
    }
    ~Win32ExtractionPlatform() {
        fileSystem.shellFileOperation(ShellOperation::Delete, folder.substr(0, folder.size() - 1), "",
                                      ShellFlags::kSilent | ShellFlags::kNoConfirmation | ShellFlags::kNoErrorUi,
                                      "", 0);
    }
    IExtractionFiles& extraction() { return files; }
    std::string scratch() const { return folder; }
    void addFile(const std::string& path, const std::string& bytes) { fileSystem.appendToFile(path, bytes); }
    std::string contents(const std::string& path) { return fileSystem.readFile(path).value_or(""); }
    std::vector<std::string> names(const std::string& path) {
        std::vector<std::string> found;
        for (const auto& entry : fileSystem.find(path + "*")) found.push_back(entry.name);
        std::sort(found.begin(), found.end());
        return found;
    }
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ExtractionContract, Win32ExtractionPlatform);
