#pragma once

#include <functional>
#include <string>

// A program to start and wait for.
struct ProcessStart {
    std::string application;   // the program file's full path
    std::string commandLine;   // the whole command line, the program first
    std::string workingFolder; // empty: the current folder
    bool hidden = false;       // no window shown
};

struct ProcessOutcome {
    bool started = false;
    unsigned long processId = 0;
    unsigned long exitCode = 0;
    unsigned long error = 0;  // the system's error code when it did not start
};

// Starting other programs: the emulators, and the system's registry tool.
class IProcesses {
public:
    virtual ~IProcesses() = default;

    // Starts the program, tells onStarted its process identifier, then
    // returns when it has ended. Meanwhile the window thread's messages keep
    // running: windows paint, timers fire, menus and dialogs answer.
    virtual ProcessOutcome run(const ProcessStart& start, const std::function<void(unsigned long)>& onStarted) = 0;
    // The system folder with its trailing backslash, where the system's
    // own tools are.
    virtual std::string systemFolder() = 0;
};
