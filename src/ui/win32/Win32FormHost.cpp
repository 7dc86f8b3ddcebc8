#include "ui/win32/Win32FormHost.h"

#include <commctrl.h>
#include <shellapi.h>

#include <exception>

#include "app/win32/WideText.h"

namespace {
const wchar_t* const kClassName = L"CorvaneForm";

// Where a context menu asked for from the keyboard opens: below the left
// end of a list's focused row, else at the control's top left corner.
POINT KeyboardMenuPlace(HWND control) {
    RECT place{};
    wchar_t type[32] = {};
    GetClassNameW(control, type, 32);
    const LRESULT row = std::wstring(type) == WC_LISTVIEWW
                            ? SendMessageW(control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)
                            : -1;
    place.left = LVIR_LABEL;
    if (row < 0 || !SendMessageW(control, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&place)))
        place = RECT{};
    POINT at{place.left, place.bottom};
    ClientToScreen(control, &at);
    return at;
}
}  // namespace

void Win32FormHost::registerClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Win32FormHost::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    registered = true;
}

Win32FormHost::Win32FormHost(Form& form, DWORD style, DWORD extendedStyle, HWND owner)
    : form_(form), owner_(owner) {
    registerClass();
    // The procedure finds this host from the window's first message on.
    CreateWindowExW(extendedStyle | WS_EX_CONTROLPARENT, kClassName, L"", style, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100,
                    owner, nullptr, GetModuleHandleW(nullptr), this);
    makeFont();
    form.attachForm(this);
    refresh(Change::Caption);
}

