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
    const LibraryHandle library = libraries_.load(strFName);
    if (!library) return;
    bool found;
    callExport(library, Prefix(lngType) + strCall, found);
    libraries_.free(library);
}

void clsPSX::TestPlugin(const std::string& strFName, int lngType, const std::string& displayName) {
    const LibraryHandle library = libraries_.load(strFName);
    if (!library) return;
    const std::string prefix = Prefix(lngType);
    const std::string title = prefix + " Plugin Test";
    bool found;
    const CallValue verdict = static_cast<std::int32_t>(callExport(library, prefix + "test", found));
    libraries_.free(library);
    if (!found) {
        windows_.messageBox(owner_, displayName + " does not support the test function.", title,
                            MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    if (verdict == 0)
        windows_.messageBox(owner_, displayName + " reports that it should work properly.", title,
                            MessageIcon::Information, MessageButtons::Ok);
    else if (verdict == 1)
        windows_.messageBox(owner_, displayName + " needs to be configured before it will work properly.", title,
                            MessageIcon::Exclamation, MessageButtons::Ok);
    else if (verdict == -1)
        windows_.messageBox(owner_, displayName + " has returned an undefined fatal error. This plugin will not work!",
                            title, MessageIcon::Critical, MessageButtons::Ok);
}
