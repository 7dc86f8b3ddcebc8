#pragma once

#include <string>
#include <vector>

#include "profiles/N64RegistryPaths.h"
#include "profiles/Profile.h"
#include "profiles/ProfileFiles.h"

class Session;

// A saved profile as the Load dialog lists it.
struct ProfileListing {
    std::string name, fileName, comments;
    int system = 6;
};

// What the Save dialog asks to be saved.
struct ProfileRequest {
    std::string name, comments;
    BindMethod method = BindMethod::None;
    std::string gameId, fileName;  // the disc's ID, or the bound file's name
    std::vector<ProfileContent> contents;
};

// Configuration profiles: saving the chosen registry settings, listing,
// deleting and loading the saved ones, loading a game's own before it
// starts, and the N64 plug-ins' keys that profiles take along.
class ProfileCommands {
public:
    explicit ProfileCommands(Session& session) : session_(session) {}

    // Profiles of both systems first, then PSX, then N64; others are not
    // listed (they still load by their file name).
    std::vector<ProfileListing> list() const;
    // Deletes a profile after the user agreed; true when it is gone.
    bool remove(const std::string& fileName);
    // Imports a profile of the profile folder, what it may write of it
    // (the user is told of the entries left out); false when it could not
    // be loaded (the user was told).
    bool load(const std::string& fileName);
    // What loading a profile of the profile folder would change, found
    // without writing anything; a problem when it cannot be read.
    ProfileProblem preview(const std::string& fileName, ProfilePreview& preview) const;
    // Saves a profile, asking before another is replaced and making the
    // profile folder when there is none; false when it
    // could not be saved (the user was told), true when it was or the user
    // kept the other.
    bool save(const ProfileRequest& request);
    // Loads the profile of a game's binding key before the game starts;
    // nothing happens when there is none. Entries left out are only logged.
    void autoLoad(const std::string& key, const std::string& logLine);

    std::vector<N64RegistryPath> n64Paths() const;
    bool storeN64Paths(const std::vector<N64RegistryPath>& paths);
    std::string n64PathsFile() const;

private:
    ProfileProblem import(const std::string& path, std::vector<std::string>& leftOut);
    // The path of a profile of the profile folder by its file name; nothing
    // for a name that is no plain file name or names no file.
    std::optional<std::string> profilePath(const std::string& fileName) const;

    Session& session_;
};
