#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/Processes.h"

// Programs that "run" in the test: each start is recorded, and the test's
// behaviour for the program runs during the wait and gives its exit code.
class FakeProcesses : public IProcesses {
public:
    using Behaviour = std::function<unsigned long(const ProcessStart&)>;

    // What a program does while it runs, by its file's path (letter case
    // ignored); programs without one end at once with code 0.
    void onRun(const std::string& application, Behaviour behaviour);
    // Programs that do not start: the system's error "file not found".
    void makeMissing(const std::string& application);
    const std::vector<ProcessStart>& started() const { return started_; }

    ProcessOutcome run(const ProcessStart& start, const std::function<void(unsigned long)>& onStarted) override;
    std::string systemFolder() override { return "C:\\windows\\system32\\"; }

private:
    std::map<std::string, Behaviour> behaviours_;
    std::vector<std::string> missing_;
    std::vector<ProcessStart> started_;
    unsigned long nextId_ = 100;
};
