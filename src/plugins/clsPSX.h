#pragma once

#include <string>

#include "app/Libraries.h"
#include "app/WindowServices.h"

// Talks to PlayStation plug-ins through the PSEmu Pro interface: type, name
// and version of a loaded library, its type-prefixed functions, its test.
class clsPSX {
public:
    clsPSX(ILibraries& libraries, IWindowServices& windows, WindowHandle owner)
        : libraries_(libraries), windows_(windows), owner_(owner) {}

    // The export-name prefix of a catalogue type code (1 GPU .. 4 PAD).
    static std::string Prefix(int lngType);
    // A version value as text: byte 1 "." byte 0.
    static std::string VersionText(std::uint32_t value);

    // Queries of a library the caller has loaded; 0 or "" when the handle is
    // 0 or the export is missing.
    std::int32_t GetLibType(LibraryHandle library);
    std::string GetLibName(LibraryHandle library);
    std::string GetLibVersion(LibraryHandle library);

    // Calls prefix + strCall (configure, about) of the plug-in at the path.
    void StdCall(const std::string& strFName, int lngType, const std::string& strCall);
    // Runs prefix + "test" and tells the user the plug-in's verdict.
    void TestPlugin(const std::string& strFName, int lngType, const std::string& displayName);

private:
    CallValue callExport(LibraryHandle library, const std::string& name, bool& found);

    ILibraries& libraries_;
    IWindowServices& windows_;
    WindowHandle owner_;
};
