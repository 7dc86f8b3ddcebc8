#pragma once

#include <cstdint>
#include <string>

#include "app/Libraries.h"
#include "app/WindowHandle.h"

// Talks to Nintendo 64 plug-ins through the common N64 plug-in interface:
// the information record, and the test, about and configuration functions
// with the main window as parent. The caller loads and frees the library.
class clsN64 {
public:
    static constexpr std::size_t kInfoRecordSize = 212;
    static constexpr std::size_t kNameSize = 100;
    // What the probe hands the plug-in for the record.
    static constexpr std::size_t kInfoBufferSize = 4096;

    clsN64(ILibraries& libraries, WindowHandle mainWindow) : libraries_(libraries), mainWindow_(mainWindow) {}

    void QueryDLL(LibraryHandle library);
    // The name of the last query: its 100 bytes up to the first NUL.
    const std::string& DLLName() const { return name_; }
    std::int16_t DLLType() const { return type_; }

    // Each false when the plug-in lacks the function.
    bool DLLTest(LibraryHandle library);
    bool DLLAbout(LibraryHandle library);
    void DLLConfig(LibraryHandle library);

private:
    // Calls the export (cdecl) with one argument; false when it is missing.
    bool callExport(LibraryHandle library, const std::string& name, CallValue argument);

    ILibraries& libraries_;
    WindowHandle mainWindow_;
    std::string name_;
    std::int16_t type_ = 0;
};
