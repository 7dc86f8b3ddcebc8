#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/Libraries.h"

// Plug-in libraries made of functions in the test: each export is a
// function of its arguments. Names and addresses are real, so a probe can
// read a string or fill a record at an address the way it would in a DLL.
class FakeLibraries : public ILibraries {
public:
    using Export = std::function<CallValue(const std::vector<CallValue>&)>;
    using Exports = std::map<std::string, Export>;

    void add(const std::string& path, Exports exports);
    // Libraries loaded and not yet freed.
    int loadedCount() const { return loaded_; }
    // The path of every load asked for, in order.
    const std::vector<std::string>& loads() const { return loads_; }
    // Every call made, as export name and arguments.
    struct Call {
        std::string name;
        std::vector<CallValue> arguments;
    };
    const std::vector<Call>& calls() const { return calls_; }

    std::uintptr_t findExport(LibraryHandle library, const std::string& name) override;
    CallResult call(std::uintptr_t function, CallConvention convention, const std::vector<CallValue>& arguments,
                    CallValue objectPointer) override;
    std::string stringAt(std::uintptr_t address) override;
    std::string fromAnsi(const std::string& bytes) override { return bytes; }

protected:
    LibraryHandle open(const std::string& path) override;
    void close(LibraryHandle library) override;

private:
    struct Library {
        std::string path;
        Exports exports;
    };
    std::vector<Library> libraries_;  // handle = index + 1
    std::vector<std::pair<std::string, Export*>> functions_;  // address = index + 1
    std::vector<Call> calls_;
    int loaded_ = 0;
    std::vector<std::string> loads_;
};
