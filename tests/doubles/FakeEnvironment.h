#pragma once

#include <algorithm>
#include <vector>

#include "app/Environment.h"

// A process with a settable folder, command line, screen and rival
// instance; it records what was opened through the shell.
class FakeEnvironment : public IEnvironment {
public:
    std::string folder = "C:\\Corvane";
    std::string arguments;
    OsVersion os{true, 10, 0};
    std::string description = "Orvisk's Corvane, the emulator plug-in manager";
    int height = 1024;
    bool otherInstance = false;
    std::vector<std::string> opened;

    std::string programFolder() override { return folder; }
    std::string commandLine() override { return arguments; }
    OsVersion osVersion() override { return os; }
    std::string fileDescription() override { return description; }
    int screenHeight() override { return height; }
    bool anotherInstanceRunning() override { return otherInstance; }
    bool windowRunning() override { return otherInstance; }
    void doEvents() override {}
    // Targets the shell finds no program for.
    std::vector<std::string> refuse;
    bool shellOpen(const std::string& target, const std::string& parameters) override {
        if (std::find(refuse.begin(), refuse.end(), target) != refuse.end()) return false;
        opened.push_back(parameters.empty() ? target : target + " " + parameters);
        return true;
    }
};
