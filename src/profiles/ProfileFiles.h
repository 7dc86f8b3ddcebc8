#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/FileSystem.h"
#include "app/IniFile.h"
#include "app/Registry.h"
#include "profiles/Profile.h"
#include "profiles/RegTool.h"

// What went wrong with a profile, in words for the user; nothing when all
// went well.
using ProfileProblem = std::optional<std::string>;

// The files of profiles: registry snapshots in the temporary folder, the
// profile files joined from them, and the copy the registry tool imports.
class ProfileFiles {
public:
    ProfileFiles(IFileSystem& files, IIniFile& ini, IRegistry& registry, RegTool& reg, std::string tempFolder)
        : files_(files), ini_(ini), registry_(registry), reg_(reg), tempFolder_(std::move(tempFolder)) {}

    // Deletes the snapshot files the program makes, and only those.
    void RemoveSnapshots();
    // Exports each key to its snapshot; a key that does not exist takes no
    // part. `made` gets the snapshots written.
    ProfileProblem Export(const std::vector<Snapshot>& plan, std::vector<Snapshot>& made);
    // Writes the profile: one UTF-16 file holding the snapshots' keys and
    // values after one header, then the section. It is built beside the
    // old profile and replaces it only when complete.
    ProfileProblem Join(const std::vector<Snapshot>& made, const ProfileSection& section, const std::string& path);
    // Imports a profile's registry settings through a fresh copy without
    // its section (profiles joined by older versions load too).
    ProfileProblem Import(const std::string& path);

    static ProfileSection ReadSection(IIniFile& ini, const std::string& path);

private:
    std::optional<std::string> snapshotLines(const Snapshot& snapshot);

    IFileSystem& files_;
    IIniFile& ini_;
    IRegistry& registry_;
    RegTool& reg_;
    std::string tempFolder_;
};
