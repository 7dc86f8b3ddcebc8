#pragma once

#include <functional>
#include <string>

#include "app/Processes.h"

// Runs a program to its end, as the main window does it (RunShell).
using ProgramRunner = std::function<ProcessOutcome(const ProcessStart&)>;

// The system's console registry tool, reg.exe, started by its full path:
// it needs no rights beyond the user's own, and waits for nothing.
class RegTool {
public:
    RegTool(ProgramRunner run, std::string systemFolder)
        : run_(std::move(run)), program_(std::move(systemFolder) + "reg.exe") {}

    // Writes the key and its subkeys into a UTF-16 .reg file, replacing
    // the file when it exists.
    bool Export(const std::string& key, const std::string& file);
    // Puts the keys and values of a .reg file into the registry.
    bool Import(const std::string& file);

private:
    bool runHidden(const std::string& arguments);

    ProgramRunner run_;
    std::string program_;
};
