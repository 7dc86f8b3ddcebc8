#pragma once

#include <string>
#include <vector>

// The command line cut at every single blank: two blanks in a row give an
// empty piece; an empty command line gives none.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
