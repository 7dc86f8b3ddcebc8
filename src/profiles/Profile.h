#pragma once

#include <optional>
#include <string>
#include <vector>

#include "emulators/ActiveSelection.h"
#include "profiles/N64RegistryPaths.h"
#include "profiles/ProfileText.h"

// What a profile can hold: the save dialog's boxes, in their order.
enum class ProfileContent { PSXPlugins, N64Plugins, ePSXe, PCSX, PSXeven, Project64, Emu1964 };
constexpr int kProfileContents = 7;

inline ProfileContent ContentAt(int index) { return static_cast<ProfileContent>(index); }
const char* CaptionOf(ProfileContent content);
// The emulator whose own settings a content is; nothing for the plug-ins'.
std::optional<EmulatorKind> EmulatorOf(ProfileContent content);

// One registry key exported into a snapshot file of the temporary folder.
struct Snapshot {
    std::string fileName;
    std::string key;  // with its root, as the registry tool takes it
};

// The snapshots of the chosen contents, in the order they are made; the
// Project 64 and 1964 keys only when their versions were found.
std::vector<Snapshot> PlanSnapshots(const std::vector<ProfileContent>& chosen,
                                    const std::vector<N64RegistryPath>& n64Paths, const N64VersionKeys& keys);
// The keys a profile may write: the PSX plug-ins' key, each emulator type's
// key (for Project 64 and 1964 that of every version their search knows, so
// a profile saved beside another version loads too) and the N64 registry
// paths.
ProfileKeys AllowedProfileKeys(const std::vector<N64RegistryPath>& n64Paths);
// ConfigSystem of a profile of the chosen contents: 6 PSX only, 7 N64 only,
// 8 both, 0 neither.
int ConfigSystemOf(const std::vector<ProfileContent>& chosen, const N64VersionKeys& keys);

// The description a profile carries in its section Corvane.
struct ProfileSection {
    std::string name;
    int system = 6;
    std::string comments;  // line breaks as CR LF
};

// Comments on one line: every line break (CR LF, or a lone CR or LF) as
// "$CRLF$"; and back, each "$CRLF$" as CR LF.
std::string EncodeComments(const std::string& text);
std::string DecodeComments(const std::string& text);

// How a profile is bound, and so named.
enum class BindMethod { None, PSXDisc, PSXISO, N64ROM };

// The name of the profile's file without ".cfg": the profile name, the
// game ID, or the bound file's name up to its last "." (the whole name
// when it has none).
std::string BindingKey(BindMethod method, const std::string& name, const std::string& gameId,
                       const std::string& fileName);
// True when the key names a file of the profile folder: not empty, no
// folder separator, drive, wildcard or other character Windows forbids.
bool IsPlainFileName(const std::string& key);

// program folder + "\Configurations\".
std::string ProfileFolder(const std::string& programFolder);
