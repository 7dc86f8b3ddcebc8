#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/ExtractionFiles.h"

// The zipextract tool: extracts each ARCHIVE into its FOLDER as the import
// does, prints a line per refused entry, then "rc=N" after each archive.
// Returns the process's exit code: 0 when every archive gave 0, 2 on wrong
// arguments, else the last non-zero code.
int RunZipExtract(IExtractionFiles& files, const std::vector<std::string>& arguments, std::ostream& out);
