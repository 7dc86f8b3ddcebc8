#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "plugins/HelperProbe.h"
#include "plugins/ProbeProtocol.h"

// A probe helper in the test: it reads the requests it is sent and, per
// library, answers, crashes, ends with a code, hangs, or shows a window for
// a while before it answers; a library may put bytes of its own on the reply
// channel ahead of the reply. Its clock moves only while Corvane pauses, and
// it answers nothing before Corvane has paused once.
class FakeProbeHelper : public IProbeHelper {
public:
    static constexpr std::uint64_t kPauseMilliseconds = 1000;

    struct Behaviour {
        enum class Kind { Answer, Exit, Hang, Window } kind = Kind::Answer;
        ProbeResult result;          // Answer and Window
        std::uint32_t exitCode = 0;  // Exit
        int windowPauses = 0;        // Window: pauses the window stays up
        std::string written;         // on the reply channel before the reply
    };
    static Behaviour Answer(PluginKind kind, const std::string& name, const std::string& version = "");
    static Behaviour NoPlugin();
    static Behaviour Foreign();
    static Behaviour Exit(std::uint32_t code);
    static Behaviour Hang();
    static Behaviour Window(int pauses, PluginKind kind, const std::string& name);
    static Behaviour Writes(const std::string& bytes, Behaviour then);

    void behave(const std::string& path, Behaviour behaviour) { behaviours_[path] = std::move(behaviour); }
    // Every library the helpers were asked to probe, in order.
    const std::vector<std::string>& probed() const { return probed_; }
    int starts() const { return starts_; }
    // No helper process can be started.
    void failStarts() { failStarts_ = true; }
    // Runs at every pause, for a look at the program while it waits.
    std::function<void()> onPause;
    bool running() const { return running_; }

    bool start() override;
    void stop() override { running_ = false; }
    bool send(const std::string& bytes) override;
    void receive(std::string& bytes) override;
    std::optional<std::uint32_t> exitCode() override;
    bool showsWindow() override;
    void pause() override;
    std::uint64_t milliseconds() override { return clock_; }

private:
    // Works through the requests until one holds the helper up.
    void work();

    std::map<std::string, Behaviour> behaviours_;
    MessageReader requests_;
    // Requests in order; a request is worked on only after a pause since it
    // arrived, as a real helper answers a moment later.
    struct Queued {
        Numbered<ProbeRequest> request;
        bool arrivedBeforePause = false;
    };
    std::vector<Queued> queue_;
    std::string output_;
    std::vector<std::string> probed_;
    std::optional<std::uint32_t> exitCode_;
    int windowLeft_ = -1;  // pauses left for the window of the first request; -1 for none
    bool headProbed_ = false;  // the first request is counted in probed_
    int starts_ = 0;
    bool failStarts_ = false;
    bool running_ = false;
    std::uint64_t clock_ = 1000000;  // a steady clock starts anywhere
};