Win32FormHost::~Win32FormHost() {
    form_.attachForm(nullptr);
    timers_.clear();
    menuItems_.clear();
    peers_.clear();
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void Win32FormHost::makeFont() {
    // The system's message font at this window's scale.
    const LOGFONTW message = MessageFont(window_);
    // The controls take the new font before the old one goes.
    UniqueGdi<HFONT> font(CreateFontIndirectW(&message));
    for (const auto& peer : peers_)
        SendMessageW(peer->window(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);
}

WindowPeer& Win32FormHost::keep(Control& control, std::unique_ptr<WindowPeer> peer) {
    SendMessageW(peer->window(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    byWindow_[peer->window()] = peer.get();
    byControl_[&control] = peer.get();
    peers_.push_back(std::move(peer));
    return *peers_.back();
}

void Win32FormHost::addTimer(Timer& timer) {
    const UINT_PTR id = timers_.size() + 1;
    timers_[id] = std::make_unique<TimerPeer>(timer, window_, id);
}

void Win32FormHost::addMenu(HMENU menu, const std::vector<MenuNode>& nodes,
                            std::map<UINT, std::unique_ptr<MenuPeer>>& items, UINT& nextId) {
    for (const auto& node : nodes) {
        if (!node.item) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::wstring caption = Widen(node.item->caption());
        if (!node.children.empty() || node.dynamic) {
            HMENU submenu = CreatePopupMenu();
            submenus_[submenu] = &node;
            addMenu(submenu, node.children, items, nextId);
            AppendMenuW(menu, MF_POPUP | (node.item->enabled() ? 0 : MF_GRAYED),
                        reinterpret_cast<UINT_PTR>(submenu), caption.c_str());
            continue;
        }
        const UINT id = nextId++;
        AppendMenuW(menu, MF_STRING, id, caption.c_str());
        if (node.isDefault) SetMenuDefaultItem(menu, id, FALSE);
        auto peer = std::make_unique<MenuPeer>(*node.item, menu, id);
        peer->refresh(Change::Checked);
        peer->refresh(Change::Enabled);
        items[id] = std::move(peer);
    }
}

void Win32FormHost::setMenu(const MenuNode& bar) {
    HMENU menu = CreateMenu();
    addMenu(menu, bar.children, menuItems_, nextMenuId_);
    SetMenu(window_, menu);  // destroyed with the window
}

void Win32FormHost::openingMenu(HMENU menu) {
    // A popup is made whole just before it shows: its submenus are final,
    // and its items are bound to the popup, not to the bar.
    if (inPopup_) return;
    const auto found = submenus_.find(menu);
    if (found == submenus_.end()) return;
    const MenuNode& node = *found->second;
    if (node.onOpen) node.onOpen();
    if (!node.dynamic) return;
    for (auto item = menuItems_.begin(); item != menuItems_.end();)
        item = item->second->menu() == menu ? menuItems_.erase(item) : std::next(item);
    while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
    addMenu(menu, node.children, menuItems_, nextMenuId_);
}

void Win32FormHost::popup(const MenuNode& menu) {
    UniqueMenu popup(CreatePopupMenu());
    // The menu's items are bound to it only while it is up; the bar's
    // items keep their own binding.
    std::map<UINT, std::unique_ptr<MenuPeer>> items;
    UINT nextId = 20000;
    if (menu.onOpen) menu.onOpen();
    addMenu(popup.get(), menu.children, items, nextId);
    POINT at;
    if (keyboardMenuAt_)
        at = *keyboardMenuAt_;
    else
        GetCursorPos(&at);
    // A menu of a window that is not in front (the tray's hidden one)
    // would otherwise stay open when the user clicks elsewhere; the empty
    // message after it lets the next click reach its window.
    SetForegroundWindow(window_);
    inPopup_ = true;
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(popup.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr));
    inPopup_ = false;
    PostMessageW(window_, WM_NULL, 0, 0);
    std::unique_ptr<MenuPeer> picked;
    if (const auto found = items.find(chosen); found != items.end()) picked = std::move(found->second);
    items.clear();
    popup.reset();
    // The popup's submenus went with it.
    for (auto submenu = submenus_.begin(); submenu != submenus_.end();)
        submenu = IsMenu(submenu->first) ? std::next(submenu) : submenus_.erase(submenu);
    if (picked) picked->click();
}

void Win32FormHost::place(Control& control, int x, int y, int width, int height) {
    const double factor = scale();
    MoveWindow(windowOf(control), static_cast<int>(x * factor), static_cast<int>(y * factor),
               static_cast<int>(width * factor), static_cast<int>(height * factor), FALSE);
}

HWND Win32FormHost::windowOf(Control& control) const {
    const auto found = byControl_.find(&control);
    return found == byControl_.end() ? nullptr : found->second->window();
}

void Win32FormHost::layout() {
    if (!onLayout) return;
    RECT client;
    GetClientRect(window_, &client);
    const double factor = scale();
    onLayout(static_cast<int>(client.right / factor), static_cast<int>(client.bottom / factor));
    InvalidateRect(window_, nullptr, TRUE);
}

void Win32FormHost::runModal() {
    if (owner_) EnableWindow(owner_, FALSE);
    modal_ = true;
    form_.show();
    MSG message{};
    while (window_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));
    releaseOwner();
}

void Win32FormHost::releaseOwner() {
    if (!modal_) return;
    modal_ = false;
    // Before the dialog goes: otherwise the system activates another
    // program's window in its place.
    if (owner_) {
        EnableWindow(owner_, TRUE);
        SetActiveWindow(owner_);
    }
}

void Win32FormHost::placeOver(HWND owner, int width, int height) {
    const double factor = scale();
    RECT frame{0, 0, static_cast<LONG>(width * factor), static_cast<LONG>(height * factor)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    centreOver(owner);
}

void Win32FormHost::centreOver(HWND owner) {
    RECT parent, own;
    GetWindowRect(owner, &parent);
    GetWindowRect(window_, &own);
    const int width = own.right - own.left, height = own.bottom - own.top;
    SetWindowPos(window_, nullptr, parent.left + (parent.right - parent.left - width) / 2,
                 parent.top + (parent.bottom - parent.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormHost::acceptDrops() { DragAcceptFiles(window_, TRUE); }

void Win32FormHost::dropped(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(Narrow(path));
    }
    DragFinish(drop);
    if (onDropFiles) onDropFiles(paths);
}

void Win32FormHost::showWindowState() {
    if (form_.windowState() == WindowState::Minimized) {
        ShowWindow(window_, SW_MINIMIZE);
        return;
    }
    // Back in front of the other windows, as the user left it.
    ShowWindow(window_, SW_RESTORE);
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Win32FormHost::refresh(Change what) {
    if (!window_) return;
    if (what == Change::Caption) SetWindowTextW(window_, Widen(form_.caption()).c_str());
    if (what == Change::TopMost)
        SetWindowPos(window_, form_.topMost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (what == Change::WindowState && !followingUser_) showWindowState();
    if (what == Change::Size && form_.width() > 0) {
        const double factor = scale();
        SetWindowPos(window_, nullptr, 0, 0, static_cast<int>(form_.width() * factor),
                     static_cast<int>(form_.height() * factor), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (what != Change::Visible) return;
    if (form_.closed()) {
        releaseOwner();
        DestroyWindow(window_);
        return;
    }
    if (form_.visible() && !shown_) {
        shown_ = true;
        if (onFirstShow) onFirstShow();
        layout();
    }
    ShowWindow(window_, form_.visible() ? SW_SHOW : SW_HIDE);
    if (form_.visible()) UpdateWindow(window_);
}

void Win32FormHost::reportUnhandled(const char* what) {
    try {
        if (onUnhandledError) onUnhandledError(what);
    } catch (...) {
        // Telling of it failed too: nothing more can be done here.
    }
}

LRESULT CALLBACK Win32FormHost::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<Win32FormHost*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* host = reinterpret_cast<Win32FormHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!host) return DefWindowProcW(window, message, wParam, lParam);
    return Guarded([&] { return host->handle(window, message, wParam, lParam); }, LRESULT{0});
}

LRESULT Win32FormHost::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (onMessage && onMessage(message, wParam, lParam)) return 0;
    switch (message) {
        case WM_COMMAND:
            if (lParam) {
                const auto peer = byWindow_.find(reinterpret_cast<HWND>(lParam));
                if (peer != byWindow_.end()) peer->second->command(HIWORD(wParam));
            } else if (const auto item = menuItems_.find(LOWORD(wParam)); item != menuItems_.end()) {
                item->second->click();
            } else if (LOWORD(wParam) == IDCANCEL && modal_) {
                // Escape in a dialog: the same as its close box.
                form_.requestClose();
            }
            return 0;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            const auto peer = byWindow_.find(header.hwndFrom);
            return peer == byWindow_.end() ? 0 : peer->second->notify(header);
        }
        case WM_CONTEXTMENU:
            // From the mouse and from the keyboard alike; the keyboard's
            // (no position) opens the menu at the control's focused row.
            if (const auto peer = byWindow_.find(reinterpret_cast<HWND>(wParam)); peer != byWindow_.end()) {
                if (lParam == -1) keyboardMenuAt_ = KeyboardMenuPlace(peer->second->window());
                peer->second->contextMenu();
                keyboardMenuAt_.reset();
                return 0;
            }
            break;
        case WM_HSCROLL:
            if (const auto peer = byWindow_.find(reinterpret_cast<HWND>(lParam)); peer != byWindow_.end())
                peer->second->scroll();
            return 0;
        case WM_DROPFILES:
            dropped(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_INITMENUPOPUP:
            openingMenu(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_TIMER:
            if (const auto timer = timers_.find(wParam); timer != timers_.end()) timer->second->fire();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) form_.activate();
            break;
        case WM_SIZE:
            // The user minimized or restored the window: the form knows it.
            followingUser_ = true;
            if (wParam == SIZE_MINIMIZED) form_.setWindowState(WindowState::Minimized);
            if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) form_.setWindowState(WindowState::Normal);
            followingUser_ = false;
            layout();
            return 0;
        case WM_DPICHANGED: {
            makeFont();
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                         suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_ERASEBKGND:
            if (onEraseBackground && onEraseBackground(reinterpret_cast<HDC>(wParam))) return 1;
            break;
        case WM_CLOSE:
            form_.requestClose();
            return 0;
        case WM_DESTROY: {
            window_ = nullptr;
            if (onDestroyed) onDestroyed();
            return 0;
        }
    }
    // The handle of this call: after WM_DESTROY the host holds none.
    return DefWindowProcW(window, message, wParam, lParam);
}
