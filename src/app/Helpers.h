#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/Clock.h"
#include "app/FileSystem.h"
#include "app/Systems.h"
#include "app/WindowServices.h"

// Path, file, date and version helpers. Paths are Windows paths with "\" as
// separator; nothing here checks that a path exists unless its name says so.

// path + "\" unless it already ends in "\"; "" gives "\".
std::string QualifyPath(const std::string& path);
// The part after the last "\" (the whole path when it has none).
std::string ParseFileName(const std::string& path);
// The part up to and including the last "\" ("" when it has none).
std::string ParsePath(const std::string& path);

// True when a find-first search on the path (wildcards allowed) finds an
// entry; a folder counts.
bool FileExists(IFileSystem& files, const std::string& path);

// The folder picker with the caller's title; the chosen folder cut at its
// first NUL and qualified, "\" when cancelled.
std::string BrowseForFolder(IWindowServices& windows, WindowHandle owner, const std::string& title);

// The days of the month (1 to 12) in that year of the Gregorian calendar.
int DaysInMonth(int year, int month);
// The calendar date of a file time as stored (UTC, not converted), or
// nothing when the system could not convert it.
std::optional<DateTime> FileTimeToDate(FileTime time);
// A file time as "MMMM D, YYYY" in the user's locale; "" when it cannot be
// converted.
std::string FormatFileDate(IClock& clock, FileTime time);

// Bytes 2, 1 and 0 of the value as decimals joined by ".": 0x00010600 is "1.6.0".
std::string FormatVersionLong(std::uint32_t value);

// The short (8.3) form of a path; "" when it does not exist.
inline std::string GetShortPath(IFileSystem& files, const std::string& path) { return files.shortPath(path); }

// The shell's file operation; true unless it failed or the user aborted it.
inline bool ShellFileOperation(IFileSystem& files, ShellOperation operation, const std::string& from,
                               const std::string& to, unsigned flags, const std::string& progressTitle,
                               WindowHandle owner) {
    return files.shellFileOperation(operation, from, to, flags, progressTitle, owner);
}

// Deletes a folder (a path ending in a backslash) and everything below it,
// silently.
void RemoveFolderTree(IFileSystem& files, const std::string& folder);

// True when the file name equals one of the exclusion names, letter case
// ignored. NUL characters are first removed from the name, in place.
bool IsExcludedDll(std::string& fileName, const std::vector<std::string>& exclusions);

// Applies the alpha (0..255) to the main window as a layered window.
inline void SetWindowAlpha(IWindowServices& windows, WindowHandle mainWindow, int alpha) {
    windows.setWindowAlpha(mainWindow, alpha);
}

// The lines of a text, each without its CR LF (or LF).
std::vector<std::string> TextLines(const std::string& text);

// ASCII letter case folding, as the system compares file names.
std::string LowerCase(std::string text);

// Leading decimal digits as a number, 0 when there are none.
long WholeNumber(const std::string& text);
