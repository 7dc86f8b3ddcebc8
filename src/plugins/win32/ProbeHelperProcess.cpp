#include "plugins/win32/ProbeHelperProcess.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <memory>
#include <string>

#include "app/win32/MessageWait.h"

namespace {
// Room for the requests sent ahead of the answers and for the answers.
constexpr DWORD kPipeBytes = 64 * 1024;
constexpr DWORD kPauseMilliseconds = 4;

std::wstring OwnExecutable() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);
    }
}

// A pipe whose one end the helper inherits; the other stays Corvane's.
bool MakePipe(UniqueHandle& read, UniqueHandle& write, bool helperReads) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE reader = nullptr, writer = nullptr;
    if (!CreatePipe(&reader, &writer, &inherit, kPipeBytes)) return false;
    read.reset(reader);
    write.reset(writer);
    return SetHandleInformation(helperReads ? writer : reader, HANDLE_FLAG_INHERIT, 0) != FALSE;
}

// The null device, for the helper's standard handles.
UniqueHandle Nowhere() {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return Own<UniqueHandle>(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         &inherit, OPEN_EXISTING, 0, nullptr));
}

struct EnvironmentFreer {
    void operator()(wchar_t* block) const { FreeEnvironmentStringsW(block); }
};

// Corvane's environment with the channel variable set to the helper's ends
// of the pipes, as CreateProcessW takes it.
std::wstring HelperEnvironment(HANDLE requests, HANDLE replies) {
    const std::wstring assignment = std::wstring(kProbeChannelVariable) + L"=";
    std::wstring block;
    const std::unique_ptr<wchar_t, EnvironmentFreer> own(GetEnvironmentStringsW());
    for (const wchar_t* entry = own.get(); entry && *entry; entry += wcslen(entry) + 1)
        if (_wcsnicmp(entry, assignment.c_str(), assignment.size()) != 0) block.append(entry).push_back(L'\0');
    block += assignment + std::to_wstring(reinterpret_cast<std::uintptr_t>(requests)) + L" " +
             std::to_wstring(reinterpret_cast<std::uintptr_t>(replies));
    // The string's own terminator is the block's second.
    block.push_back(L'\0');
    return block;
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace

ProbeHelperProcess::ProbeHelperProcess() : ProbeHelperProcess(OwnExecutable()) {}

ProbeHelperProcess::ProbeHelperProcess(std::wstring executable)
    : executable_(std::move(executable)), job_(CreateJobObjectW(nullptr, nullptr)) {
    if (!job_) return;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
}

bool ProbeHelperProcess::start() {
    stop();
    UniqueHandle helperRequests, helperReplies;
    if (!MakePipe(helperRequests, requests_, true) || !MakePipe(replies_, helperReplies, false)) return false;
    // The libraries the helper loads share its standard handles: they write
    // to nowhere and read nothing, and the pipes are the helper's alone.
    const UniqueHandle nowhere = Nowhere();
    if (!nowhere) return false;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nowhere.get();
    std::wstring commandLine = L"\"" + executable_ + L"\" " + kProbeHelperSwitch;
    std::wstring environment = HelperEnvironment(helperRequests.get(), helperReplies.get());
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr, &startup, &process))
        return false;
    const UniqueHandle thread(process.hThread);
    process_.reset(process.hProcess);
    processId_ = process.dwProcessId;
    // Without the job the helper still works; it just might outlive a
    // Corvane that is killed.
    if (job_) AssignProcessToJobObject(job_.get(), process_.get());
    ResumeThread(thread.get());
    return true;
}

void ProbeHelperProcess::stop() {
    requests_.reset();
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
    process_.reset();
    replies_.reset();
    processId_ = 0;
}

bool ProbeHelperProcess::send(const std::string& bytes) {
    DWORD written = 0;
    return requests_ && WriteFile(requests_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

void ProbeHelperProcess::receive(std::string& bytes) {
    // A pipe's worth at most: a helper that writes without end does not keep
    // Corvane reading.
    DWORD available = 0;
    if (!replies_ || !PeekNamedPipe(replies_.get(), nullptr, 0, nullptr, &available, nullptr) || available == 0)
        return;
    const std::size_t had = bytes.size();
    bytes.resize(had + std::min(available, kPipeBytes));
    DWORD read = 0;
    if (!ReadFile(replies_.get(), bytes.data() + had, static_cast<DWORD>(bytes.size() - had), &read, nullptr)) read = 0;
    bytes.resize(had + read);
}

std::optional<std::uint32_t> ProbeHelperProcess::exitCode() {
    if (!process_ || WaitForSingleObject(process_.get(), 0) != WAIT_OBJECT_0) return std::nullopt;
    // What it wrote before it ended is read first.
    DWORD available = 0;
    if (replies_ && PeekNamedPipe(replies_.get(), nullptr, 0, nullptr, &available, nullptr) && available > 0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

bool ProbeHelperProcess::showsWindow() {
    if (!process_) return false;
    WindowSearch search{processId_, nullptr};
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return false;
    if (GetForegroundWindow() != search.found) SetForegroundWindow(search.found);
    return true;
}

void ProbeHelperProcess::pause() {
    // A few milliseconds: the helper has requests enough queued to stay busy,
    // and every look at the pipe costs a call of Wine's server, which the
    // helper's library loads need too. Corvane's window messages run
    // meanwhile, so that it can be closed while a library's window waits
    // for an answer (the probe is abandoned then).
    WaitDispatching(process_.get(), kPauseMilliseconds);
}
