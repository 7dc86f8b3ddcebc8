#include "app/win32/Win32Downloads.h"

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <memory>
#include <vector>

#include "app/win32/Handles.h"
#include "app/win32/MessageWait.h"
#include "app/win32/SystemLibrary.h"
#include "app/win32/WideText.h"

namespace {
// WinINet is loaded at the first download, not with the program: most runs
// never download, and under Wine it costs every start 1.5 MiB of memory.
struct WinInet {
    template <typename Function>
    static Function Export(const char* name) { return SystemFunction<Function>(L"wininet.dll", name); }

    decltype(&InternetCloseHandle) closeHandle = Export<decltype(closeHandle)>("InternetCloseHandle");
    decltype(&InternetCrackUrlW) crackUrl = Export<decltype(crackUrl)>("InternetCrackUrlW");
    decltype(&InternetOpenW) open = Export<decltype(open)>("InternetOpenW");
    decltype(&InternetConnectW) connect = Export<decltype(connect)>("InternetConnectW");
    decltype(&HttpOpenRequestW) openRequest = Export<decltype(openRequest)>("HttpOpenRequestW");
    decltype(&InternetSetOptionW) setOption = Export<decltype(setOption)>("InternetSetOptionW");
    decltype(&HttpSendRequestW) sendRequest = Export<decltype(sendRequest)>("HttpSendRequestW");
    decltype(&HttpQueryInfoW) queryInfo = Export<decltype(queryInfo)>("HttpQueryInfoW");
    decltype(&InternetReadFile) readFile = Export<decltype(readFile)>("InternetReadFile");

    bool loaded() const {
        return closeHandle && crackUrl && open && connect && openRequest && setOption && sendRequest && queryInfo &&
               readFile;
    }
};

const WinInet& Inet() {
    static const WinInet functions;
    return functions;
}

struct InternetCloser {
    void operator()(HINTERNET handle) const { Inet().closeHandle(handle); }
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
    if (!Inet().crackUrl(wide.c_str(), 0, 0, &parts)) return std::nullopt;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return std::nullopt;
    return Address{host, std::wstring(path) + extra, parts.nPort, parts.nScheme == INTERNET_SCHEME_HTTPS};
}

// One download on its worker thread. The worker owns it with the caller
// while the caller waits; a caller that gives up (cancelled, past the
// deadline) leaves it to the worker, which ends at its next piece or time-out
// and removes what it wrote: WinINet's blocking calls cannot be ended from
// the window thread everywhere (Wine's are not).
struct Transfer {
    std::string address;
    std::uint64_t maxBytes;
    unsigned timeoutMs;
    std::wstring partial;
    std::string problem;
    // Raised by whichever side is done with the transfer first: the other
    // removes the partial file.
    std::atomic<bool> ended{false};
};

std::string Fetch(const Transfer& transfer) {
    if (!Inet().loaded()) return "The Internet could not be reached.";
    const auto address = Split(transfer.address);
    if (!address) return "The address " + transfer.address + " is no web address.";
    const UniqueInternet session(Inet().open(L"Corvane", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return "The Internet could not be reached.";
    const UniqueInternet connection(Inet().connect(session.get(), address->host.c_str(), address->port, nullptr,
                                                     nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI |
                        (address->secure ? INTERNET_FLAG_SECURE : 0);
    const UniqueInternet http(connection ? Inet().openRequest(connection.get(), L"GET", address->path.c_str(), nullptr,
                                                            nullptr, nullptr, flags, 0)
                                         : nullptr);
    if (!http) return "The server at " + transfer.address + " could not be reached.";
    // Set on the request itself: set only on the session, a stalled
    // server held the call for minutes.
    DWORD timeout = transfer.timeoutMs;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT})
        Inet().setOption(http.get(), option, &timeout, sizeof timeout);
    if (!Inet().sendRequest(http.get(), nullptr, 0, nullptr, 0))
        return "The server at " + transfer.address + " did not answer.";
    DWORD status = 0, size = sizeof status;
    Inet().queryInfo(http.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr);
    if (status != 200) return "The server answered " + std::to_string(status) + " for " + transfer.address + ".";
    DWORD declared = 0;
    size = sizeof declared;
    const bool hasLength = Inet().queryInfo(http.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &declared,
                                          &size, nullptr) != FALSE;
    const UniqueHandle file = Own<UniqueHandle>(CreateFileW(transfer.partial.c_str(), GENERIC_WRITE, 0, nullptr,
                                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return "The download could not be written.";
    std::uint64_t total = 0;
    std::vector<char> chunk(65536);
    for (DWORD read = 0;; total += read) {
        if (transfer.ended) return "The download was given up.";
        if (!Inet().readFile(http.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read))
            return "The download was cut short.";
        if (read == 0) break;
        if (total + read > transfer.maxBytes) return "The download from " + transfer.address + " is too large.";
        DWORD written = 0;
        if (!WriteFile(file.get(), chunk.data(), read, &written, nullptr) || written != read)
            return "The download could not be written.";
    }
    // A body cut short ends like a whole one: only its length tells.
    if (hasLength && total != declared) return "The download from " + transfer.address + " was cut short.";
    return std::string();
}

DWORD WINAPI RunTransfer(void* context) {
    const std::unique_ptr<std::shared_ptr<Transfer>> owner(static_cast<std::shared_ptr<Transfer>*>(context));
    Transfer& transfer = **owner;
    try {
        transfer.problem = Fetch(transfer);
    } catch (...) {
        transfer.problem = "The download failed.";
    }
    if (transfer.ended.exchange(true)) DeleteFileW(transfer.partial.c_str());
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

// A partial file of its own per transfer: one given up may still write.
std::wstring PartialFile(const std::wstring& target) {
    static std::atomic<unsigned> transfers{0};
    return target + L"." + std::to_wstring(++transfers) + L".part";
}
}  // namespace

std::optional<std::string> Win32Downloads::download(const DownloadRequest& request) {
    const std::wstring target = Widen(request.file);
    const auto transfer = std::make_shared<Transfer>();
    transfer->address = request.address;
    transfer->maxBytes = request.maxBytes;
    transfer->timeoutMs = request.timeoutMs;
    transfer->partial = PartialFile(target);
    // The transfer blocks: it runs beside the window thread, which keeps
    // painting and answering meanwhile.
    auto share = std::make_unique<std::shared_ptr<Transfer>>(transfer);
    const UniqueHandle worker(CreateThread(nullptr, 0, &RunTransfer, share.get(), 0, nullptr));
    if (!worker) return std::optional<std::string>("The download could not be started.");
    share.release();  // the worker's now
    if (const auto ended = AwaitTransfer(worker.get(), request)) {
        if (transfer->ended.exchange(true)) DeleteFileW(transfer->partial.c_str());
        return ended;
    }
    const std::wstring& partial = transfer->partial;
    const std::string& problem = transfer->problem;
    if (problem.empty() && MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return std::nullopt;
    DeleteFileW(partial.c_str());
    return problem.empty() ? std::optional<std::string>("The download could not be written.") : problem;
}
