#pragma once

#include "app/Libraries.h"

class Win32Libraries : public ILibraries {
public:
    std::uintptr_t findExport(LibraryHandle library, const std::string& name) override;
    CallResult call(std::uintptr_t function, CallConvention convention, const std::vector<CallValue>& arguments,
                    CallValue objectPointer) override;
    std::string stringAt(std::uintptr_t address) override;
    std::string fromAnsi(const std::string& bytes) override;

protected:
    LibraryHandle open(const std::string& path) override;
    void close(LibraryHandle library) override;
};
