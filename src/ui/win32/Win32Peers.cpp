#include "ui/win32/Win32Peers.h"

#include <commctrl.h>

#include <algorithm>

#include "app/Helpers.h"
#include "app/win32/WideText.h"

namespace {
HWND CreateChild(const wchar_t* className, DWORD style, HWND parent, HFONT font, DWORD extendedStyle = 0) {
    HWND window = CreateWindowExW(extendedStyle, className, L"", WS_CHILD | style, 0, 0, 10, 10, parent, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return window;
}

void SetText(HWND window, const std::string& text) { SetWindowTextW(window, Widen(text).c_str()); }

std::string TextOf(HWND window) {
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

    // The Delete key goes to the box's owner instead of the edit control;
    // double clicks and released keys reach the owner too.
    static LRESULT CALLBACK KeyFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self) {
        auto& peer = *reinterpret_cast<TextBoxPeer*>(self);
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
        if (what == Change::Range) SendMessageW(window(), EM_LIMITTEXT, static_cast<WPARAM>(model_.maxLength()), 0);
        if (what == Change::Checked) SendMessageW(window(), EM_SETREADONLY, model_.readOnly(), 0);
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

// A notification code of the list's own, posted to its owner when a row
// loses the selection: by then the list knows whether another row took it.
constexpr WORD kSelectionSettled = 0x7F01;

// The list keeps no rows of its own (a virtual list): it asks the model for
// what it paints, so showing a scan's rows costs one message, however many.
class ListViewPeer : public Peer<ListView> {
public:
    using Peer::Peer;
    LRESULT notify(const NMHDR& header) override {
        // The system hands over the record for us to fill in.
        if (header.code == LVN_GETDISPINFOW)
            rowText(const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)).item);
        if (header.code == LVN_ODFINDITEMW) return findRow(reinterpret_cast<const NMLVFINDITEMW&>(header));
        if (header.code == LVN_ITEMCHANGED) selectionChanged(reinterpret_cast<const NMLISTVIEW&>(header));
        if (header.code == NM_DBLCLK) model_.doubleClick();
        if (header.code == LVN_ENDLABELEDITW) {
            const auto& edit = reinterpret_cast<const NMLVDISPINFOW&>(header);
            // No text: the user cancelled the edit.
            return edit.item.pszText && model_.rename(edit.item.iItem, Narrow(edit.item.pszText));
        }
        if (header.code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE)
            model_.pressDelete();
        if (header.code == NM_CUSTOMDRAW) return customDraw(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
        return 0;
    }
    void contextMenu() override { model_.rightClick(); }
    void command(WORD code) override {
        if (code != kSelectionSettled) return;
        const int selected = static_cast<int>(SendMessageW(window(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        if (selected != model_.selectedIndex()) model_.clickRow(selected);
    }

protected:
    void show(Change what) override {
        updating_ = true;
        if (what == Change::Value) InvalidateRect(window(), nullptr, TRUE);
        if (what == Change::Range) {
            const LONG_PTR style = GetWindowLongPtrW(window(), GWL_STYLE);
            SetWindowLongPtrW(window(), GWL_STYLE,
                              model_.editableRows() ? style | LVS_EDITLABELS : style & ~LONG_PTR{LVS_EDITLABELS});
        }
        if (what == Change::Columns) showColumns();
        if (what == Change::Rows) showRows();
        if (what == Change::Rows || what == Change::Selection) showSelection();
        updating_ = false;
    }

private:
    // Whatever moved the highlight (a click, the arrow keys, typing a
    // name), the highlighted row is the selection. Changes the program
    // makes itself are already in the model.
    void selectionChanged(const NMLISTVIEW& change) {
        if (updating_ || !(change.uChanged & LVIF_STATE)) return;
        const bool now = (change.uNewState & LVIS_SELECTED) != 0, before = (change.uOldState & LVIS_SELECTED) != 0;
        if (now && !before && change.iItem >= 0 && change.iItem != model_.selectedIndex()) model_.clickRow(change.iItem);
        // A row let go of the selection (-1: every row at once).
        if (before && !now)
            PostMessageW(GetParent(window()), WM_COMMAND, MAKEWPARAM(0, kSelectionSettled),
                         reinterpret_cast<LPARAM>(window()));
    }
    void rowText(LVITEMW& item) {
        if (item.iItem < 0 || item.iItem >= static_cast<int>(model_.rows().size())) return;
        const ListRow& row = model_.rows()[static_cast<std::size_t>(item.iItem)];
        if (item.mask & LVIF_IMAGE) item.iImage = row.icon;
        if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
        const auto column = static_cast<std::size_t>(item.iSubItem);
        const std::string& text = column == 0 ? row.text
                                  : column <= row.subItems.size() ? row.subItems[column - 1] : std::string();
        const std::wstring wide = Widen(text);
        const std::size_t length = std::min(wide.size(), static_cast<std::size_t>(item.cchTextMax - 1));
        wide.copy(item.pszText, length);
        item.pszText[length] = L'\0';
    }
    // Typing a row's first letters selects it, as in any list.
    LRESULT findRow(const NMLVFINDITEMW& find) {
        if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
        const std::string wanted = LowerCase(Narrow(find.lvfi.psz));
        const int count = static_cast<int>(model_.rows().size());
        for (int step = 0; step < count; ++step) {
            const int row = (std::max(find.iStart, 0) + step) % count;
            if (LowerCase(model_.rows()[static_cast<std::size_t>(row)].text).rfind(wanted, 0) == 0) return row;
        }
        return -1;
    }
    // An empty list with its notice on says so across its middle.
    LRESULT customDraw(const NMLVCUSTOMDRAW& draw) {
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYPOSTPAINT | CDRF_NOTIFYITEMDRAW;
        if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            const auto row = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
            if (row < model_.rows().size() && model_.rows()[row].highlighted)
                const_cast<NMLVCUSTOMDRAW&>(draw).clrText = RGB(0, 0, 255);
            return CDRF_DODEFAULT;
        }
        if (draw.nmcd.dwDrawStage != CDDS_POSTPAINT || !model_.emptyNotice() || !model_.rows().empty()) return 0;
        RECT area;
        GetClientRect(window(), &area);
        SetTextColor(draw.nmcd.hdc, GetSysColor(COLOR_GRAYTEXT));
        SetBkMode(draw.nmcd.hdc, TRANSPARENT);
        HGDIOBJ previous = SelectObject(draw.nmcd.hdc, reinterpret_cast<HGDIOBJ>(SendMessageW(window(), WM_GETFONT, 0, 0)));
        DrawTextW(draw.nmcd.hdc, L"No plugins detected", -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(draw.nmcd.hdc, previous);
        return 0;
    }
    void showColumns() {
        while (SendMessageW(window(), LVM_DELETECOLUMN, 0, 0)) {
        }
        const double scale = DpiScale(window());
        for (std::size_t i = 0; i < model_.columns().size(); ++i) {
            std::wstring title = Widen(model_.columns()[i].title);
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.pszText = title.data();
            column.cx = static_cast<int>(model_.columns()[i].width * scale);
            SendMessageW(window(), LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
        }
    }
    void showRows() {
        SendMessageW(window(), LVM_SETITEMCOUNT, model_.rows().size(), 0);
        InvalidateRect(window(), nullptr, TRUE);
    }
    void showSelection() {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(window(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
        if (model_.selectedIndex() < 0) return;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(window(), LVM_SETITEMSTATE, static_cast<WPARAM>(model_.selectedIndex()),
                     reinterpret_cast<LPARAM>(&state));
        SendMessageW(window(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(model_.selectedIndex()), FALSE);
    }

    bool updating_ = false;
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

template <typename PeerType, typename Model>
std::unique_ptr<WindowPeer> Make(Model& model, HWND window) {
    auto peer = std::make_unique<PeerType>(model, window);
    peer->refreshAll();
    return peer;
}
}  // namespace

double DpiScale(HWND window) {
    const UINT dpi = GetDpiForWindow(window);
    return dpi ? dpi / 96.0 : 1.0;
}

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
                        Change::Selection, Change::Value, Change::ToolTip, Change::Enabled, Change::Visible})
        refresh(what);
}

std::unique_ptr<WindowPeer> CreatePeer(Label& label, HWND parent, HFONT font) {
    return Make<CaptionPeer<Label>>(label, CreateChild(L"STATIC", SS_LEFT | SS_NOPREFIX, parent, font));
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

std::unique_ptr<WindowPeer> CreatePeer(ListView& list, HWND parent, HFONT font) {
    HWND window = CreateChild(WC_LISTVIEWW,
                              WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_SHAREIMAGELISTS |
                                  LVS_OWNERDATA,
                              parent, font, WS_EX_CLIENTEDGE);
    SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    return Make<ListViewPeer>(list, window);
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
