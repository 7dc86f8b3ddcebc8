#pragma once

#include <string>
#include <vector>

#include "app/FileSystem.h"
#include "app/IniFile.h"

// A registry key of an N64 plug-in that profiles take along.
struct N64RegistryPath {
    std::string name;
    std::string path;  // root key included, as the registry tool takes it
};

// program folder + "\n64paths.dat".
std::string N64PathsFile(const std::string& programFolder);

// The list, entries 1, 2, ... up to the first without a name.
std::vector<N64RegistryPath> LoadN64Paths(IIniFile& ini, const std::string& file);
// Writes the whole list in one step (no file at all for an empty list).
bool StoreN64Paths(IIniFile& ini, IFileSystem& files, const std::string& file,
                   const std::vector<N64RegistryPath>& paths);
// True for a name or path the list cannot hold: empty, or the text that
// ends the list when it is read.
bool IsUnusableN64Text(const std::string& text);
