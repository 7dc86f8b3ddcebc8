#include "plugins/clsCallFunction.h"

void clsCallFunction::LoadDLL(const std::string& DLLName) {
    UnloadDLL();
    module_ = libraries_.load(DLLName);
    if (!module_) throw CallFunctionError("clsCallFunction.LoadDLL", "Load DLL failed");
}

void clsCallFunction::UnloadDLL() { module_.reset(); }

CallValue clsCallFunction::CallFunction() {
    const bool object = callType_ == CallConvention::ComHResult || callType_ == CallConvention::ComDirect;
    if (object && objectPointer_ == 0)
        throw CallFunctionError("clsCallFunction.CallFunction", "Cannot call Null COM object");
    const CallResult result = libraries_.call(functionAddress_, callType_, parameters_, objectPointer_);
    if (callType_ != CallConvention::ComHResult) return result.value;
    hResult_ = result.value;
    return result.outValue;
}

CallValue clsCallFunction::CallDLLFunctionByName(const std::string& FunctionName) {
    if (!module_) throw CallFunctionError("clsCallFunction.CallDLLFunctionByName", "No Dll loaded");
    const std::uintptr_t address = libraries_.findExport(module_.get(), FunctionName);
    if (!address) throw CallFunctionError("clsCallFunction.CallDLLFunctionByName", "Function not found");
    functionAddress_ = address;
    return CallFunction();
}
