#include "plugins/PluginProbe.h"

#include "plugins/clsN64.h"
#include "plugins/clsPSX.h"

std::optional<PluginKind> PsxKind(std::int32_t rawType) {
    switch (rawType) {
        case 2: return PluginKind::GPU;
        case 4: return PluginKind::SPU;
        case 1: return PluginKind::CDR;
        case 8: return PluginKind::PAD;
        default: return std::nullopt;
    }
}

std::optional<PluginKind> N64Kind(std::int16_t rawType) {
    switch (rawType) {
        case 2: return PluginKind::GFX;
        case 3: return PluginKind::SND;
        case 4: return PluginKind::N64PAD;
        case 1: return PluginKind::RSP;
        default: return std::nullopt;
    }
}

ProbeAnswer InProcessProbe::probeOne(const ProbeRequest& request) {
    ProbeAnswer answer;
    const LoadedLibrary loaded = libraries_.load(request.path);
    const LibraryHandle library = loaded.get();
    if (request.system == EmuSystem::PSX) {
        clsPSX probe(libraries_);
        answer.kind = PsxKind(probe.GetLibType(library));
        // Name and version are asked of plug-ins only.
        if (answer.kind) {
            answer.name = probe.GetLibName(library);
            answer.version = probe.GetLibVersion(library);
        }
    } else {
        clsN64 probe(libraries_, 0);
        probe.QueryDLL(library);
        answer.kind = N64Kind(probe.DLLType());
        answer.name = probe.DLLName();
    }
    return answer;
}

void InProcessProbe::probe(const std::vector<ProbeRequest>& requests, const Done& done) {
    for (std::size_t i = 0; i < requests.size(); ++i) done(i, ProbeResult{ProbeStatus::Answered, probeOne(requests[i]), {}});
}
