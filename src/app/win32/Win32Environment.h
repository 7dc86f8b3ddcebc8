#pragma once

#include "app/Environment.h"
#include "app/win32/Handles.h"

class Win32Environment : public IEnvironment {
public:
    std::string programFolder() override;
    std::string commandLine() override;
    OsVersion osVersion() override;
    std::string fileDescription() override;
    int screenHeight() override;
    bool anotherInstanceRunning() override;
    bool windowRunning() override;
    void doEvents() override;
    bool shellOpen(const std::string& target, const std::string& parameters) override;

private:
    UniqueHandle instanceClaim_;
};
