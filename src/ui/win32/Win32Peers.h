#pragma once

// The Win32 back end of the control layer: each peer binds one control to a
// real window (or menu entry, or window timer) and keeps the two in step.
// What the user does arrives as the owner window's WM_COMMAND, WM_NOTIFY and
// WM_HSCROLL messages, which the form host hands to the peer of the control
// that sent them.

#include <windows.h>

#include <functional>
#include <memory>

#include "ui/Controls.h"

class WindowPeer : public ControlPeer {
public:
    WindowPeer(Control& control, HWND window);
    ~WindowPeer() override;
    WindowPeer(const WindowPeer&) = delete;
    WindowPeer& operator=(const WindowPeer&) = delete;

    HWND window() const { return window_; }
    // Whether the page holding the control is on screen.
    void setPageShown(bool shown);
    void refresh(Change what) override;
    // A notification from the control's window.
    virtual void command(WORD /*code*/) {}
    virtual LRESULT notify(const NMHDR& /*header*/) { return 0; }
    virtual void scroll() {}
    // The user asked for the control's context menu: a right click, the
    // menu key or Shift+F10.
    virtual void contextMenu() {}
    // Pushes the whole state of the control to its window.
    void refreshAll();
    // Told after the window has shown a change, for whoever lays out pages.
    std::function<void(Change)> onShown;

protected:
    virtual void show(Change what) = 0;

private:
    Control& control_;
    HWND window_;
    bool pageShown_ = true;
};

// Creates the window for a control and its peer.
std::unique_ptr<WindowPeer> CreatePeer(Label& label, HWND parent, HFONT font);
std::unique_ptr<WindowPeer> CreatePeer(StatusBar& bar, HWND parent, HFONT font);
std::unique_ptr<WindowPeer> CreatePeer(Frame& frame, HWND parent, HFONT font);
std::unique_ptr<WindowPeer> CreatePeer(Button& button, HWND parent, HFONT font);
std::unique_ptr<WindowPeer> CreatePeer(CheckBox& box, HWND parent, HFONT font);
std::unique_ptr<WindowPeer> CreatePeer(TextBox& box, HWND parent, HFONT font);
std::unique_ptr<WindowPeer> CreatePeer(ComboBox& box, HWND parent, HFONT font);
std::unique_ptr<WindowPeer> CreatePeer(ListView& list, HWND parent, HFONT font);
std::unique_ptr<WindowPeer> CreatePeer(TabControl& tabs, HWND parent, HFONT font);
std::unique_ptr<WindowPeer> CreatePeer(Slider& slider, HWND parent, HFONT font);
std::unique_ptr<WindowPeer> CreatePeer(ProgressBar& bar, HWND parent, HFONT font);

// A window timer of the owner window, running while the control is enabled.
class TimerPeer : public ControlPeer {
public:
    TimerPeer(Timer& timer, HWND owner, UINT_PTR id);
    ~TimerPeer() override;
    TimerPeer(const TimerPeer&) = delete;
    TimerPeer& operator=(const TimerPeer&) = delete;
    void refresh(Change what) override;
    void fire() { timer_.fire(); }

private:
    Timer& timer_;
    HWND owner_;
    UINT_PTR id_;
};

// A menu entry, by its command identifier in its menu.
class MenuPeer : public ControlPeer {
public:
    MenuPeer(MenuItem& item, HMENU menu, UINT id) : item_(item), menu_(menu), id_(id) { item.attach(this); }
    ~MenuPeer() override { item_.attach(nullptr); }
    MenuPeer(const MenuPeer&) = delete;
    MenuPeer& operator=(const MenuPeer&) = delete;
    void refresh(Change what) override;
    void click() { item_.click(); }
    HMENU menu() const { return menu_; }

private:
    MenuItem& item_;
    HMENU menu_;
    UINT id_;
};
