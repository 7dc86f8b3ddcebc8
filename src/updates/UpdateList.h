#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/FileSystem.h"
#include "plugins/PluginCatalogue.h"

// A day as a number, for comparing release dates: days since 1 January
// 1601, the start of file times.
using DayNumber = long;

// "YYYY-MM-DD", "M/D/YYYY" or "MMMM D, YYYY" (English month names) as a
// day; nothing for any other text.
std::optional<DayNumber> ParseListDate(const std::string& text);
// The day a file was last written.
DayNumber DayOf(FileTime time);
DayNumber DayOf(int year, int month, int day);

// A PSX version as the list and the catalogue write it ("1.17b", "n/a")
// read as a number, whatever the user's locale; nothing when it is none.
std::optional<float> ParsePsxVersion(const std::string& text);
// A version number with "." and without trailing zeros: 2 for 2.0.
std::string VersionText(float version);

// One line of an update list, and the installed plug-in it may update.
struct UpdateRecord {
    std::string fileName;
    std::string pluginName;
    std::string versionText;  // as the list writes it
    float version = 0;        // PSX lists: the version as a number
    DayNumber released = 0;
    std::string address;
    // The archive's SHA-256 as 64 lower-case hex digits; empty when the
    // list gives none and the archive cannot be verified.
    std::string sha256;
    std::string installedName;
    std::string installedFile;  // the installed plug-in's file name
};

struct UpdateList {
    std::vector<UpdateRecord> records;
    // The service answered with an error page where a record should be.
    bool warning = false;
};

// Reads a list: one record per line (CR LF, LF or CR ends it) of five
// tab-separated fields and an optional sixth, "sha256:" and the archive's
// digest (further fields are ignored; a comma stays in its field; leading
// blanks and enclosing quotes go). Reading stops at a record holding the
// service's warning text. A record that cannot be read (too few fields, a
// version or date that is no version or date, a digest that is none) is
// skipped and told to `skipped`.
UpdateList ReadUpdateList(const std::string& text, EmuSystem system,
                          const std::function<void(const std::string& line)>& skipped);

// The records that update a plug-in of the catalogue: for PSX the same
// file name, a newer version and a later date, nothing by Tessarin; for
// N64 the same first seven characters of the file name and a later date,
// not 18 June 2003. Each candidate carries the installed plug-in's name.
std::vector<UpdateRecord> FindCandidates(const PluginCatalogue& installed, const UpdateList& list);
