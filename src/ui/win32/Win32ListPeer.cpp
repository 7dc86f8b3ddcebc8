// The list view's peer: a virtual list over the model's rows.
#include "ui/win32/Win32PeerBase.h"

#include <commctrl.h>

#include "app/Helpers.h"
#include "app/win32/Handles.h"
#include "ui/win32/Dpi.h"

using namespace peers;

namespace {
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
        if (what == Change::EmptyNotice) InvalidateRect(window(), nullptr, TRUE);
        if (what == Change::EditableRows) {
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
        const Selection font(draw.nmcd.hdc, reinterpret_cast<HGDIOBJ>(SendMessageW(window(), WM_GETFONT, 0, 0)));
        DrawTextW(draw.nmcd.hdc, L"No plugins detected", -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
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

}  // namespace

std::unique_ptr<WindowPeer> CreatePeer(ListView& list, HWND parent, HFONT font) {
    HWND window = CreateChild(WC_LISTVIEWW,
                              WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_SHAREIMAGELISTS |
                                  LVS_OWNERDATA,
                              parent, font, WS_EX_CLIENTEDGE);
    SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    return Make<ListViewPeer>(list, window);
}

