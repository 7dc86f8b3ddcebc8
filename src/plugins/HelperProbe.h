#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "plugins/PluginProbe.h"

// One probe helper process as Corvane sees it: started, fed requests,
// read, watched for windows of its own, and ended.
class IProbeHelper {
public:
    virtual ~IProbeHelper() = default;

    // Starts a fresh helper; false when none could be started.
    virtual bool start() = 0;
    // Ends the helper (it may already have ended).
    virtual void stop() = 0;
    virtual bool send(const std::string& bytes) = 0;
    // Appends what the helper wrote since the last call, without waiting.
    virtual void receive(std::string& bytes) = 0;
    // The helper's exit code once it has ended (and everything it wrote has
    // been received); nothing while it runs.
    virtual std::optional<std::uint32_t> exitCode() = 0;
    // True when the helper shows a visible window; brings it to the front.
    virtual bool showsWindow() = 0;
    // Waits a moment for the helper while the caller's window messages run.
    virtual void pause() = 0;
    // A steady clock, in milliseconds.
    virtual std::uint64_t milliseconds() = 0;
};

// Probes each library in a helper process, so that a library that crashes,
// ends the process or hangs takes only the helper with it: the helper is
// started afresh and the check goes on with the next library. The helper is
// kept running between scans. The caller's window messages run while it
// waits (IProbeHelper::pause), and `abandoned` is asked between its polls.
class HelperProbe : public IPluginProbe {
public:
    static constexpr std::uint64_t kDefaultTimeout = 10000;
    // The longest wait for one library, its windows included, in time-outs.
    static constexpr std::uint64_t kLongestWait = 12;

    // `fallback` probes what is left when no helper can be started at all;
    // without one those libraries are answered as no plug-ins.
    explicit HelperProbe(IProbeHelper& helper, std::uint64_t timeoutMilliseconds = kDefaultTimeout,
                         IPluginProbe* fallback = nullptr)
        : helper_(helper), timeout_(timeoutMilliseconds), fallback_(fallback) {}
    ~HelperProbe() override;
    HelperProbe(const HelperProbe&) = delete;
    HelperProbe& operator=(const HelperProbe&) = delete;

    void probe(const std::vector<ProbeRequest>& requests, const Done& done) override;
    // Starts the helper ahead of the first scan, so that its start overlaps
    // other work.
    void warmUp();

    // The reason given for a helper that ended with the code.
    static std::string EndReason(std::uint32_t exitCode);

private:
    class Run;
    bool running_ = false;
    bool probing_ = false;
    std::uint64_t nextNumber_ = 1;  // of the next scan's first request
    IProbeHelper& helper_;
    std::uint64_t timeout_;
    IPluginProbe* fallback_;
};
