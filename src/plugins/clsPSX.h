#pragma once

#include <string>

#include <optional>

#include "app/Libraries.h"

// What a PSX plug-in's test function says of itself.
enum class PsxTestVerdict { Unsupported, Works, NeedsConfiguration, FatalError };

// Talks to PlayStation plug-ins through the PSEmu Pro interface: type, name
// and version of a loaded library, its type-prefixed functions, its test.
class clsPSX {
public:
    explicit clsPSX(ILibraries& libraries) : libraries_(libraries) {}

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
    // Runs prefix + "test": the plug-in's verdict; nothing when the library
    // does not load or answers with no verdict the interface knows.
    std::optional<PsxTestVerdict> TestPlugin(const std::string& strFName, int lngType);

private:
    CallValue callExport(LibraryHandle library, const std::string& name, bool& found);

    ILibraries& libraries_;
};
