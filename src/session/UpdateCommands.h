#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/Systems.h"
#include "updates/UpdateList.h"

class Session;
class UpdateBackup;

// The updates an update check found, by system.
struct UpdateCandidates {
    PerSystem<std::vector<UpdateRecord>> records;
    std::size_t count() const { return records[EmuSystem::PSX].size() + records[EmuSystem::N64].size(); }
};

// Plug-in updates from the update service: the check downloads the PSX
// and N64 lists and finds the plug-ins they offer something newer for;
// those wait until the user is asked about each; the accepted ones are
// downloaded, verified, kept in a backup and installed, and the newest
// installation can be undone.
class UpdateCommands {
public:
    explicit UpdateCommands(Session& session) : session_(session) {}

    // False when no list could be had, or no update service is set. A check
    // the user asked for tells them why; an automatic one (`quiet`: the
    // timer's, or one while Corvane sits in the tray) only logs it.
    bool check(bool quiet);
    const UpdateCandidates& waiting() const { return waiting_; }
    bool querying() const { return querying_; }
    // Asks about each waiting update and installs the accepted ones.
    void query();
    // Ends the download under way and asks no more questions; the check or
    // the installation stops there, without a box.
    void cancel() { cancelled_ = true; }
    // A check and what follows it start: a cancel before them is forgotten.
    void beginRun() { cancelled_ = false; }
    // Asks whether to undo the newest installation and does: the files it
    // replaced come back, those it added go, the lists are scanned again.
    void undoLast();

private:
    std::optional<UpdateList> fetchList(EmuSystem system, bool quiet);
    void report(bool quiet, const std::string& title, const std::string& text);
    bool ask(const UpdateRecord& candidate, EmuSystem system);
    void install(const UpdateCandidates& accepted);
    std::optional<std::string> fetchArchive(const UpdateRecord& update, const std::string& archive);
    bool installInto(const std::string& archive, const std::string& folder, UpdateBackup& backup);
    std::vector<std::string> foldersFor(EmuSystem system);
    std::string backupRoot() const;

    Session& session_;
    UpdateCandidates waiting_;
    bool querying_ = false;
    bool cancelled_ = false;
};
