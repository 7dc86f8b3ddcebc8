#include "app/win32/Win32NotifyIcon.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>

#include "app/win32/WideText.h"

namespace {
// The program has one icon in the notification area.
constexpr UINT kIconId = 1;

HICON ProgramIcon() {
    // Shared icons stay loaded for the life of the process: nothing to free.
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_DEFAULTCOLOR | LR_SHARED));
    return icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

// Copies as much of the text as the record's buffer holds with its NUL.
template <size_t Size>
void CopyInto(WCHAR (&buffer)[Size], const std::string& text) {
    const std::wstring wide = Widen(text);
    const size_t length = wide.size() < Size ? wide.size() : Size - 1;
    wmemcpy(buffer, wide.data(), length);
    buffer[length] = L'\0';
}

NOTIFYICONDATAW RecordFor(const NotifyIconRecord& record) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = reinterpret_cast<HWND>(record.window);
    data.uID = kIconId;
    return data;
}

NOTIFYICONDATAW IconRecord(const NotifyIconRecord& record) {
    NOTIFYICONDATAW data = RecordFor(record);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = record.callbackMessage;
    data.hIcon = ProgramIcon();
    CopyInto(data.szTip, record.tip);
    return data;
}
}  // namespace

bool Win32NotifyIcon::add(const NotifyIconRecord& record) {
    NOTIFYICONDATAW data = IconRecord(record);
    return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

bool Win32NotifyIcon::setVersion(const NotifyIconRecord& record, unsigned version) {
    NOTIFYICONDATAW data = RecordFor(record);
    data.uVersion = version;
    return Shell_NotifyIconW(NIM_SETVERSION, &data) != FALSE;
}

bool Win32NotifyIcon::modify(const NotifyIconRecord& record) {
    NOTIFYICONDATAW data = IconRecord(record);
    if (!record.balloonText.empty() || !record.balloonTitle.empty()) {
        data.uFlags |= NIF_INFO;
        CopyInto(data.szInfo, record.balloonText);
        CopyInto(data.szInfoTitle, record.balloonTitle);
        data.dwInfoFlags = static_cast<DWORD>(record.balloonIcon);
        data.uTimeout = record.balloonTimeoutMs;
    }
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

bool Win32NotifyIcon::remove(const NotifyIconRecord& record) {
    NOTIFYICONDATAW data = RecordFor(record);
    return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
}
