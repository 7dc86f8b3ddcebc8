#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Libraries.h"

// The error a call into a library raises to its caller.
class CallFunctionError : public std::runtime_error {
public:
    static constexpr long kNumber = -2147221504;  // 0x80040000, user-defined object errors
    CallFunctionError(std::string source, const std::string& description)
        : std::runtime_error(description), source_(std::move(source)) {}
    long number() const { return kNumber; }
    const std::string& source() const { return source_; }
    std::string description() const { return what(); }

private:
    std::string source_;
};

// Calls a function of a library whose name and arguments are known only at
// run time: an export by name, or any function address, with a list of
// arguments, in the stdcall or cdecl convention or as an object method.
class clsCallFunction {
public:
    explicit clsCallFunction(ILibraries& libraries) : libraries_(libraries) {}
    clsCallFunction(const clsCallFunction&) = delete;
    clsCallFunction& operator=(const clsCallFunction&) = delete;

    void LoadDLL(const std::string& DLLName);
    void UnloadDLL();

    CallValue ObjectPointer() const { return objectPointer_; }
    void ObjectPointer(CallValue pointer) { objectPointer_ = pointer; }
    CallConvention CallType() const { return callType_; }
    void CallType(CallConvention type) { callType_ = type; }
    CallValue HResult() const { return hResult_; }
    std::uintptr_t FunctionAddress() const { return functionAddress_; }
    void FunctionAddress(std::uintptr_t address) { functionAddress_ = address; }

    void ClearParameters() { parameters_.clear(); }
    void AddParameter(CallValue value) { parameters_.push_back(value); }

    CallValue CallFunction();
    CallValue CallDLLFunctionByName(const std::string& FunctionName);

private:
    ILibraries& libraries_;
    std::vector<CallValue> parameters_;
    std::uintptr_t functionAddress_ = 0;
    CallConvention callType_ = CallConvention::StdCall;
    CallValue objectPointer_ = 0;
    CallValue hResult_ = 0;
    LoadedLibrary module_;
};
