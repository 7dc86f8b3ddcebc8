#include "app/win32/Win32WindowServices.h"

#include <windows.h>
#include <objbase.h>
#include <commdlg.h>
#include <shlobj.h>

#include "app/win32/WideText.h"

namespace {
HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

UINT IconStyle(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical: return MB_ICONERROR;
        case MessageIcon::Question: return MB_ICONQUESTION;
        case MessageIcon::Exclamation: return MB_ICONWARNING;
        case MessageIcon::Information: return MB_ICONINFORMATION;
        case MessageIcon::None: break;
    }
    return 0;
}

UINT ButtonStyle(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel: return MB_OKCANCEL;
        case MessageButtons::YesNo: return MB_YESNO;
        case MessageButtons::YesNoCancel: return MB_YESNOCANCEL;
        case MessageButtons::Ok: break;
    }
    return MB_OK;
}

MessageAnswer ToAnswer(int result) {
    switch (result) {
        case IDYES: return MessageAnswer::Yes;
        case IDNO: return MessageAnswer::No;
        case IDOK: return MessageAnswer::Ok;
        default: return MessageAnswer::Cancel;
    }
}

// The folder picker's new style needs COM on this thread; balances its
// own initialisation.
class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialised_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};
}  // namespace

MessageAnswer Win32WindowServices::messageBox(WindowHandle owner, const std::string& text, const std::string& title,
                                              MessageIcon icon, MessageButtons buttons) {
    return ToAnswer(MessageBoxW(ToHwnd(owner), Widen(text).c_str(), Widen(title).c_str(),
                                IconStyle(icon) | ButtonStyle(buttons)));
}

bool Win32WindowServices::setWindowAlpha(WindowHandle window, int alpha) {
    const HWND hwnd = ToHwnd(window);
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, style | WS_EX_LAYERED);
    return SetLayeredWindowAttributes(hwnd, 0, static_cast<BYTE>(alpha), LWA_ALPHA) != FALSE;
}

bool Win32WindowServices::setForeground(WindowHandle window) { return SetForegroundWindow(ToHwnd(window)) != FALSE; }

void Win32WindowServices::setBusyCursor(bool busy) { SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW)); }

std::optional<std::string> Win32WindowServices::browseForFolder(WindowHandle owner, const std::string& title) {
    const ComApartment apartment;
    const std::wstring caption = Widen(title);
    BROWSEINFOW request{};
    request.hwndOwner = ToHwnd(owner);
    request.lpszTitle = caption.c_str();
    request.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&request);
    if (!chosen) return std::nullopt;
    wchar_t path[MAX_PATH] = L"";
    const BOOL converted = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    if (!converted) return std::nullopt;
    return Narrow(path);
}

std::optional<std::string> Win32WindowServices::openFile(WindowHandle owner, const std::string& title,
                                                         const std::string& filterName, const std::string& pattern,
                                                         const std::string& defaultExtension) {
    // Filter: name NUL pattern NUL NUL.
    const std::wstring filter = Widen(filterName) + L'\0' + Widen(pattern) + L'\0';
    const std::wstring caption = Widen(title);
    const std::wstring extension = Widen(defaultExtension);
    std::wstring path(1024, L'\0');
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = ToHwnd(owner);
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = path.data();
    request.nMaxFile = static_cast<DWORD>(path.size());
    request.lpstrTitle = caption.c_str();
    request.lpstrDefExt = extension.c_str();
    request.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_LONGNAMES | OFN_EXPLORER | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&request)) return std::nullopt;
    return Narrow(path.c_str());
}
