#include "app/win32/Win32WindowServices.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include "app/Helpers.h"
#include "app/win32/ComApartment.h"
#include "app/win32/SystemLibrary.h"
#include "app/win32/WideText.h"

namespace {
HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

// The file dialogs' library is loaded at the first dialog: loaded at
// start-up it would cost every run megabytes of memory for a dialog most
// runs never open.
using FileDialogFunction = BOOL(WINAPI*)(OPENFILENAMEW*);
BOOL ShowFileDialog(const char* name, OPENFILENAMEW& request) {
    const auto show = SystemFunction<FileDialogFunction>(L"comdlg32.dll", name);
    return show ? show(&request) : FALSE;
}

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
    ComApartment::freeMemory(chosen);
    if (!converted) return std::nullopt;
    return Narrow(path);
}

namespace {
// What a file dialog shows and where its answer goes: filters as name and
// pattern pairs, each ended by a NUL, the list by one more.
struct FileDialog {
    std::wstring filter, caption, extension, buffer;
    OPENFILENAMEW request{};

    FileDialog(WindowHandle owner, const std::string& title,
               const std::vector<std::pair<std::string, std::string>>& filters, const std::string& defaultExtension,
               std::size_t bufferChars)
        : caption(Widen(title)), extension(Widen(defaultExtension)), buffer(bufferChars, L'\0') {
        for (const auto& [name, pattern] : filters) filter += Widen(name) + L'\0' + Widen(pattern) + L'\0';
        // The dialog opens on the first filter of the default extension: a
        // name typed without one gets that extension, not the first filter's.
        for (std::size_t i = 0; i < filters.size() && !defaultExtension.empty(); ++i)
            if (LowerCase(filters[i].second) == "*." + LowerCase(defaultExtension)) {
                request.nFilterIndex = static_cast<DWORD>(i + 1);
                break;
            }
        request.lStructSize = sizeof request;
        request.hwndOwner = ToHwnd(owner);
        request.lpstrFilter = filter.c_str();
        request.lpstrFile = buffer.data();
        request.nMaxFile = static_cast<DWORD>(buffer.size());
        request.lpstrTitle = caption.c_str();
        request.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
        request.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_LONGNAMES | OFN_EXPLORER | OFN_HIDEREADONLY;
    }
};
}  // namespace

std::optional<std::string> Win32WindowServices::openFile(WindowHandle owner, const std::string& title,
                                                         const std::string& filterName, const std::string& pattern,
                                                         const std::string& defaultExtension) {
    return openFileOf(owner, title, {{filterName, pattern}}, defaultExtension);
}

std::optional<std::string> Win32WindowServices::openFileOf(
    WindowHandle owner, const std::string& title, const std::vector<std::pair<std::string, std::string>>& filters,
    const std::string& defaultExtension) {
    FileDialog dialog(owner, title, filters, defaultExtension, 1024);
    if (!ShowFileDialog("GetOpenFileNameW", dialog.request)) return std::nullopt;
    return Narrow(dialog.buffer.c_str());
}

std::optional<std::string> Win32WindowServices::saveFile(
    WindowHandle owner, const std::string& title, const std::vector<std::pair<std::string, std::string>>& filters,
    const std::string& defaultExtension) {
    FileDialog dialog(owner, title, filters, defaultExtension, 1024);
    dialog.request.Flags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_LONGNAMES | OFN_EXPLORER | OFN_HIDEREADONLY;
    if (!ShowFileDialog("GetSaveFileNameW", dialog.request)) return std::nullopt;
    return Narrow(dialog.buffer.c_str());
}

std::vector<std::string> Win32WindowServices::openFiles(
    WindowHandle owner, const std::string& title, const std::vector<std::pair<std::string, std::string>>& filters) {
    // Room for hundreds of chosen names.
    FileDialog dialog(owner, title, filters, "", 65536);
    dialog.request.Flags |= OFN_ALLOWMULTISELECT;
    std::vector<std::string> paths;
    if (!ShowFileDialog("GetOpenFileNameW", dialog.request)) return paths;
    const std::wstring& buffer = dialog.buffer;
    // One file: its whole path. Several: the folder, then each name, each
    // ended by a NUL, the list by another.
    std::vector<std::wstring> parts;
    for (const wchar_t* part = buffer.c_str(); *part; part += wcslen(part) + 1) parts.emplace_back(part);
    if (parts.size() == 1) return {Narrow(parts.front())};
    std::wstring folder = parts.front();
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    for (std::size_t i = 1; i < parts.size(); ++i) paths.push_back(Narrow(folder + parts[i]));
    return paths;
}
