#include "app/CommandLine.h"

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> pieces;
    if (commandLine.empty()) return pieces;
    std::size_t start = 0;
    for (std::size_t blank; (blank = commandLine.find(' ', start)) != std::string::npos; start = blank + 1)
        pieces.push_back(commandLine.substr(start, blank - start));
    pieces.push_back(commandLine.substr(start));
    return pieces;
}
