#pragma once

#include "app/Processes.h"

class Win32Processes : public IProcesses {
public:
    ProcessOutcome run(const ProcessStart& start, const std::function<void(unsigned long)>& onStarted) override;
    std::string systemFolder() override;
};
