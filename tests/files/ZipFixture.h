#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles/FakeExtractionFiles.h"
#include "doubles/FakeFileSystem.h"
#include "files/TestZip.h"
#include "files/clsUnzip.h"

// An archive in the fake file system and a clsUnzip set up as the import
// sets it up, with its Progress lines collected.
class ZipFixture : public ::testing::Test {
protected:
    static constexpr const char* kArchive = "C:\\downloads\\plugin.zip";
    static constexpr const char* kFolder = "C:\\emu\\plugins";

    ZipFixture() {
        unzip.PromptToOverwrite(false);
        unzip.OverwriteExisting(true);
        unzip.UseFolderNames(true);
        unzip.Progress = [this](std::int32_t, const std::string& line) { lines.push_back(line); };
    }
    void store(const std::string& bytes) { files.addFile(kArchive, bytes); }
    // Lists and extracts the archive; the run's code.
    int extract(const std::string& bytes) {
        store(bytes);
        unzip.ZipFile(kArchive);
        unzip.UnzipFolder(kFolder);
        unzip.Directory();
        unzip.Unzip();
        return unzip.ReturnCode();
    }
    std::string at(const std::string& relative) const { return files.contents(std::string(kFolder) + "\\" + relative); }
    bool has(const std::string& relative) const { return files.exists(std::string(kFolder) + "\\" + relative); }
    // Every path below the folder, temporary files included.
    std::vector<std::string> everything() {
        std::vector<std::string> found;
        collect(kFolder, found);
        return found;
    }

    FakeFileSystem files;
    FakeExtractionFiles extraction{files};
    clsUnzip unzip{extraction};
    std::vector<std::string> lines;

private:
    void collect(const std::string& folder, std::vector<std::string>& found) {
        for (const auto& entry : files.find(folder + "\\*")) {
            found.push_back(folder + "\\" + entry.name);
            if (entry.isDirectory) collect(folder + "\\" + entry.name, found);
        }
    }
};
