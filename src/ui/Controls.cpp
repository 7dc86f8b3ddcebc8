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

void ComboBox::removeItem(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    items_.erase(items_.begin() + index);
    // The selected entry stays selected when an entry before it goes.
    if (index < listIndex_) --listIndex_;
    else if (index == listIndex_) listIndex_ = -1;
    changed(Change::Items);
}

void ComboBox::setItem(int index, const std::string& item) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    items_[index] = item;
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

void ListView::addRow(ListRow row) {
    rows_.push_back(std::move(row));
    changed(Change::Rows);
}

void ListView::setRow(int index, ListRow row) {
    if (index < 0 || index >= static_cast<int>(rows_.size())) return;
    rows_[index] = std::move(row);
    changed(Change::Rows);
}

void ListView::removeRow(int index) {
    if (index < 0 || index >= static_cast<int>(rows_.size())) return;
    rows_.erase(rows_.begin() + index);
    if (selected_ >= static_cast<int>(rows_.size())) selected_ = -1;
    changed(Change::Rows);
}

void ListView::clear() {
    rows_.clear();
    selected_ = -1;
    changed(Change::Rows);
}

void ListView::clickRow(int index) {
    if (!usable() || index < 0 || index >= static_cast<int>(rows_.size())) return;
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
