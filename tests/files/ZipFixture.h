#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles/FakeExtractionFiles.h"
#include "doubles/FakeFileSystem.h"
#include "files/ArchiveImport.h"
#include "files/TestZip.h"

// The entry with a field changed, to make it lie.
template <typename Change>
TestEntry Changed(TestEntry entry, Change change) {
    change(entry);
    return entry;
}

// An archive in the fake file system, extracted as the import extracts it.
class ZipFixture : public ::testing::Test {
protected:
    static constexpr const char* kArchive = "C:\\downloads\\plugin.zip";
    static constexpr const char* kFolder = "C:\\emu\\plugins";

    // The run's code; its refusals land in lines.
    int extract(const std::string& bytes, bool testOnly = false) {
        files.addFile(kArchive, bytes);
        const ArchiveResult result = ExtractArchive(extraction, kArchive, kFolder, testOnly);
        lines = result.refused;
        return result.code;
    }
    std::string at(const std::string& relative) const { return files.contents(std::string(kFolder) + "\\" + relative); }
    bool has(const std::string& relative) const { return files.exists(std::string(kFolder) + "\\" + relative); }
    // Every path below the folder, relative to it, temporary files included.
    std::vector<std::string> everything(const std::string& below = "") {
        std::vector<std::string> found;
        for (const auto& entry : files.find(std::string(kFolder) + "\\" + below + "*")) {
            found.push_back(below + entry.name);
            if (entry.isDirectory)
                for (const auto& inner : everything(below + entry.name + "\\")) found.push_back(inner);
        }
        return found;
    }

    FakeFileSystem files;
    FakeExtractionFiles extraction{files};
    std::vector<std::string> lines;
};
