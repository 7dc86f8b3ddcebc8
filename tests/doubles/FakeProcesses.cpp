#include "doubles/FakeProcesses.h"

#include <algorithm>

#include "app/Helpers.h"

void FakeProcesses::onRun(const std::string& application, Behaviour behaviour) {
    behaviours_[LowerCase(application)] = std::move(behaviour);
}

void FakeProcesses::makeMissing(const std::string& application) { missing_.push_back(LowerCase(application)); }

ProcessOutcome FakeProcesses::run(const ProcessStart& start, const std::function<void(unsigned long)>& onStarted) {
    ProcessOutcome outcome;
    const std::string program = LowerCase(start.application);
    if (std::find(missing_.begin(), missing_.end(), program) != missing_.end()) {
        outcome.error = 2;
        return outcome;
    }
    started_.push_back(start);
    outcome.started = true;
    outcome.processId = nextId_++;
    if (onStarted) onStarted(outcome.processId);
    const auto behaviour = behaviours_.find(program);
    if (behaviour != behaviours_.end()) outcome.exitCode = behaviour->second(start);
    return outcome;
}
