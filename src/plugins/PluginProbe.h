#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Libraries.h"
#include "app/Systems.h"
#include "plugins/PluginKind.h"

// The list of a PSX library's raw type (PSEgetLibType), of an N64 library's
// (GetDllInfo's type field); nothing for any other value.
std::optional<PluginKind> PsxKind(std::int32_t rawType);
std::optional<PluginKind> N64Kind(std::int16_t rawType);

// What a library says of itself. No kind: it is no plug-in of the system
// (or did not load at all).
struct ProbeAnswer {
    std::optional<PluginKind> kind;
    std::string name;
    std::string version;  // PSX plug-ins only
};

enum class ProbeStatus {
    Answered,           // the answer holds what the library said
    OtherArchitecture,  // built for the other word size: it cannot load here
    Failed,             // it stopped the check; the reason says how
};

struct ProbeResult {
    ProbeStatus status = ProbeStatus::Answered;
    ProbeAnswer answer;
    std::string reason;  // "crashed", "ended the process with code 3", "no answer in 10 s"
};

struct ProbeRequest {
    EmuSystem system = EmuSystem::PSX;
    std::string path;  // full path of the library
};

// Asks libraries for their kind, name and version: loads each, calls its
// exports, frees it.
class IPluginProbe {
public:
    using Done = std::function<void(std::size_t index, const ProbeResult& result)>;
    virtual ~IPluginProbe() = default;

    // Probes the libraries in order and hands each result to `done` as soon
    // as it is known, with the request's index.
    virtual void probe(const std::vector<ProbeRequest>& requests, const Done& done) = 0;

    // Told the path of a library that keeps the check waiting for the user
    // (it shows a window of its own).
    std::function<void(const std::string& path)> onWaitingForUser;
    // Asked while a probe waits for another process (and the caller's window
    // messages run): true ends the probe at once, as when Corvane is closing;
    // the libraries not yet reported get no result.
    std::function<bool()> abandoned;
};

// Probes inside the calling process: what the helper process runs, and the
// native tests' probe over fake libraries.
class InProcessProbe : public IPluginProbe {
public:
    explicit InProcessProbe(ILibraries& libraries) : libraries_(libraries) {}

    ProbeAnswer probeOne(const ProbeRequest& request);
    void probe(const std::vector<ProbeRequest>& requests, const Done& done) override;

private:
    ILibraries& libraries_;
};
