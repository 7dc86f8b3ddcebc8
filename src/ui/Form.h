#pragma once

#include <functional>
#include <string>

#include "ui/Controls.h"

class FormPeer : public ControlPeer {
public:
    virtual WindowHandle handle() const = 0;
};

// A window with controls. The form's own class owns its controls and its
// event handlers; the back end shows it (Win32) or not (tests).
class Form : public Control {
public:
    Form() { setVisible(false); }

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption) { set(caption_, caption, Change::Caption); }
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    bool topMost() const { return topMost_; }
    void setTopMost(bool topMost) { set(topMost_, topMost, Change::Value); }
    void activate() {
        if (onActivate) onActivate();
    }
    bool closed() const { return closed_; }
    WindowHandle handle() const { return peer_ ? peer_->handle() : 0; }

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
    std::function<bool()> onQueryUnload;  // false refuses the close
    std::function<void()> onUnload;

private:
    std::string caption_;
    bool topMost_ = false;
    bool closed_ = false;
    FormPeer* peer_ = nullptr;
};
