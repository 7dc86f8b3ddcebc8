#include "doubles/FakeLibraries.h"

#include "app/Helpers.h"

void FakeLibraries::add(const std::string& path, Exports exports) { libraries_.push_back({path, std::move(exports)}); }

LibraryHandle FakeLibraries::open(const std::string& path) {
    loads_.push_back(path);
    for (std::size_t i = 0; i < libraries_.size(); ++i) {
        if (LowerCase(libraries_[i].path) != LowerCase(path)) continue;
        ++loaded_;
        return i + 1;
    }
    return 0;
}

void FakeLibraries::close(LibraryHandle library) {
    if (library) --loaded_;
}

std::uintptr_t FakeLibraries::findExport(LibraryHandle library, const std::string& name) {
    if (library == 0 || library > libraries_.size()) return 0;
    auto& exports = libraries_[library - 1].exports;
    const auto found = exports.find(name);
    if (found == exports.end()) return 0;
    functions_.emplace_back(name, &found->second);
    return functions_.size();
}

CallResult FakeLibraries::call(std::uintptr_t function, CallConvention convention,
                               const std::vector<CallValue>& arguments, CallValue objectPointer) {
    std::vector<CallValue> passed;
    CallValue outValue = 0;
    if (convention == CallConvention::ComHResult || convention == CallConvention::ComDirect) passed.push_back(objectPointer);
    for (const CallValue argument : arguments) passed.push_back(argument);
    if (convention == CallConvention::ComHResult) passed.push_back(reinterpret_cast<CallValue>(&outValue));
    const auto& [name, body] = functions_.at(function - 1);
    calls_.push_back({name, passed});
    const CallValue value = (*body)(passed);
    return CallResult{value, outValue};
}

std::string FakeLibraries::stringAt(std::uintptr_t address) {
    return address ? std::string(reinterpret_cast<const char*>(address)) : std::string();
}
