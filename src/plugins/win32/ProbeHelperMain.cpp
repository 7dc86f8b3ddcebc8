// The probe helper's side: corvane.exe started with the helper switch. It
// never makes a window of its own; a library's own start-up may, and
// Corvane then waits for the user.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/Helpers.h"
#include "app/win32/WideText.h"
#include "app/win32/Win32Libraries.h"
#include "plugins/ProbeProtocol.h"
#include "plugins/win32/ProbeHelperProcess.h"

namespace {
// A crash in a library ends the helper at once with the exception's code,
// which Corvane reads as the reason; no debugger, no report box.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* exception) {
    TerminateProcess(GetCurrentProcess(), exception->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

void SilenceErrorBoxes() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(EndOnCrash);
    // The C runtime the libraries share reports abort() and its other fatal
    // errors on standard error, which leads nowhere, not in a box.
    _set_error_mode(_OUT_TO_STDERR);
}

// The machine a library's PE header names, or nothing when the file has no
// readable header.
std::optional<WORD> LibraryMachine(const std::string& path) {
    const UniqueHandle file = Own<UniqueHandle>(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    unsigned char header[1024];
    DWORD read = 0;
    if (!ReadFile(file.get(), header, sizeof header, &read, nullptr) || read < 64 || header[0] != 'M' ||
        header[1] != 'Z')
        return std::nullopt;
    const DWORD peAt = header[60] | header[61] << 8 | header[62] << 16 | static_cast<DWORD>(header[63]) << 24;
    if (peAt > read - 6 || std::string(reinterpret_cast<char*>(header + peAt), 4) != std::string("PE\0\0", 4))
        return std::nullopt;
    return static_cast<WORD>(header[peAt + 4] | header[peAt + 5] << 8);
}

#if defined(_WIN64)
constexpr WORD kOwnMachine = IMAGE_FILE_MACHINE_AMD64;
#else
constexpr WORD kOwnMachine = IMAGE_FILE_MACHINE_I386;
#endif

bool IsOtherArchitecture(const std::string& path) {
    const auto machine = LibraryMachine(path);
    return machine && (*machine == IMAGE_FILE_MACHINE_AMD64 || *machine == IMAGE_FILE_MACHINE_I386) &&
           *machine != kOwnMachine;
}

class ProbeServer {
public:
    ProbeServer() : probe_(libraries_) {}

    ProbeResult answer(const ProbeRequest& request) {
        // Plug-ins that load companion files look for them in their folder,
        // as in the scan done inside Corvane.
        const std::string folder = ParsePath(request.path);
        if (folder != folder_ && SetCurrentDirectoryW(Widen(folder).c_str())) folder_ = folder;
        const ProbeAnswer answer = probe_.probeOne(request);
        // Only a library that told nothing may be one that did not load
        // for its word size.
        if (!answer.kind && IsOtherArchitecture(request.path)) return ProbeResult{ProbeStatus::OtherArchitecture, {}, {}};
        return ProbeResult{ProbeStatus::Answered, answer, {}};
    }

private:
    Win32Libraries libraries_;
    InProcessProbe probe_;
    std::string folder_;
};

// The helper's ends of the pipes, which Corvane named in the channel
// variable. The variable goes, and the handles are not inherited further:
// what the libraries start knows nothing of them.
bool TakeChannel(UniqueHandle& requests, UniqueHandle& replies) {
    wchar_t value[64];
    const DWORD length = GetEnvironmentVariableW(kProbeChannelVariable, value, 64);
    SetEnvironmentVariableW(kProbeChannelVariable, nullptr);
    if (length == 0 || length >= 64) return false;
    const std::string text = Narrow(std::wstring(value, length));
    const std::size_t space = text.find(' ');
    const auto first = ParseNumber(text.substr(0, space));
    const auto second = space == std::string::npos ? std::nullopt : ParseNumber(text.substr(space + 1));
    if (!first || !second) return false;
    requests.reset(reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(*first)));
    replies.reset(reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(*second)));
    return SetHandleInformation(requests.get(), HANDLE_FLAG_INHERIT, 0) &&
           SetHandleInformation(replies.get(), HANDLE_FLAG_INHERIT, 0);
}

bool WriteAll(HANDLE output, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(output, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}
}  // namespace

int RunProbeHelper() {
    SilenceErrorBoxes();
    UniqueHandle requests, replies;
    if (!TakeChannel(requests, replies)) return 2;
    ProbeServer server;
    MessageReader reader;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(requests.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        reader.append(std::string(buffer, read));
        while (const auto message = reader.next()) {
            const auto request = DecodeRequest(*message);
            if (!request) return 2;
            if (!WriteAll(replies.get(), EncodeReply(request->number, server.answer(request->content)))) return 0;
        }
        if (reader.damaged()) return 2;
    }
    // Corvane closed the pipe: the session is over.
    return 0;
}
