#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/Clock.h"
#include "app/ExtractionFiles.h"
#include "files/ZipEngine.h"

// Lists and extracts a zip archive through the engine, with the options of
// the engine's option record and its callbacks as events.
class clsUnzip {
public:
    explicit clsUnzip(IExtractionFiles& files);

    bool ExtractOnlyNewer() const { return options_.ExtractOnlyNewer != 0; }
    void ExtractOnlyNewer(bool value) { options_.ExtractOnlyNewer = value ? 1 : 0; }
    bool SpaceToUnderScore() const { return options_.SpaceToUnderscore != 0; }
    void SpaceToUnderScore(bool value) { options_.SpaceToUnderscore = value ? 1 : 0; }
    bool PromptToOverwrite() const { return options_.PromptToOverwrite != 0; }
    void PromptToOverwrite(bool value) { options_.PromptToOverwrite = value ? 1 : 0; }
    std::int32_t MessageLevel() const { return options_.fQuiet; }
    void MessageLevel(std::int32_t value) { options_.fQuiet = value; }
    bool TestZip() const { return options_.ntflag != 0; }
    void TestZip(bool value) { options_.ntflag = value ? 1 : 0; }
    bool UseFolderNames() const { return options_.ndflag != 0; }
    void UseFolderNames(bool value) { options_.ndflag = value ? 1 : 0; }
    bool OverwriteExisting() const { return options_.noflag != 0; }
    void OverwriteExisting(bool value) { options_.noflag = value ? 1 : 0; }
    bool ConvertCRToCRLF() const { return options_.naflag != 0; }
    void ConvertCRToCRLF(bool value) { options_.naflag = value ? 1 : 0; }
    bool CaseSensitiveFileNames() const { return options_.C_flag != 0; }
    void CaseSensitiveFileNames(bool value) { options_.C_flag = value ? 1 : 0; }

    const std::string& ZipFile() const { return zipFile_; }
    void ZipFile(const std::string& path);  // empties the file list
    const std::string& UnzipFolder() const { return unzipFolder_; }
    void UnzipFolder(const std::string& path) { unzipFolder_ = path; }

    // The file list, 1-based; an index out of range throws std::out_of_range.
    int FileCount() const { return static_cast<int>(entries_.size()); }
    std::string filename(int index) const { return at(index).name; }
    std::string FileDirectory(int index) const { return at(index).folder; }
    std::uint32_t FileSize(int index) const { return at(index).size; }
    std::uint32_t FilePackedSize(int index) const { return at(index).packedSize; }
    std::int32_t FileCompressionRatio(int index) const { return at(index).ratio; }
    DateTime FileDate(int index) const { return at(index).date; }
    std::uint32_t FileCRC(int index) const { return at(index).crc; }
    std::string FileCompressionMethod(int index) const { return at(index).method; }
    bool FileEncrypted(int index) const { return at(index).encrypted; }
    bool FileSelected(int index) const { return at(index).selected; }
    void FileSelected(int index, bool selected) { at(index).selected = selected; }

    // Appends the archive's entries to the file list.
    void Directory();
    // Extracts the selected entries (every entry when the list is empty or
    // all are selected; none when entries are listed but none selected).
    // True when the run's code is 0.
    bool Unzip();
    int ReturnCode() const { return returnCode_; }

    // Events; a missing handler leaves the by-reference arguments as they start.
    std::function<void(const std::string& message, bool& bCancel)> Cancel;
    std::function<void(const std::string& sFile, std::int32_t& eResponse)> OverwritePrompt;
    std::function<void(std::string& sPassword, bool& bCancel)> PasswordRequest;
    std::function<void(std::int32_t lCount, const std::string& message)> Progress;

    // One listed entry.
    struct Entry {
        std::string name, folder;
        std::uint32_t size = 0, packedSize = 0;
        std::int32_t ratio = 0;
        DateTime date;
        std::uint32_t crc = 0;
        std::string method;
        bool encrypted = false, selected = true;
    };
    // Called by modUnzip's callbacks during a run.
    void AddEntry(const Entry& entry) { entries_.push_back(entry); }
    void RaiseProgress(std::int32_t count, const std::string& message);
    void RaiseOverwritePrompt(const std::string& file, std::int32_t& response);
    void RaisePasswordRequest(std::string& password, bool& cancel);
    void RaiseCancel(const std::string& message, bool& cancel);

private:
    const Entry& at(int index) const;
    Entry& at(int index);
    std::vector<std::string> selectedPaths() const;

    IExtractionFiles& files_;
    DCL options_{};
    std::string zipFile_, unzipFolder_;
    std::vector<Entry> entries_;
    int returnCode_ = 0;
};
