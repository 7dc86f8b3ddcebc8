#include "plugins/clsN64.h"

#include <vector>

#include "plugins/clsCallFunction.h"

bool clsN64::callExport(LibraryHandle library, const std::string& name, CallValue argument) {
    if (!library) return false;
    const std::uintptr_t address = libraries_.findExport(library, name);
    if (!address) return false;
    clsCallFunction call(libraries_);
    call.CallType(CallConvention::Cdecl);
    call.FunctionAddress(address);
    call.AddParameter(argument);
    call.CallFunction();
    call.ClearParameters();
    return true;
}

void clsN64::QueryDLL(LibraryHandle library) {
    // The record is 212 bytes, but a plug-in built against another layout
    // may write past them: it gets room to spare, all of it zeroed.
    std::vector<unsigned char> record(kInfoBufferSize, 0);
    callExport(library, "GetDllInfo", reinterpret_cast<CallValue>(record.data()));
    type_ = static_cast<std::int16_t>(record[2] | record[3] << 8);
    std::string name(reinterpret_cast<const char*>(record.data() + 4), kNameSize);
    name_ = libraries_.fromAnsi(name.substr(0, name.find('\0')));
}

bool clsN64::DLLTest(LibraryHandle library) {
    return callExport(library, "DllTest", static_cast<CallValue>(mainWindow_));
}

bool clsN64::DLLAbout(LibraryHandle library) {
    return callExport(library, "DllAbout", static_cast<CallValue>(mainWindow_));
}

void clsN64::DLLConfig(LibraryHandle library) {
    // Only graphics plug-ins are configured here: they export InitiateGFX.
    if (library && libraries_.findExport(library, "InitiateGFX"))
        callExport(library, "DllConfig", static_cast<CallValue>(mainWindow_));
}
