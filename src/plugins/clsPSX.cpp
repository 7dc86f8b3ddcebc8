#include "plugins/clsPSX.h"

#include "plugins/clsCallFunction.h"

std::string clsPSX::Prefix(int lngType) {
    switch (lngType) {
        case 1: return "GPU";
        case 2: return "SPU";
        case 3: return "CDR";
        case 4: return "PAD";
        default: return "";
    }
}

std::string clsPSX::VersionText(std::uint32_t value) {
    return std::to_string(value >> 8 & 0xFF) + "." + std::to_string(value & 0xFF);
}

CallValue clsPSX::callExport(LibraryHandle library, const std::string& name, bool& found) {
    found = false;
    if (!library) return 0;
    const std::uintptr_t address = libraries_.findExport(library, name);
    if (!address) return 0;
    found = true;
    clsCallFunction call(libraries_);
    call.CallType(CallConvention::StdCall);
    call.FunctionAddress(address);
    return call.CallFunction();
}

std::int32_t clsPSX::GetLibType(LibraryHandle library) {
    bool found;
    return static_cast<std::int32_t>(callExport(library, "PSEgetLibType", found));
}

std::string clsPSX::GetLibName(LibraryHandle library) {
    bool found;
    // The plug-in owns the string; copy it whole, at once.
    return libraries_.stringAt(static_cast<std::uintptr_t>(callExport(library, "PSEgetLibName", found)));
}

std::string clsPSX::GetLibVersion(LibraryHandle library) {
    bool found;
    const CallValue value = callExport(library, "PSEgetLibVersion", found);
    return found ? VersionText(static_cast<std::uint32_t>(value)) : std::string();
}

void clsPSX::StdCall(const std::string& strFName, int lngType, const std::string& strCall) {
    const LoadedLibrary library = libraries_.load(strFName);
    bool found;
    callExport(library.get(), Prefix(lngType) + strCall, found);
}

std::optional<PsxTestVerdict> clsPSX::TestPlugin(const std::string& strFName, int lngType) {
    const LoadedLibrary library = libraries_.load(strFName);
    if (!library) return std::nullopt;
    bool found;
    const CallValue verdict = static_cast<std::int32_t>(callExport(library.get(), Prefix(lngType) + "test", found));
    if (!found) return PsxTestVerdict::Unsupported;
    if (verdict == 0) return PsxTestVerdict::Works;
    if (verdict == 1) return PsxTestVerdict::NeedsConfiguration;
    if (verdict == -1) return PsxTestVerdict::FatalError;
    return std::nullopt;
}
