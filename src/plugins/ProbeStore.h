#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/Clock.h"
#include "app/FileSystem.h"
#include "plugins/PluginProbe.h"
#include "plugins/ProbeProtocol.h"

// A library file as the store knows it: a changed file is another file.
struct FileIdentity {
    std::string path;  // full path
    std::uint64_t size = 0;
    FileTime written = 0;
};

// What the store holds for one file: the answer of its last check, or its
// quarantine (the check's failure and its date). The failure stays noted
// after a retry that succeeded.
struct StoredProbe {
    FileIdentity file;
    ProbeStatus status = ProbeStatus::Answered;
    ProbeAnswer answer;
    std::string reason;  // of the last failure, "" when it never failed
    DateTime failedOn;
    bool retry = false;  // the user asked for another check

    bool quarantined() const { return status == ProbeStatus::Failed && !retry; }
    bool everFailed() const { return !reason.empty(); }
};

// The results of past checks, kept beside settings.ini so that unchanged
// libraries are never loaded again and those that stopped the check stay in
// quarantine. Each result is appended to a journal as it arrives; the store
// file itself is only ever replaced whole. A damaged or foreign file is
// ignored (and rebuilt at the next save).
class ProbeStore {
public:
    static constexpr const char* kFileName = "plugincheck.dat";
    static constexpr const char* kJournalName = "plugincheck.journal";

    ProbeStore(IFileSystem& files, const std::string& programFolder);

    // Reads the store and its journal once; later calls do nothing. False
    // when a store file was there but could not be taken (damaged, too
    // large, or another folder's): it is rebuilt at the next save.
    bool load();
    // The entry of the file as it is now; nothing when it changed or was
    // never checked.
    const StoredProbe* find(const FileIdentity& file) const;
    // The entry of a path, whatever its identity.
    const StoredProbe* findPath(const std::string& path) const;
    // Notes the entry; the journal has it at once.
    void record(StoredProbe entry);
    // Lets the next scan check the file again.
    void retry(const std::string& path);
    // Every file in quarantine, by path.
    std::vector<StoredProbe> quarantined() const;
    // Replaces the store file with every entry and empties the journal.
    void save();
    // Keeps what is learnt in memory only: the files belong to a Corvane
    // window running beside this process.
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    const std::string& path() const { return path_; }

private:
    bool readFile(const std::string& path, bool journal);
    void append(const StoredProbe& entry);

    IFileSystem& files_;
    std::string programFolder_;
    std::string path_;
    std::string journalPath_;
    std::map<std::string, StoredProbe> entries_;  // by path, letter case folded
    bool loaded_ = false;
    bool journalStarted_ = false;
    bool readOnly_ = false;
};

// The date of an entry's failure as the log and the questions show it.
std::string FailureDate(IClock& clock, const StoredProbe& entry);

// Entries as store records and back (nothing when damaged).
std::string EncodeStoredProbe(const StoredProbe& entry);
std::optional<StoredProbe> DecodeStoredProbe(const Message& message);
