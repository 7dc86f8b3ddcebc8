#include "plugins/PluginKind.h"

namespace {
constexpr std::array<PluginKind, 4> kPsxKinds{PluginKind::GPU, PluginKind::SPU, PluginKind::CDR, PluginKind::PAD};
constexpr std::array<PluginKind, 4> kN64Kinds{PluginKind::GFX, PluginKind::SND, PluginKind::N64PAD,
                                              PluginKind::RSP};
}  // namespace

EmuSystem SystemOf(PluginKind kind) {
    for (PluginKind psx : kPsxKinds)
        if (psx == kind) return EmuSystem::PSX;
    return EmuSystem::N64;
}

const std::array<PluginKind, 4>& KindsOf(EmuSystem system) {
    return system == EmuSystem::PSX ? kPsxKinds : kN64Kinds;
}

int PlaceInSystem(PluginKind kind) { return ListIndex(kind) - ListIndex(KindsOf(SystemOf(kind)).front()); }

const char* TypeLabel(PluginKind kind) {
    switch (kind) {
        case PluginKind::GPU: return "GPU";
        case PluginKind::SPU: return "SPU";
        case PluginKind::CDR: return "CDR";
        case PluginKind::PAD: return "PAD";
        case PluginKind::GFX: return "GFX";
        case PluginKind::SND: return "SND";
        case PluginKind::N64PAD: return "PAD";
        case PluginKind::RSP: return "RSP";
    }
    return "";
}

int IconOf(PluginKind kind) {
    switch (kind) {
        case PluginKind::GPU:
        case PluginKind::GFX: return 1;
        case PluginKind::SPU:
        case PluginKind::SND: return 2;
        case PluginKind::CDR: return 3;
        case PluginKind::PAD:
        case PluginKind::N64PAD: return 4;
        case PluginKind::RSP: return 5;
    }
    return 0;
}

int PsxTypeCode(PluginKind kind) {
    switch (kind) {
        case PluginKind::GPU: return 1;
        case PluginKind::SPU: return 2;
        case PluginKind::CDR: return 3;
        case PluginKind::PAD: return 4;
        default: return 0;
    }
}
