#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/win32/Handles.h"
#include "ui/Form.h"
#include "ui/MainMenu.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/Win32Peers.h"

// A top-level window for a form: it creates the windows of the form's
// controls, hands each notification to the peer of the control that sent
// it, runs the form's timers and menu, and lays the controls out whenever
// its size or its display's scale changes.
class Win32FormHost : public FormPeer {
public:
    Win32FormHost(Form& form, DWORD style, DWORD extendedStyle, HWND owner = nullptr);
    ~Win32FormHost() override;
    Win32FormHost(const Win32FormHost&) = delete;
    Win32FormHost& operator=(const Win32FormHost&) = delete;

    HWND window() const { return window_; }
    WindowHandle handle() const override { return reinterpret_cast<WindowHandle>(window_); }
    double scale() const { return DpiScale(window_); }

    template <typename ControlType>
    WindowPeer& add(ControlType& control) {
        return keep(control, CreatePeer(control, window_, font_.get()));
    }
    void addTimer(Timer& timer);
    void setMenu(const MenuNode& bar);
    // Places a control, in units of 96 dots per inch.
    void place(Control& control, int x, int y, int width, int height);
    HWND windowOf(Control& control) const;

    // Centres the window over its owner with a client area of this size
    // (96-dpi units).
    void placeOver(HWND owner, int width, int height);
    void centreOver(HWND owner);
    // Shows the form over its disabled owner until the form closes.
    void runModal();
    void refresh(Change what) override;
    void popup(const MenuNode& menu) override;

    // Lays the controls out in a client area of this size (96-dpi units).
    std::function<void(int width, int height)> onLayout;
    // The window is about to be shown for the first time.
    std::function<void()> onFirstShow;
    std::function<void()> onDestroyed;
    // Files dropped on the window, by their paths; the window takes drops
    // only once this is set.
    std::function<void(const std::vector<std::string>&)> onDropFiles;
    void acceptDrops();
    // Sees every message first; true when it handled the message.
    std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)> onMessage;
    // Paints the window's background; false leaves it to the system.
    std::function<bool(HDC)> onEraseBackground;

    // Told of an exception a form's handler let escape; the command it ran
    // is abandoned there.
    static inline std::function<void(const std::string&)> onUnhandledError;

    // Runs code the system calls (a window procedure, a subclass) or that
    // starts the program: no C++ exception may unwind through the system's
    // frames. One that escapes is told to onUnhandledError, and `failed` is
    // the result.
    template <typename Handler, typename Result>
    static Result Guarded(const Handler& handler, Result failed) {
        try {
            return handler();
        } catch (const std::exception& error) {
            reportUnhandled(error.what());
        } catch (...) {
            reportUnhandled("unknown error");
        }
        return failed;
    }

private:
    static void registerClass();
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void reportUnhandled(const char* what);
    void releaseOwner();
    void showWindowState();
    void dropped(HDROP drop);
    WindowPeer& keep(Control& control, std::unique_ptr<WindowPeer> peer);
    void addMenu(HMENU menu, const std::vector<MenuNode>& nodes, std::map<UINT, std::unique_ptr<MenuPeer>>& items,
                 UINT& nextId);
    // A submenu of the bar is about to show: its entries are brought up to
    // date.
    void openingMenu(HMENU menu);
    void makeFont();
    void layout();

    Form& form_;
    HWND owner_;
    HWND window_ = nullptr;
    UniqueGdi<HFONT> font_;
    bool shown_ = false;
    bool modal_ = false;
    bool followingUser_ = false;
    bool inPopup_ = false;
    // Set while a context menu asked for from the keyboard opens.
    std::optional<POINT> keyboardMenuAt_;
    std::vector<std::unique_ptr<WindowPeer>> peers_;
    std::map<HWND, WindowPeer*> byWindow_;
    std::map<const Control*, WindowPeer*> byControl_;
    std::map<UINT_PTR, std::unique_ptr<TimerPeer>> timers_;
    std::map<UINT, std::unique_ptr<MenuPeer>> menuItems_;
    std::map<HMENU, const MenuNode*> submenus_;
    UINT nextMenuId_ = 1000;
};
