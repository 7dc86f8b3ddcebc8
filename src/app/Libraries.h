#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A handle of a loaded library, or of nothing (0).
using LibraryHandle = std::uintptr_t;

// Arguments and results of calls into libraries: 32 bits wide on the 32-bit
// build, pointer-wide on the 64-bit one, so that addresses fit.
using CallValue = std::intptr_t;

// How a called function takes its arguments and gives its result.
enum class CallConvention {
    StdCall = 0,       // the callee removes the arguments
    Cdecl = 1,         // the caller removes them
    ComHResult = 2,    // object method: object first, result through a last out-argument, returns a status
    ComDirect = 3,     // object method returning its result
};

struct CallResult {
    CallValue value = 0;     // what the function returned
    CallValue outValue = 0;  // the out-argument of a ComHResult call
};

class ILibraries;

// A library loaded through ILibraries, freed when this goes; empty (false)
// when the file did not load.
class LoadedLibrary {
public:
    LoadedLibrary() = default;
    LoadedLibrary(ILibraries& libraries, LibraryHandle handle) : libraries_(&libraries), handle_(handle) {}
    LoadedLibrary(LoadedLibrary&& other) noexcept : libraries_(other.libraries_), handle_(other.handle_) {
        other.handle_ = 0;
    }
    LoadedLibrary& operator=(LoadedLibrary&& other) noexcept;
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    ~LoadedLibrary() { reset(); }

    LibraryHandle get() const { return handle_; }
    explicit operator bool() const { return handle_ != 0; }
    // Frees the library now.
    void reset();

private:
    ILibraries* libraries_ = nullptr;
    LibraryHandle handle_ = 0;
};

// Dynamic libraries: load by full path, look exports up, call them.
class ILibraries {
public:
    virtual ~ILibraries() = default;

    // Never shows a system error box; empty when the file does not load.
    LoadedLibrary load(const std::string& path) { return LoadedLibrary(*this, open(path)); }
    // The export's address, 0 when the library has no export of that name.
    virtual std::uintptr_t findExport(LibraryHandle library, const std::string& name) = 0;
    // Calls the function at the address with the arguments, first argument
    // first, in the given convention.
    virtual CallResult call(std::uintptr_t function, CallConvention convention, const std::vector<CallValue>& arguments,
                            CallValue objectPointer) = 0;

    // Text a library hands over in the system's ANSI code page, as UTF-8:
    // the NUL-terminated string at an address (0 gives ""), or raw bytes.
    virtual std::string stringAt(std::uintptr_t address) = 0;
    virtual std::string fromAnsi(const std::string& bytes) = 0;

protected:
    friend class LoadedLibrary;
    // 0 when the file does not load.
    virtual LibraryHandle open(const std::string& path) = 0;
    virtual void close(LibraryHandle library) = 0;
};

inline void LoadedLibrary::reset() {
    if (handle_) libraries_->close(handle_);
    handle_ = 0;
}

inline LoadedLibrary& LoadedLibrary::operator=(LoadedLibrary&& other) noexcept {
    if (this != &other) {
        reset();
        libraries_ = other.libraries_;
        handle_ = other.handle_;
        other.handle_ = 0;
    }
    return *this;
}
