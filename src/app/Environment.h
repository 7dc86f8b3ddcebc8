#pragma once

#include <string>

struct OsVersion {
    bool ntFamily = true;
    int major = 0, minor = 0;
};

// Facts about this process and the machine it runs on, and the message
// loop's "let pending messages run".
class IEnvironment {
public:
    virtual ~IEnvironment() = default;

    // The folder of the program file, without a trailing backslash (but
    // for a drive root).
    virtual std::string programFolder() = 0;
    // The arguments after the program's own name, leading blanks removed.
    virtual std::string commandLine() = 0;
    virtual OsVersion osVersion() = 0;
    // The program file's description from its version resource, or "".
    virtual std::string fileDescription() = 0;
    virtual int screenHeight() = 0;
    // True when another instance of the program runs; from then on this one
    // holds the claim for as long as it runs.
    virtual bool anotherInstanceRunning() = 0;
    // True when Corvane's window runs, without claiming anything.
    virtual bool windowRunning() = 0;
    // Lets pending window messages run (painting, timers), then returns.
    virtual void doEvents() = 0;
    // Opens a document or web address (or starts a program with these
    // parameters) with the shell's "open" verb.
    virtual bool shellOpen(const std::string& target, const std::string& parameters) = 0;
};
