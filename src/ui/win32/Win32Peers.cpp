#include "ui/win32/Win32Peers.h"

#include "ui/win32/Win32FormHost.h"
#include "ui/win32/Win32PeerBase.h"

#include <commctrl.h>

#include <algorithm>

#include "app/Helpers.h"
#include "app/win32/WideText.h"

using namespace peers;

namespace {
class ButtonPeer : public CaptionPeer<Button> {
public:
    using CaptionPeer::CaptionPeer;
    ~ButtonPeer() override {
        if (tip_) DestroyWindow(tip_);
    }
    ButtonPeer(const ButtonPeer&) = delete;
    ButtonPeer& operator=(const ButtonPeer&) = delete;
    void command(WORD code) override {
        if (code == BN_CLICKED) model_.click();
    }

protected:
    void show(Change what) override {
        CaptionPeer::show(what);
        if (what == Change::ToolTip) showToolTip();
    }

private:
    void showToolTip() {
        if (model_.toolTip().empty() && !tip_) return;
        if (!tip_) {
            tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(window()), nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
            TTTOOLINFOW tool = toolInfo();
            SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        TTTOOLINFOW tool = toolInfo();
        SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    TTTOOLINFOW toolInfo() {
        text_ = Widen(model_.toolTip());
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = GetParent(window());
        tool.uId = reinterpret_cast<UINT_PTR>(window());
        tool.lpszText = text_.data();
        return tool;
    }

    HWND tip_ = nullptr;
    std::wstring text_;
};

class CheckBoxPeer : public CaptionPeer<CheckBox> {
public:
    using CaptionPeer::CaptionPeer;
    void command(WORD code) override {
        if (code == BN_CLICKED) model_.click();
    }

protected:
    void show(Change what) override {
        CaptionPeer::show(what);
        if (what == Change::Checked)
            SendMessageW(window(), BM_SETCHECK, model_.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    }
};

// Caret positions: the model counts bytes of its UTF-8 text, the edit
// control UTF-16 units.
int WideOffset(const std::string& utf8, int offset) {
    return static_cast<int>(Widen(utf8.substr(0, static_cast<std::size_t>(offset))).size());
}

int Utf8Offset(const std::wstring& wide, int offset) {
    return static_cast<int>(Narrow(wide.substr(0, static_cast<std::size_t>(offset))).size());
}

class TextBoxPeer : public Peer<TextBox> {
public:
    TextBoxPeer(TextBox& box, HWND window) : Peer(box, window) {
        SetWindowSubclass(window, &KeyFilter, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    ~TextBoxPeer() override { RemoveWindowSubclass(window(), &KeyFilter, 0); }
    TextBoxPeer(const TextBoxPeer&) = delete;
    TextBoxPeer& operator=(const TextBoxPeer&) = delete;

    static LRESULT CALLBACK KeyFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self) {
        return Win32FormHost::Guarded(
            [&] { return reinterpret_cast<TextBoxPeer*>(self)->filterKey(window, message, wParam, lParam); },
            LRESULT{0});
    }
    // The Delete key goes to the box's owner instead of the edit control;
    // double clicks and released keys reach the owner too.
    LRESULT filterKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        TextBoxPeer& peer = *this;
        TextBox& model = peer.model_;
        if (message == WM_KEYDOWN && wParam == VK_DELETE && model.onDeleteKey) {
            model.pressDelete();
            return 0;
        }
        // A box whose owner takes keys gets Enter and Escape too, which a
        // dialog would otherwise keep for its buttons.
        if (message == WM_GETDLGCODE && model.onKeyDown)
            return DefSubclassProc(window, message, wParam, lParam) | DLGC_WANTALLKEYS;
        if (message == WM_KEYDOWN && model.pressKey(static_cast<int>(wParam))) return 0;
        if (message == WM_CHAR && model.onKeyDown && (wParam == L'\r' || wParam == 27)) return 0;
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (message == WM_LBUTTONDBLCLK) model.doubleClick();
        if (message == WM_KEYUP) {
            peer.readSelection();
            model.releaseKey(static_cast<int>(wParam));
        }
        return result;
    }
    void command(WORD code) override {
        if (code == EN_SETFOCUS) model_.click();
        if (code == EN_CHANGE && !updating_) {
            model_.type(TextOf(window()));
            readSelection();
        }
        if (code == EN_KILLFOCUS) model_.leave();
    }

protected:
    void show(Change what) override {
        if (what == Change::MaxLength) SendMessageW(window(), EM_LIMITTEXT, static_cast<WPARAM>(model_.maxLength()), 0);
        if (what == Change::ReadOnly) SendMessageW(window(), EM_SETREADONLY, model_.readOnly(), 0);
        if (what == Change::Selection) {
            const int start = WideOffset(model_.text(), model_.selectionStart());
            const int end = WideOffset(model_.text(), model_.selectionStart() + model_.selectionLength());
            SendMessageW(window(), EM_SETSEL, static_cast<WPARAM>(start), end);
        }
        if (what != Change::Caption || TextOf(window()) == model_.text()) return;
        updating_ = true;
        SetText(window(), model_.text());
        updating_ = false;
    }

private:
    void readSelection() {
        DWORD start = 0, end = 0;
        SendMessageW(window(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const std::wstring text = Widen(TextOf(window()));
        const int from = Utf8Offset(text, static_cast<int>(start));
        model_.userSelected(from, Utf8Offset(text, static_cast<int>(end)) - from);
    }

    bool updating_ = false;
};

class ComboBoxPeer : public Peer<ComboBox> {
public:
    using Peer::Peer;
    void command(WORD code) override {
        if (code == CBN_SELCHANGE)
            model_.choose(static_cast<int>(SendMessageW(window(), CB_GETCURSEL, 0, 0)));
    }

protected:
    void show(Change what) override {
        if (what == Change::Items) {
            SendMessageW(window(), CB_RESETCONTENT, 0, 0);
            for (const auto& item : model_.items())
                SendMessageW(window(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
        }
        if (what == Change::Items || what == Change::Selection)
            SendMessageW(window(), CB_SETCURSEL, static_cast<WPARAM>(model_.listIndex()), 0);
    }
};

class TabPeer : public Peer<TabControl> {
public:
    using Peer::Peer;
    LRESULT notify(const NMHDR& header) override {
        if (header.code == TCN_SELCHANGE)
            model_.choose(static_cast<int>(SendMessageW(window(), TCM_GETCURSEL, 0, 0)));
        return 0;
    }

protected:
    void show(Change what) override {
        if (what == Change::Items) {
            SendMessageW(window(), TCM_DELETEALLITEMS, 0, 0);
            for (std::size_t i = 0; i < model_.tabs().size(); ++i) {
                std::wstring caption = Widen(model_.tabs()[i]);
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = caption.data();
                SendMessageW(window(), TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
            }
        }
        if (what == Change::Items || what == Change::Selection)
            SendMessageW(window(), TCM_SETCURSEL, static_cast<WPARAM>(model_.selectedIndex()), 0);
    }
};

class SliderPeer : public Peer<Slider> {
public:
    using Peer::Peer;
    void scroll() override { model_.slide(static_cast<int>(SendMessageW(window(), TBM_GETPOS, 0, 0))); }

protected:
    void show(Change what) override {
        if (what == Change::Range) SendMessageW(window(), TBM_SETRANGE, TRUE, MAKELPARAM(model_.minimum(), model_.maximum()));
        if (what == Change::Range || what == Change::Value) SendMessageW(window(), TBM_SETPOS, TRUE, model_.value());
    }
};

class ProgressPeer : public Peer<ProgressBar> {
public:
    using Peer::Peer;

protected:
    void show(Change what) override {
        if (what == Change::Range) SendMessageW(window(), PBM_SETRANGE32, 0, model_.maximum());
        if (what == Change::Range || what == Change::Value) SendMessageW(window(), PBM_SETPOS, model_.value(), 0);
    }
};

}  // namespace

WindowPeer::WindowPeer(Control& control, HWND window) : control_(control), window_(window) { control.attach(this); }

WindowPeer::~WindowPeer() { control_.attach(nullptr); }

void WindowPeer::setPageShown(bool shown) {
    pageShown_ = shown;
    refresh(Change::Visible);
}

void WindowPeer::refresh(Change what) {
    if (what == Change::Enabled) EnableWindow(window_, control_.enabled());
    if (what == Change::Visible) ShowWindow(window_, control_.visible() && pageShown_ ? SW_SHOWNA : SW_HIDE);
    if (what == Change::Focus) SetFocus(window_);
    show(what);
    if (onShown) onShown(what);
}

void WindowPeer::refreshAll() {
    for (Change what : {Change::Columns, Change::Items, Change::Range, Change::Caption, Change::Checked, Change::Rows,
                        Change::Selection, Change::Value, Change::ToolTip, Change::MaxLength, Change::ReadOnly,
                        Change::EditableRows, Change::EmptyNotice, Change::Enabled, Change::Visible})
        refresh(what);
}

std::unique_ptr<WindowPeer> CreatePeer(Label& label, HWND parent, HFONT font) {
    return Make<CaptionPeer<Label>>(label, CreateChild(L"STATIC", SS_LEFT | SS_NOPREFIX, parent, font));
}

std::unique_ptr<WindowPeer> CreatePeer(StatusBar& bar, HWND parent, HFONT font) {
    // Its window text is the text of its one part; it keeps to the bottom
    // edge of the window by itself.
    return Make<CaptionPeer<StatusBar>>(bar, CreateChild(STATUSCLASSNAMEW, 0, parent, font));
}

std::unique_ptr<WindowPeer> CreatePeer(Frame& frame, HWND parent, HFONT font) {
    return Make<CaptionPeer<Frame>>(frame, CreateChild(L"BUTTON", BS_GROUPBOX, parent, font));
}

std::unique_ptr<WindowPeer> CreatePeer(Button& button, HWND parent, HFONT font) {
    return Make<ButtonPeer>(button, CreateChild(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, parent, font));
}

std::unique_ptr<WindowPeer> CreatePeer(CheckBox& box, HWND parent, HFONT font) {
    return Make<CheckBoxPeer>(box, CreateChild(L"BUTTON", WS_TABSTOP | BS_CHECKBOX, parent, font));
}

std::unique_ptr<WindowPeer> CreatePeer(TextBox& box, HWND parent, HFONT font) {
    const DWORD lines = box.multiLine() ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL;
    return Make<TextBoxPeer>(box, CreateChild(L"EDIT", WS_TABSTOP | lines, parent, font, WS_EX_CLIENTEDGE));
}

std::unique_ptr<WindowPeer> CreatePeer(ComboBox& box, HWND parent, HFONT font) {
    return Make<ComboBoxPeer>(box, CreateChild(WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, parent, font));
}

std::unique_ptr<WindowPeer> CreatePeer(TabControl& tabs, HWND parent, HFONT font) {
    return Make<TabPeer>(tabs, CreateChild(WC_TABCONTROLW, WS_TABSTOP | WS_CLIPSIBLINGS, parent, font));
}

std::unique_ptr<WindowPeer> CreatePeer(ProgressBar& bar, HWND parent, HFONT font) {
    return Make<ProgressPeer>(bar, CreateChild(PROGRESS_CLASSW, 0, parent, font));
}

std::unique_ptr<WindowPeer> CreatePeer(Slider& slider, HWND parent, HFONT font) {
    return Make<SliderPeer>(slider, CreateChild(TRACKBAR_CLASSW, WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS, parent, font));
}

TimerPeer::TimerPeer(Timer& timer, HWND owner, UINT_PTR id) : timer_(timer), owner_(owner), id_(id) {
    timer.attach(this);
    refresh(Change::Enabled);
}

TimerPeer::~TimerPeer() {
    timer_.attach(nullptr);
    KillTimer(owner_, id_);
}

void TimerPeer::refresh(Change what) {
    if (what != Change::Enabled && what != Change::Interval) return;
    KillTimer(owner_, id_);
    if (timer_.enabled() && timer_.interval() > 0) SetTimer(owner_, id_, static_cast<UINT>(timer_.interval()), nullptr);
}

void MenuPeer::refresh(Change what) {
    if (what == Change::Checked) CheckMenuItem(menu_, id_, MF_BYCOMMAND | (item_.checked() ? MF_CHECKED : MF_UNCHECKED));
    if (what == Change::Enabled) EnableMenuItem(menu_, id_, MF_BYCOMMAND | (item_.enabled() ? MF_ENABLED : MF_GRAYED));
}
