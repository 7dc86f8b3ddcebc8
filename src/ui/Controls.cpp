#include "ui/Controls.h"

#include <algorithm>

void CheckBox::click() {
    if (!usable()) return;
    setChecked(!checked_);
    if (onClick) onClick();
}

void ComboBox::addItem(const std::string& item) {
    items_.push_back(item);
    changed(Change::Items);
}

void ComboBox::setItems(std::vector<std::string> items) {
    items_ = std::move(items);
    if (listIndex_ >= static_cast<int>(items_.size())) listIndex_ = -1;
    changed(Change::Items);
}

void ComboBox::clear() {
    items_.clear();
    listIndex_ = -1;
    changed(Change::Items);
}

void ComboBox::setListIndex(int index) {
    set(listIndex_, index >= -1 && index < static_cast<int>(items_.size()) ? index : -1, Change::Selection);
}

std::string ComboBox::text() const { return listIndex_ >= 0 ? items_[listIndex_] : std::string(); }

void ComboBox::choose(int index) {
    if (!usable()) return;
    setListIndex(index);
    if (onClick) onClick();
}

void ListView::setColumns(std::vector<ListColumn> columns) {
    columns_ = std::move(columns);
    changed(Change::Columns);
}

void ListView::setRows(std::vector<ListRow> rows) {
    rows_ = std::move(rows);
    selected_ = -1;
    changed(Change::Rows);
}

void ListView::setSelectedIndex(int index) {
    set(selected_, index >= 0 && index < static_cast<int>(rows_.size()) ? index : -1, Change::Selection);
}

void ListView::clickRow(int index) {
    if (!usable() || index < -1 || index >= static_cast<int>(rows_.size())) return;
    setSelectedIndex(index);
    if (onItemClick) onItemClick();
}

void TabControl::setTabs(std::vector<std::string> tabs) {
    tabs_ = std::move(tabs);
    changed(Change::Items);
}

void TabControl::setSelectedIndex(int index) {
    if (index >= 0 && index < static_cast<int>(tabs_.size())) set(selected_, index, Change::Selection);
}

void TabControl::choose(int index) {
    if (!usable()) return;
    setSelectedIndex(index);
    if (onClick) onClick();
}

void Slider::setRange(int minimum, int maximum) {
    min_ = minimum;
    max_ = maximum;
    value_ = std::clamp(value_, min_, max_);
    changed(Change::Range);
}

void Slider::setValue(int value) { set(value_, std::clamp(value, min_, max_), Change::Value); }

void Slider::slide(int value) {
    if (!usable()) return;
    setValue(value);
    if (onChange) onChange();
}

void TextBox::select(int start, int length) {
    selectionStart_ = start;
    selectionLength_ = length;
    changed(Change::Selection);
}

void TextBox::type(const std::string& text) {
    if (!usable() || readOnly_) return;
    text_ = maxLength_ > 0 ? text.substr(0, static_cast<std::size_t>(maxLength_)) : text;
    // The caret after what was typed, as in a box one types into.
    selectionStart_ = static_cast<int>(text_.size());
    selectionLength_ = 0;
    if (onChange) onChange();
}
