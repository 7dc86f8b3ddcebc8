#pragma once

// The controls every form of Corvane is made of. Each control keeps its own
// state; a back end mirrors that state on screen through a peer (the Win32
// back end binds each control to a real window) or shows nothing at all (the
// in-memory back end of the tests, where a control simply has no peer).
// Events a user causes reach the control's owner through its handler
// functions, which the owning form sets.

#include <functional>
#include <string>
#include <vector>

#include "app/WindowHandle.h"
#include "ui/ControlLayer.h"

// Key codes as the system numbers them, for the keys the forms handle.
namespace Keys {
constexpr int kBackspace = 8, kEnter = 13, kEscape = 27, kDelete = 46;
}

// What about a control changed, for its peer to show.
enum class Change {
    Enabled, Visible, Caption, Checked, Items, Selection, Value, Range, Columns, Rows, Interval, Focus, ToolTip,
    WindowState, Size, TopMost, MaxLength, ReadOnly, EditableRows, EmptyNotice
};

class ControlPeer {
public:
    virtual ~ControlPeer() = default;
    // The control's state changed in this respect: show it.
    virtual void refresh(Change what) = 0;
};

class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { set(enabled_, enabled, Change::Enabled); }
    bool visible() const { return visible_; }
    void setVisible(bool visible) { set(visible_, visible, Change::Visible); }

    void attach(ControlPeer* peer) { peer_ = peer; }
    // Gives the control the keyboard focus.
    void setFocus() { changed(Change::Focus); }

protected:
    void changed(Change what) {
        if (peer_) peer_->refresh(what);
    }
    template <typename T>
    void set(T& field, const T& value, Change what) {
        if (field == value) return;
        field = value;
        changed(what);
    }
    // A user can act on a control only while it is enabled and visible.
    bool usable() const { return enabled_ && visible_; }

private:
    bool enabled_ = true;
    bool visible_ = true;
    ControlPeer* peer_ = nullptr;
};

// Controls with a caption: labels, buttons, check boxes, menu items.
class CaptionedControl : public Control {
public:
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption) { set(caption_, caption, Change::Caption); }

private:
    std::string caption_;
};

class Label : public CaptionedControl {};

// The status line along a window's bottom edge.
class StatusBar : public CaptionedControl {};

// A captioned frame around a group of controls.
class Frame : public CaptionedControl {};

class Button : public CaptionedControl {
public:
    std::function<void()> onClick;
    // The text shown while the mouse rests on the button.
    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(const std::string& text) { set(toolTip_, text, Change::ToolTip); }
    // The user presses the button.
    void click() {
        if (usable() && onClick) onClick();
    }

private:
    std::string toolTip_;
};

class CheckBox : public CaptionedControl {
public:
    std::function<void()> onClick;
    bool checked() const { return checked_; }
    // Sets the state without raising the click event.
    void setChecked(bool checked) { set(checked_, checked, Change::Checked); }
    // The user clicks the box: it toggles, then the owner hears of it.
    void click();

private:
    bool checked_ = false;
};

// A menu entry; its check mark is set by its owner, never by the click.
class MenuItem : public CaptionedControl {
public:
    std::function<void()> onClick;
    bool checked() const { return checked_; }
    void setChecked(bool checked) { set(checked_, checked, Change::Checked); }
    void click() {
        if (usable() && onClick) onClick();
    }

private:
    bool checked_ = false;
};

class TextBox : public Control {
public:
    std::function<void()> onClick;
    std::function<void()> onLostFocus;
    std::function<void()> onDeleteKey;
    std::function<void()> onDoubleClick;
    // The user changed the text.
    std::function<void()> onChange;
    // A key was released in the box, by its virtual-key code.
    std::function<void(int key)> onKeyUp;
    // A key was pressed in the box; true when the owner took it, so that
    // the box (or a dialog around it) does nothing more with it.
    std::function<bool(int key)> onKeyDown;
    // Several lines, Enter starting a new one; set before the box is shown.
    bool multiLine() const { return multiLine_; }
    void setMultiLine(bool multiLine) { multiLine_ = multiLine; }
    // Limits what the user can type; the program may set any text.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int characters) { set(maxLength_, characters, Change::MaxLength); }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { set(readOnly_, readOnly, Change::ReadOnly); }
    const std::string& text() const { return text_; }
    void setText(const std::string& text) { set(text_, text, Change::Caption); }
    // The caret (the selection's start, in characters) and the number of
    // characters selected after it.
    int selectionStart() const { return selectionStart_; }
    int selectionLength() const { return selectionLength_; }
    void select(int start, int length);
    // What a user does: click into the box, type its new text, leave it.
    void click() {
        if (usable() && onClick) onClick();
    }
    void type(const std::string& text);
    void doubleClick() {
        if (usable() && onDoubleClick) onDoubleClick();
    }
    void releaseKey(int key) {
        if (usable() && onKeyUp) onKeyUp(key);
    }
    bool pressKey(int key) { return usable() && onKeyDown && onKeyDown(key); }
    // Where the user left the caret and selection (the back end tells).
    void userSelected(int start, int length) {
        selectionStart_ = start;
        selectionLength_ = length;
    }
    // The user presses the Delete key in the box.
    void pressDelete() {
        if (usable() && onDeleteKey) onDeleteKey();
    }
    void leave() {
        if (onLostFocus) onLostFocus();
    }

private:
    std::string text_;
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool multiLine_ = false;
    int selectionStart_ = 0, selectionLength_ = 0;
};

