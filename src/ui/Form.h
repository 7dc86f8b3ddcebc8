#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/MainMenu.h"

enum class WindowState { Normal, Minimized };

class FormPeer : public ControlPeer {
public:
    virtual WindowHandle handle() const = 0;
    // Shows the menu at the mouse pointer; the chosen item is clicked.
    virtual void popup(const MenuNode& menu) = 0;
};

// A window with controls. The form's own class owns its controls and its
// event handlers; the back end shows it (Win32) or not (tests).
class Form : public Control {
public:
    Form();
    ~Form() override;

    // The program's forms that are loaded: created and not yet unloaded.
    static std::vector<const Form*> loadedForms();

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption) { set(caption_, caption, Change::Caption); }
    void show() {
        setVisible(true);
        if (onShown) onShown();
    }
    void hide() { setVisible(false); }
    // The window's outer size in units of 96 dots per inch; 0 leaves the
    // back end's own.
    int width() const { return width_; }
    int height() const { return height_; }
    void setSize(int width, int height) {
        width_ = width;
        height_ = height;
        changed(Change::Size);
    }
    WindowState windowState() const { return windowState_; }
    void setWindowState(WindowState state) {
        if (state == windowState_) return;
        set(windowState_, state, Change::WindowState);
        if (onResize) onResize();
    }
    bool topMost() const { return topMost_; }
    void setTopMost(bool topMost) { set(topMost_, topMost, Change::TopMost); }
    void activate() {
        if (onActivate) onActivate();
    }
    bool closed() const { return closed_; }
    WindowHandle handle() const { return peer_ ? peer_->handle() : 0; }
    // Pops a context menu up at the mouse pointer.
    void popupMenu(const MenuNode& menu) {
        shownPopup_ = &menu;
        if (peer_) peer_->popup(menu);
    }
    // The last menu popped up, for whoever checks what the user was offered.
    const MenuNode* shownPopup() const { return shownPopup_; }

    // A request to close (the close box, a menu command): the owner may
    // refuse it; otherwise the form unloads and its window goes away.
    bool requestClose();
    // Unloads without asking.
    void unload();

    void attachForm(FormPeer* peer) {
        peer_ = peer;
        attach(peer);
    }

    std::function<void()> onActivate;
    std::function<void()> onShown;
    std::function<bool()> onQueryUnload;  // false refuses the close
    std::function<void()> onUnload;
    // The window was minimized or restored (by the user or the program).
    std::function<void()> onResize;

private:
    std::string caption_;
    bool topMost_ = false;
    WindowState windowState_ = WindowState::Normal;
    int width_ = 0, height_ = 0;
    bool closed_ = false;
    FormPeer* peer_ = nullptr;
    const MenuNode* shownPopup_ = nullptr;
};
