#include "app/win32/Win32Downloads.h"

#include <windows.h>
#include <wininet.h>

#include <memory>

#include "app/win32/Handles.h"
#include "app/win32/MessageWait.h"
#include "app/win32/WideText.h"

namespace {
struct InternetCloser {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using UniqueInternet = std::unique_ptr<void, InternetCloser>;

struct Address {
    std::wstring host, path;
    INTERNET_PORT port = 0;
    bool secure = false;
};

std::optional<Address> Split(const std::string& address) {
    const std::wstring wide = Widen(address);
    wchar_t host[256] = L"", path[2048] = L"", extra[2048] = L"";
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = 256;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = 2048;
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = 2048;
    if (!InternetCrackUrlW(wide.c_str(), 0, 0, &parts)) return std::nullopt;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return std::nullopt;
    return Address{host, std::wstring(path) + extra, parts.nPort, parts.nScheme == INTERNET_SCHEME_HTTPS};
}

// `session` is the window thread's: closing it there ends every call of
// this transfer at once.
std::string Fetch(const DownloadRequest& request, HINTERNET session, const std::wstring& partial) {
    const auto address = Split(request.address);
    if (!address) return "The address " + request.address + " is no web address.";
    const UniqueInternet connection(InternetConnectW(session, address->host.c_str(), address->port, nullptr,
                                                     nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI |
                        (address->secure ? INTERNET_FLAG_SECURE : 0);
    const UniqueInternet http(connection ? HttpOpenRequestW(connection.get(), L"GET", address->path.c_str(), nullptr,
                                                            nullptr, nullptr, flags, 0)
                                         : nullptr);
    if (!http) return "The server at " + request.address + " could not be reached.";
    // Set on the request itself: set only on the session, a stalled
    // server held the call for minutes.
    DWORD timeout = request.timeoutMs;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT})
        InternetSetOptionW(http.get(), option, &timeout, sizeof timeout);
    if (!HttpSendRequestW(http.get(), nullptr, 0, nullptr, 0))
        return "The server at " + request.address + " did not answer.";
    DWORD status = 0, size = sizeof status;
    HttpQueryInfoW(http.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr);
    if (status != 200) return "The server answered " + std::to_string(status) + " for " + request.address + ".";
    DWORD declared = 0;
    size = sizeof declared;
    const bool hasLength = HttpQueryInfoW(http.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &declared,
                                          &size, nullptr) != FALSE;
    const UniqueHandle file = Own<UniqueHandle>(
        CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return "The download could not be written.";
    std::uint64_t total = 0;
    char chunk[65536];
    for (DWORD read = 0;; total += read) {
        if (!InternetReadFile(http.get(), chunk, sizeof chunk, &read)) return "The download was cut short.";
        if (read == 0) break;
        if (total + read > request.maxBytes) return "The download from " + request.address + " is too large.";
        DWORD written = 0;
        if (!WriteFile(file.get(), chunk, read, &written, nullptr) || written != read)
            return "The download could not be written.";
    }
    // A body cut short ends like a whole one: only its length tells.
    if (hasLength && total != declared) return "The download from " + request.address + " was cut short.";
    return std::string();
}

struct Transfer {
    const DownloadRequest& request;
    HINTERNET session;
    std::wstring partial;
    std::string problem;
};

DWORD WINAPI RunTransfer(void* context) {
    auto& transfer = *static_cast<Transfer*>(context);
    try {
        transfer.problem = Fetch(transfer.request, transfer.session, transfer.partial);
    } catch (...) {
        transfer.problem = "The download failed.";
    }
    return 0;
}

// Waits for the worker while the window's messages run; the download's
// end when it is cancelled or past its deadline: nothing when it ended
// by itself.
std::optional<std::string> AwaitTransfer(HANDLE worker, const DownloadRequest& request) {
    const ULONGLONG deadline = GetTickCount64() + request.deadlineMs;
    for (;;) {
        if (WaitDispatching(worker, 100)) return std::nullopt;
        if (request.cancelled && request.cancelled())
            return "The download from " + request.address + " was cancelled.";
        if (GetTickCount64() >= deadline)
            return "The download from " + request.address + " took longer than " +
                   std::to_string(request.deadlineMs / 1000) + " seconds.";
    }
}
}  // namespace

std::optional<std::string> Win32Downloads::download(const DownloadRequest& request) {
    const std::wstring target = Widen(request.file);
    UniqueInternet session(InternetOpenW(L"Corvane", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return std::optional<std::string>("The Internet could not be reached.");
    Transfer transfer{request, session.get(), target + L".part", {}};
    const std::wstring& partial = transfer.partial;
    // The transfer blocks: it runs beside the window thread, which keeps
    // painting and answering meanwhile.
    const UniqueHandle worker(CreateThread(nullptr, 0, &RunTransfer, &transfer, 0, nullptr));
    if (!worker) return std::optional<std::string>("The download could not be started.");
    if (const auto ended = AwaitTransfer(worker.get(), request)) {
        // Closing the session fails the call the worker waits in; its own
        // handles below the session are closed with it.
        session.reset();
        WaitDispatching(worker.get());
        DeleteFileW(partial.c_str());
        return ended;
    }
    const std::string& problem = transfer.problem;
    if (problem.empty() && MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return std::nullopt;
    DeleteFileW(partial.c_str());
    return problem.empty() ? std::optional<std::string>("The download could not be written.") : problem;
}
