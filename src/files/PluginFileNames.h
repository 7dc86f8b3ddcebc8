#pragma once

#include <optional>
#include <string>

#include "app/FileSystem.h"

// The name a user typed for a plug-in file, as it is stored: blanks at
// either end and folder separators removed.
std::string CleanPluginFileName(const std::string& typed);

// Why a plug-in file in `folder` cannot be renamed from `old` to `name`
// (already cleaned), in the user's words; nothing when it can. A change of
// letter case alone is allowed.
std::optional<std::string> RenameProblem(IFileSystem& files, const std::string& folder, const std::string& old,
                                         const std::string& name);

// Renames a file of `folder` without replacing another; a change of letter
// case alone goes through a name of its own, as file systems that compare
// names without case would otherwise keep the old one.
bool RenamePluginFile(IFileSystem& files, const std::string& folder, const std::string& old,
                      const std::string& name);

// True when two paths name the same file or folder, compared as the file
// system compares them: letter case ignored, short and long forms alike.
bool SamePath(IFileSystem& files, const std::string& a, const std::string& b);

// True when a folder holds at least one file.
bool HasFiles(IFileSystem& files, const std::string& folder);
