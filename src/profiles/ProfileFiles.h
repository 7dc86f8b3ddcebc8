#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/FileSystem.h"
#include "app/IniFile.h"
#include "app/Registry.h"
#include "profiles/Profile.h"
#include "profiles/ProfileText.h"
#include "profiles/RegTool.h"

// What went wrong with a profile, in words for the user; nothing when all
// went well.
using ProfileProblem = std::optional<std::string>;

// A value that loading a profile would change.
struct ValueChange {
    std::string key;   // with its root, as the profile writes it
    std::string name;  // "" for the key's default value
    // The data now, nothing when the value is not there; unknown for a key
    // outside HKEY_CURRENT_USER, which the program does not read.
    std::optional<RegistryValue> current;
    bool currentKnown = true;
    RegistryValue profile;
};

// What loading a profile would do: the values whose data differs from the
// registry's now, and the entries it would leave out.
struct ProfilePreview {
    std::vector<ValueChange> changes;
    std::vector<std::string> leftOut;
};

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
    // Imports the keys and values of a profile that it may write (see
    // SortProfile) through a fresh copy (profiles joined by older versions
    // load too); `leftOut` gets the entries left out, also when the import
    // fails afterwards.
    ProfileProblem Import(const std::string& path, const ProfileKeys& allowed, std::vector<std::string>& leftOut);
    // What Import would change, found without writing anything.
    static ProfileProblem Preview(IFileSystem& files, IRegistry& registry, const std::string& path,
                                  const ProfileKeys& allowed, ProfilePreview& preview);

    // Profiles and snapshots are read whole up to this size; a larger one
    // is taken for damaged.
    static constexpr std::uint64_t kMaxFileBytes = 16 * 1024 * 1024;

    static ProfileSection ReadSection(IIniFile& ini, const std::string& path);

private:
    std::optional<std::string> snapshotLines(const Snapshot& snapshot);

    IFileSystem& files_;
    IIniFile& ini_;
    IRegistry& registry_;
    RegTool& reg_;
    std::string tempFolder_;
};
