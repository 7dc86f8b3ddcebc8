#pragma once

#include <string>

#include "session/Session.h"

// What the command line lists, as text for people or as one JSON document.

// The registered emulators: number, name, system, type, executable, folder.
std::string EmulatorsListing(Session& session, bool json);
// The plug-ins of the emulator the session has chosen and scanned (0: the
// program's own folders), with the emulator's active ones, and the
// libraries of those folders in quarantine.
std::string PluginsListing(Session& session, bool json);
std::string ProfilesListing(Session& session, bool json);
// The updates the last check found waiting.
std::string UpdatesListing(Session& session, bool json);