class ComboBox : public Control {
public:
    std::function<void()> onClick;
    const std::vector<std::string>& items() const { return items_; }
    void addItem(const std::string& item);
    // Replaces every entry in one pass; the selected index stays when the
    // new entries still have it.
    void setItems(std::vector<std::string> items);
    void clear();
    int listIndex() const { return listIndex_; }
    // Selects an entry (-1 for none) without raising the click event.
    void setListIndex(int index);
    std::string text() const;
    // The user picks an entry.
    void choose(int index);

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

struct ListColumn {
    std::string title;
    int width = 100;  // at 96 dots per inch
};

struct ListRow {
    std::string text;
    int icon = 0;
    std::vector<std::string> subItems;  // columns 2, 3, ...
    bool highlighted = false;           // drawn in blue: something newer is offered
};

class ListView : public Control {
public:
    // The user moved the selection: with the mouse or the keyboard, onto a
    // row or off every row.
    std::function<void()> onItemClick;
    std::function<void()> onRightClick;
    std::function<void()> onDoubleClick;
    // The user finished editing a row's text in place; false keeps the old.
    std::function<bool(int row, const std::string& text)> onRename;
    std::function<void()> onDeleteKey;
    // Whether the user may edit row texts in place.
    bool editableRows() const { return editableRows_; }
    void setEditableRows(bool editable) { set(editableRows_, editable, Change::EditableRows); }
    const std::vector<ListColumn>& columns() const { return columns_; }
    void setColumns(std::vector<ListColumn> columns);
    const std::vector<ListRow>& rows() const { return rows_; }
    // Shows these rows, none selected, in one pass.
    void setRows(std::vector<ListRow> rows);
    int selectedIndex() const { return selected_; }
    // Selects a row (-1 for none) and scrolls it into view, without
    // raising the event.
    void setSelectedIndex(int index);
    // A notice drawn across an empty list (no plug-ins found).
    bool emptyNotice() const { return emptyNotice_; }
    void setEmptyNotice(bool shown) { set(emptyNotice_, shown, Change::EmptyNotice); }
    // The user selects a row (by click or key), or clicks empty space (-1).
    void clickRow(int index);
    void doubleClick() {
        if (usable() && onDoubleClick) onDoubleClick();
    }
    // The user typed a new text for a row in place.
    bool rename(int row, const std::string& text) {
        return usable() && editableRows_ && onRename && onRename(row, text);
    }
    // The user releases the right mouse button over the list.
    void rightClick() {
        if (usable() && onRightClick) onRightClick();
    }
    void pressDelete() {
        if (usable() && onDeleteKey) onDeleteKey();
    }

private:
    std::vector<ListColumn> columns_;
    std::vector<ListRow> rows_;
    int selected_ = -1;
    bool emptyNotice_ = false;
    bool editableRows_ = false;
};

class TabControl : public Control {
public:
    std::function<void()> onClick;
    const std::vector<std::string>& tabs() const { return tabs_; }
    void setTabs(std::vector<std::string> tabs);
    int selectedIndex() const { return selected_; }
    void setSelectedIndex(int index);
    // The user clicks a tab.
    void choose(int index);

private:
    std::vector<std::string> tabs_;
    int selected_ = 0;
};

class Slider : public Control {
public:
    std::function<void()> onChange;
    int minimum() const { return min_; }
    int maximum() const { return max_; }
    void setRange(int minimum, int maximum);
    int value() const { return value_; }
    // Moves the slider without raising the change event.
    void setValue(int value);
    // The user drags the slider.
    void slide(int value);

private:
    int min_ = 0, max_ = 10, value_ = 0;
};

class ProgressBar : public Control {
public:
    int value() const { return value_; }
    int maximum() const { return maximum_; }
    void setValue(int value) { set(value_, value, Change::Value); }
    void setMaximum(int maximum) { set(maximum_, maximum, Change::Range); }

private:
    int value_ = 0, maximum_ = 100;
};

class Timer : public Control {
public:
    std::function<void()> onTimer;
    int interval() const { return interval_; }
    void setInterval(int milliseconds) { set(interval_, milliseconds, Change::Interval); }
    // The interval has passed (the back end's clock, or a test, says so).
    void fire() {
        if (enabled() && interval_ > 0 && onTimer) onTimer();
    }

private:
    int interval_ = 0;
};
