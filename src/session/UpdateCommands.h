#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/Systems.h"
#include "updates/UpdateList.h"

class Session;

// The updates an update check found, by system.
struct UpdateCandidates {
    PerSystem<std::vector<UpdateRecord>> records;
    std::size_t count() const { return records[EmuSystem::PSX].size() + records[EmuSystem::N64].size(); }
};

// Plug-in updates from the update service: the check downloads the PSX
// and N64 lists and finds the plug-ins they offer something newer for;
// those wait until the user is asked about each; the accepted ones are
// downloaded and installed.
class UpdateCommands {
public:
    explicit UpdateCommands(Session& session) : session_(session) {}

    // False when a list could not be had. The user is told of it, except of
    // the PSX list's failure when `quiet` (an automatic check, or one from
    // the tray).
    bool check(bool quiet);
    const UpdateCandidates& waiting() const { return waiting_; }
    bool querying() const { return querying_; }
    // Asks about each waiting update and installs the accepted ones.
    void query();

private:
    std::optional<UpdateList> fetchList(EmuSystem system, bool quiet);
    bool ask(const UpdateRecord& candidate, EmuSystem system);
    void install(const UpdateCandidates& accepted);
    bool installInto(const std::string& archive, const std::string& folder);

    Session& session_;
    UpdateCandidates waiting_;
    bool querying_ = false;
};
