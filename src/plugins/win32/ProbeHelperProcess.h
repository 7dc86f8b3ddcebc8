#pragma once

#include <windows.h>

#include <string>

#include "app/win32/Handles.h"
#include "plugins/HelperProbe.h"

// The switch that starts corvane.exe as the probe helper. WinMain looks for
// it before anything else; users never type it.
constexpr const wchar_t* kProbeHelperSwitch = L"--corvane-plugin-probe";
// The variable of the helper's environment that holds its ends of the two
// pipes: the handle values of the requests' and of the replies' pipe.
constexpr const wchar_t* kProbeChannelVariable = L"CORVANE_PROBE_CHANNEL";

// Corvane's own executable running as the probe helper: a pipe for the
// requests and one for the replies, neither of them its standard handles
// (those lead nowhere, so what a library prints reaches no one), in a job
// object that ends it when Corvane ends.
class ProbeHelperProcess : public IProbeHelper {
public:
    // The helper is this very program, or the one at the path.
    ProbeHelperProcess();
    explicit ProbeHelperProcess(std::wstring executable);
    ~ProbeHelperProcess() override { stop(); }
    ProbeHelperProcess(const ProbeHelperProcess&) = delete;
    ProbeHelperProcess& operator=(const ProbeHelperProcess&) = delete;

    bool start() override;
    void stop() override;
    bool send(const std::string& bytes) override;
    void receive(std::string& bytes) override;
    std::optional<std::uint32_t> exitCode() override;
    bool showsWindow() override;
    void pause() override;
    std::uint64_t milliseconds() override { return GetTickCount64(); }

    DWORD processId() const { return processId_; }

private:
    std::wstring executable_;
    UniqueHandle job_;
    UniqueHandle process_;
    UniqueHandle requests_;  // Corvane's end of the requests' pipe
    UniqueHandle replies_;   // Corvane's end of the replies' pipe
    DWORD processId_ = 0;
};

// The helper's own side: reads requests from its pipe until it closes and
// answers each; returns the process's exit code.
int RunProbeHelper();
