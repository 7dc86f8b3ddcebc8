#include "app/win32/Win32Libraries.h"

#include <windows.h>

#include <cstring>

#include "app/win32/WideText.h"
#include "app/CodeBlock.h"

LibraryHandle Win32Libraries::open(const std::string& path) {
    // A broken or foreign file must not stop the scan with a system error
    // box; the plug-in's own companion DLLs are found in its folder. The
    // thread's own mode: the process's stays as it is for other threads.
    DWORD previous = 0;
    const BOOL quiet = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous);
    HMODULE module = LoadLibraryExW(Widen(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (quiet) SetThreadErrorMode(previous, nullptr);
    return reinterpret_cast<LibraryHandle>(module);
}

void Win32Libraries::close(LibraryHandle library) {
    if (library) FreeLibrary(reinterpret_cast<HMODULE>(library));
}

std::uintptr_t Win32Libraries::findExport(LibraryHandle library, const std::string& name) {
    if (!library) return 0;
    return reinterpret_cast<std::uintptr_t>(
        reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(library), name.c_str())));
}

std::string Win32Libraries::stringAt(std::uintptr_t address) {
    return address ? FromAnsi(reinterpret_cast<const char*>(address)) : std::string();
}

std::string Win32Libraries::fromAnsi(const std::string& bytes) { return FromAnsi(bytes); }

#if defined(_WIN64)
namespace {
// One calling convention on x86-64: the arguments go by number.
CallValue CallWith(std::uintptr_t function, const std::vector<CallValue>& a) {
    using F0 = CallValue (*)();
    using F1 = CallValue (*)(CallValue);
    using F2 = CallValue (*)(CallValue, CallValue);
    using F3 = CallValue (*)(CallValue, CallValue, CallValue);
    using F4 = CallValue (*)(CallValue, CallValue, CallValue, CallValue);
    using F5 = CallValue (*)(CallValue, CallValue, CallValue, CallValue, CallValue);
    using F6 = CallValue (*)(CallValue, CallValue, CallValue, CallValue, CallValue, CallValue);
    using F7 = CallValue (*)(CallValue, CallValue, CallValue, CallValue, CallValue, CallValue, CallValue);
    using F8 = CallValue (*)(CallValue, CallValue, CallValue, CallValue, CallValue, CallValue, CallValue, CallValue);
    const auto address = reinterpret_cast<void*>(function);
    switch (a.size()) {
        case 0: return reinterpret_cast<F0>(address)();
        case 1: return reinterpret_cast<F1>(address)(a[0]);
        case 2: return reinterpret_cast<F2>(address)(a[0], a[1]);
        case 3: return reinterpret_cast<F3>(address)(a[0], a[1], a[2]);
        case 4: return reinterpret_cast<F4>(address)(a[0], a[1], a[2], a[3]);
        case 5: return reinterpret_cast<F5>(address)(a[0], a[1], a[2], a[3], a[4]);
        case 6: return reinterpret_cast<F6>(address)(a[0], a[1], a[2], a[3], a[4], a[5]);
        case 7: return reinterpret_cast<F7>(address)(a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
        case 8: return reinterpret_cast<F8>(address)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
        default: return 0;  // no plug-in function takes more
    }
}
}  // namespace

CallResult Win32Libraries::call(std::uintptr_t function, CallConvention convention,
                                const std::vector<CallValue>& arguments, CallValue objectPointer) {
    CallResult result;
    std::vector<CallValue> passed;
    const bool object = convention == CallConvention::ComHResult || convention == CallConvention::ComDirect;
    if (object) passed.push_back(objectPointer);
    for (const CallValue argument : arguments) passed.push_back(argument);
    if (convention == CallConvention::ComHResult) passed.push_back(reinterpret_cast<CallValue>(&result.outValue));
    result.value = CallWith(function, passed);
    return result;
}
#else
namespace {
// Memory for one code block: written while read-write, then made
// executable (never both at once), released afterwards.
class ExecutableBlock {
public:
    explicit ExecutableBlock(std::size_t size)
        : memory_(VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)), size_(size) {}
    ~ExecutableBlock() {
        if (memory_) VirtualFree(memory_, 0, MEM_RELEASE);
    }
    ExecutableBlock(const ExecutableBlock&) = delete;
    ExecutableBlock& operator=(const ExecutableBlock&) = delete;

    std::uint8_t* bytes() const { return static_cast<std::uint8_t*>(memory_); }
    bool makeExecutable() {
        DWORD previous = 0;
        return VirtualProtect(memory_, size_, PAGE_EXECUTE_READ, &previous) &&
               FlushInstructionCache(GetCurrentProcess(), memory_, size_);
    }

private:
    void* memory_;
    std::size_t size_;
};
}  // namespace

CallResult Win32Libraries::call(std::uintptr_t function, CallConvention convention,
                                const std::vector<CallValue>& arguments, CallValue objectPointer) {
    CallResult result;
    std::int32_t resultCell = 0;
    CodeBlockRequest request;
    request.parameters.assign(arguments.begin(), arguments.end());
    request.convention = convention;
    request.functionAddress = static_cast<std::uint32_t>(function);
    request.objectPointer = static_cast<std::uint32_t>(objectPointer);
    request.resultCellAddress = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&resultCell));

    ExecutableBlock memory(arguments.size() * 6 + 51);
    if (!memory.bytes()) return result;
    const CodeBlock block =
        BuildCodeBlock(request, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(memory.bytes())));
    std::memcpy(memory.bytes(), block.bytes.data(), block.bytes.size());
    if (!memory.makeExecutable()) return result;
    // The block runs as a window procedure: the system's call routine calls
    // it with four zero arguments, which it drops before its own call.
    const auto procedure = reinterpret_cast<WNDPROC>(reinterpret_cast<void*>(memory.bytes() + block.start));
    result.value = static_cast<CallValue>(CallWindowProcW(procedure, nullptr, 0, 0, 0));
    result.outValue = resultCell;
    return result;
}
#endif
