#pragma once

// What the peers of the Win32 back end share: making a control's window,
// its text, and the peer of one kind of control.

#include <windows.h>

#include <memory>
#include <string>

#include "app/win32/WideText.h"
#include "ui/win32/Win32Peers.h"

namespace peers {
inline HWND CreateChild(const wchar_t* className, DWORD style, HWND parent, HFONT font, DWORD extendedStyle = 0) {
    HWND window = CreateWindowExW(extendedStyle, className, L"", WS_CHILD | style, 0, 0, 10, 10, parent, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return window;
}

inline void SetText(HWND window, const std::string& text) { SetWindowTextW(window, Widen(text).c_str()); }

inline std::string TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

template <typename Model>
class Peer : public WindowPeer {
public:
    Peer(Model& model, HWND window) : WindowPeer(model, window), model_(model) {}

protected:
    Model& model_;
};

template <typename Model>
class CaptionPeer : public Peer<Model> {
public:
    using Peer<Model>::Peer;

protected:
    void show(Change what) override {
        if (what == Change::Caption) SetText(this->window(), this->model_.caption());
    }
};

template <typename PeerType, typename Model>
std::unique_ptr<WindowPeer> Make(Model& model, HWND window) {
    auto peer = std::make_unique<PeerType>(model, window);
    peer->refreshAll();
    return peer;
}
}  // namespace peers
